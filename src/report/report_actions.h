#pragma once
// The report commands of the desktop program: print, print preview, page
// set-up and PDF export. Each reads the screen as it is now.
#include <QString>

#include "profile/io_status.h"

class QPrinter;
class QWidget;

namespace kavir {

class CKAVIRView;

// Writes the report of the screen as a one-page PDF file.
IoStatus WriteReportPdf(CKAVIRView& view, const std::string& path);

// Print dialog, then the page (one page only).
void PrintReportWithDialog(QWidget* parent, CKAVIRView& view, QPrinter& printer);
// The preview window on the page.
void PreviewReport(QWidget* parent, CKAVIRView& view, QPrinter& printer);
// The printer's page set-up dialog.
void ReportPageSetup(QWidget* parent, QPrinter& printer);
// Asks for a file name, writes the PDF, shows a message when it fails.
void ExportReportPdf(QWidget* parent, CKAVIRView& view);

}  // namespace kavir
