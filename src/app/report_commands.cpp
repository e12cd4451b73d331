#include "report_commands.h"

#include <memory>

#include <QAction>
#include <QCoreApplication>
#include <QPrinter>

#include "command_ids.h"
#include "lang/language.h"
#include "main_frame.h"
#include "report/report_actions.h"
#include "screen/kavir_view.h"

namespace kavir::app {

ReportPage PrintReport(CKAVIRView& view, std::time_t now_utc) {
  ReportPage page = BuildReport(view.setup(), view.document().current_file_name, now_utc,
                                lang::English() ? &lang::ShownOptions() : nullptr);
  view.grid.row = 16;
  view.grid.col = 9;
  view.ui().Repaint();
  return page;
}

void ConnectReportCommands(CMainFrame& frame) {
  QAction* print = frame.action(kCmdPrint);
  QAction* preview = frame.action(kCmdPrintPreview);
  QAction* setup = frame.action(kCmdPageSetup);
  QAction* pdf = frame.action(kCmdExportPdf);
  // One printer for the whole run, so page set-up choices stick.
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageLayout(DefaultReportLayout());
  CMainFrame* f = &frame;
  // Each drawing takes the screen as it is then.
  const ReportSource screen = [f](std::time_t now_utc) { return PrintReport(f->view(), now_utc); };
  QObject::connect(print, &QAction::triggered, f, [f, printer, screen] { PrintReportWithDialog(f, screen, *printer); });
  QObject::connect(preview, &QAction::triggered, f, [f, printer, screen] { PreviewReport(f, screen, *printer); });
  QObject::connect(setup, &QAction::triggered, f, [f, printer] { ReportPageSetup(f, *printer); });
  // The PDF goes on the paper and orientation of the page set-up.
  QObject::connect(pdf, &QAction::triggered, f, [f, printer, screen] {
    const QString written = ExportReportPdf(f, screen, printer->pageLayout());
    if (!written.isEmpty())
      f->ui().SetStatusText(QCoreApplication::translate("ReportCommands", "已导出 PDF: %1").arg(written).toStdString());
  });
}

}  // namespace kavir::app
