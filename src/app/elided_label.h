#pragma once
// A one-line label that never cuts its text at its edge unseen: a text too
// long for it ends in "…", and the whole of it is the tooltip.
#include <QLabel>

namespace kavir::app {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  void SetFullText(const QString& text);
  const QString& full_text() const { return full_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();
  QString full_;
};

}  // namespace kavir::app
