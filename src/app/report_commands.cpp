#include "report_commands.h"

#include <QAction>

#include "command_ids.h"
#include "main_frame.h"

#ifdef KAVIR_HAVE_REPORT
#include <QPrinter>
#include <memory>

#include "report/report_actions.h"
#endif

namespace kavir::app {

void ConnectReportCommands(CMainFrame& frame) {
  QAction* print = frame.action(kCmdPrint);
  QAction* preview = frame.action(kCmdPrintPreview);
  QAction* setup = frame.action(kCmdPageSetup);
  QAction* pdf = frame.action(kCmdExportPdf);
#ifdef KAVIR_HAVE_REPORT
  // One printer for the whole run, so page set-up choices stick.
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  CMainFrame* f = &frame;
  QObject::connect(print, &QAction::triggered, f,
                   [f, printer] { PrintReportWithDialog(f, f->view(), *printer); });
  QObject::connect(preview, &QAction::triggered, f,
                   [f, printer] { PreviewReport(f, f->view(), *printer); });
  QObject::connect(setup, &QAction::triggered, f, [f, printer] { ReportPageSetup(f, *printer); });
  QObject::connect(pdf, &QAction::triggered, f, [f] { ExportReportPdf(f, f->view()); });
#else
  for (QAction* a : {print, preview, setup, pdf}) a->setEnabled(false);
#endif
}

}  // namespace kavir::app
