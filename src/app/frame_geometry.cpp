#include "frame_geometry.h"

#include "ini/local_time.h"

namespace kavir::app {

QString ClockText(const QDateTime& when) {
  return QString::fromStdString(LocalClockText(static_cast<std::time_t>(when.toSecsSinceEpoch())));
}

QString StatusLine(const QString& text) { return QString(14, QLatin1Char(' ')) + text; }

ProgressRects ProgressGeometry(int w, int h, int screen_width) {
  int left = w / 30 + 200;
  int top = h / 2 - 90;
  int right = w / 30 + 550;
  int bottom = h / 2;
  const bool small_screen = screen_width == 800;
  if (small_screen) {
    top += 28;
    bottom += 18;
    right -= 10;
  }
  int label_top = top - 14;
  const int label_bottom = top + 3;
  const int label_right = right - 1;
  bottom -= 60;
  if (small_screen) label_top += 3;
  // Rectangles are given as left, top, right, bottom with exclusive edges.
  ProgressRects r;
  r.bar = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
  r.label = QRect(QPoint(left, label_top), QPoint(label_right - 1, label_bottom - 1));
  return r;
}

QString ProgressPercent(int range, int position) {
  if (range == 0) return QStringLiteral("0%");
  return QString::number(position * 100 / range) + QLatin1Char('%');
}

}  // namespace kavir::app
