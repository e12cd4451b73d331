#pragma once
// The report commands of the desktop program: print, print preview, page
// set-up and PDF export.
#include <ctime>
#include <functional>
#include <string>

#include <QPageLayout>
#include <QString>

#include "ini/io_status.h"
#include "report_page.h"

class QPrinter;
class QWidget;

namespace kavir {

// The page to draw, built at the moment of drawing (a preview draws again
// on every repaint).
using ReportSource = std::function<ReportPage(std::time_t now_utc)>;
// The report of a set-up opened from file_name.
ReportSource ReportOf(const Setup& setup, const std::string& file_name);

// The windowless platform plugin that draws the page with the system's fonts:
// "offscreen", or on Windows "minimal" with its font database (the Windows Qt
// is built without FreeType, which the offscreen plugin needs).
const char* HeadlessPlatform();
// Chooses it for the QGuiApplication about to be made, unless QT_QPA_PLATFORM
// already names one.
void UseHeadlessPlatform();

// A4 portrait with 5 mm margins: the paper the page is laid out for.
QPageLayout DefaultReportLayout();

// Writes the report as a one-page PDF file on the paper of layout.
IoStatus WriteReportPdf(const ReportSource& report, const std::string& path,
                        const QPageLayout& layout = DefaultReportLayout());

// Print dialog, then the page (one page only).
void PrintReportWithDialog(QWidget* parent, const ReportSource& report, QPrinter& printer);
// The preview window on the page.
void PreviewReport(QWidget* parent, const ReportSource& report, QPrinter& printer);
// The printer's page set-up dialog.
void ReportPageSetup(QWidget* parent, QPrinter& printer);
// Asks for a file name, writes the PDF on the paper of layout (the page
// set-up's), shows a message when it fails; the file written, or "".
QString ExportReportPdf(QWidget* parent, const ReportSource& report, const QPageLayout& layout);

}  // namespace kavir
