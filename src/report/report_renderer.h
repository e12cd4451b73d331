#pragma once
// Draws the report's display list with QPainter.
#include <QPagedPaintDevice>
#include <QPainter>

#include "report_page.h"

namespace kavir {

// The scales from the layout's hundredths of an inch to device pixels: x
// and y each fill the printable area; fonts follow the smaller of the two,
// so that every text keeps within the room the layout gives it.
struct ReportScale {
  double x = 1, y = 1;
  double font() const { return x < y ? x : y; }
};
// The scale of a device of `dpi` dots per inch at the layout's own size.
ReportScale ScaleAt(double dpi);
// The scale that fills a printable area of that many device pixels.
ReportScale ScaleToFill(const QSizeF& printable);

// Draws at the painter's origin; a text wider than its room is narrowed,
// and a text that still does not fit loses its middle ("…").
void DrawReportPage(QPainter& painter, const ReportScale& scale, const ReportPage& page);
// DrawReportPage at the layout's size on a device of `dpi` dots per inch.
void RenderReportPage(QPainter& painter, double dpi, const ReportPage& page);
// DrawReportPage filling the printable area (device pixels), portrait or
// landscape, whatever the paper.
void RenderReportPageToFill(QPainter& painter, const QSizeF& printable, const ReportPage& page);
// Makes "宋体" resolve to an installed CJK face where it is missing.
void InstallReportFontFallbacks();

}  // namespace kavir
