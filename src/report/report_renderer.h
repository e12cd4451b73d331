#pragma once
// Draws the report's display list with QPainter.
#include <QPainter>
#include <QPagedPaintDevice>

#include "report_page.h"

namespace kavir {

// Draws on a painter whose units are already hundredths of an inch from the
// top-left of the printable area.
void DrawReportPage(QPainter& painter, const ReportPage& page);
// Maps the painter of a device of `dpi` dots per inch to hundredths of an
// inch, then draws.
void RenderReportPage(QPainter& painter, double dpi, const ReportPage& page);
// The size the page is laid out for, in hundredths of an inch.
inline constexpr double kReportWidth = 787, kReportHeight = 1129;
// RenderReportPage, scaled down where the printable area (device pixels)
// is smaller than the layout, so that a landscape or small paper still
// shows every line of it.
void RenderReportPageToFit(QPainter& painter, double dpi, const QSizeF& printable, const ReportPage& page);
// Makes "宋体" resolve to an installed CJK face where it is missing.
void InstallReportFontFallbacks();

}  // namespace kavir
