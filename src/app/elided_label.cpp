#include "elided_label.h"

namespace kavir::app {

void ElidedLabel::SetFullText(const QString& text) {
  full_ = text;
  Fit();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void ElidedLabel::Fit() {
  const QString line = QString(full_).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, contentsRect().width());
  setText(shown);
  setToolTip(shown == line ? QString() : full_);
}

}  // namespace kavir::app
