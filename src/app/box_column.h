#pragma once
// A column of check boxes that is one Tab stop: Tab enters the column at
// the box last used, Up and Down (and Home, End) move within it, Space
// toggles as usual.
#include <QList>
#include <QObject>

class QCheckBox;

namespace kavir::app {

class BoxColumn : public QObject {
  Q_OBJECT

 public:
  BoxColumn(QList<QCheckBox*> boxes, QObject* parent);

  // The box that Tab reaches (after Refresh may have disabled some).
  QCheckBox* tab_stop() const;
  // Keeps exactly one enabled box in the Tab order.
  void UpdateTabStop();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MoveTo(int index);

  QList<QCheckBox*> boxes_;
  int current_ = 0;
};

}  // namespace kavir::app
