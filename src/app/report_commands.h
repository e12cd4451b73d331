#pragma once
// The 文件 menu's report commands and the toolbar's print button.
class QAction;

namespace kavir::app {

class CMainFrame;

// Connects print, preview, page set-up and PDF export; without the report
// library they stay visible but disabled.
void ConnectReportCommands(CMainFrame& frame);

}  // namespace kavir::app
