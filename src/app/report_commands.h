#pragma once
// The 文件 menu's report commands and the toolbar's print button.
#include <ctime>

#include "report/report_page.h"

class QAction;

namespace kavir {
class CKAVIRView;
}

namespace kavir::app {

class CMainFrame;

// The report of what the screen shows now. Afterwards the grid's current
// cell is row 16, column 9, and the screen is repainted, as printing has
// always left it.
ReportPage PrintReport(CKAVIRView& view, std::time_t now_utc);

// Connects print, preview, page set-up and PDF export; without the report
// library they stay visible but disabled.
void ConnectReportCommands(CMainFrame& frame);

}  // namespace kavir::app
