#pragma once
// Pure helpers of the main frame: the clock text and where the progress bar
// and its label go. Kept apart from the widgets so they can be tested alone.
#include <QDateTime>
#include <QRect>
#include <QString>

namespace kavir::app {

// "hh:mm:ss" of a moment in the machine's own time zone.
QString ClockText(const QDateTime& when);

// The status-bar message: 14 blanks, then the text.
QString StatusLine(const QString& text);

struct ProgressRects {
  QRect bar;
  QRect label;
};
// Bar and percentage label for a client area of w x h pixels on a screen
// screen_width pixels wide (an 800-pixel screen gets a smaller bar).
ProgressRects ProgressGeometry(int w, int h, int screen_width);

// "%d%%" of position * 100 / range; "0%" for a zero range.
QString ProgressPercent(int range, int position);

}  // namespace kavir::app
