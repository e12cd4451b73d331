#include "report_actions.h"

#include <ctime>

#include <QBuffer>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "ini/atomic_file.h"
#include "kavir_version.h"
#include "lang/language.h"
#include "report_renderer.h"

namespace kavir {
namespace {

bool Draw(QPagedPaintDevice& device, const ReportSource& report) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  RenderReportPageToFill(painter, QSizeF(device.width(), device.height()), report(std::time(nullptr)));
  return painter.end();
}

bool DrawOnPrinter(QPrinter& printer, const ReportSource& report) {
  printer.setFromTo(1, 1);  // the report is one page
  return Draw(printer, report);
}

}  // namespace

const char* HeadlessPlatform() {
#if defined(_WIN32)
  return "minimal:enable_fonts";
#else
  return "offscreen";
#endif
}

void UseHeadlessPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", HeadlessPlatform());
}

QPageLayout DefaultReportLayout() {
  // A4 less 5 mm on each side leaves the 200 x 287 mm the page is laid out for.
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

ReportSource ReportOf(const Setup& setup, const std::string& file_name) {
  return [setup, file_name](std::time_t now_utc) {
    return BuildReport(setup, file_name, now_utc, lang::English() ? &lang::ShownOptions() : nullptr);
  };
}

IoStatus WriteReportPdf(const ReportSource& report, const std::string& path, const QPageLayout& layout) {
  // Drawn in memory, then saved atomically: a failure never leaves half a PDF.
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(layout);
    writer.setTitle(QStringLiteral("KAVIR"));
    writer.setCreator(QStringLiteral("KAVIR " KAVIR_VERSION));
    if (!Draw(writer, report)) return IoStatus::Fail(path, "the page cannot be drawn");
  }
  if (pdf.isEmpty()) return IoStatus::Fail(path, "the page cannot be drawn");
  return WriteFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

void PrintReportWithDialog(QWidget* parent, const ReportSource& report, QPrinter& printer) {
#if defined(_WIN32)
  // Windows' print dialog offers no file to print into, and with no printer
  // it may not open at all: say so, and where the page can go instead.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    QMessageBox::information(
        parent, QCoreApplication::translate("Report", "提示信息!"),
        QCoreApplication::translate("Report",
                                    "没有安装打印机, 无法打印。可以用 文件 → 导出PDF... 把报告保存为 PDF 文件。"));
    return;
  }
#endif
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, 1);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!DrawOnPrinter(printer, report))
    QMessageBox::warning(parent, QCoreApplication::translate("Report", "提示信息!"),
                         QCoreApplication::translate("Report", "打印失败: 打印机无法开始打印。"));
}

void PreviewReport(QWidget* parent, const ReportSource& report, QPrinter& printer) {
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent,
                   [&report](QPrinter* p) { DrawOnPrinter(*p, report); });
  preview.exec();
}

void ReportPageSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

QString ExportReportPdf(QWidget* parent, const ReportSource& report, const QPageLayout& layout) {
  const QString file = QFileDialog::getSaveFileName(parent, QCoreApplication::translate("Report", "导出PDF"),
                                                    QStringLiteral("report.pdf"), QStringLiteral("PDF (*.pdf)"));
  if (file.isEmpty()) return {};
  const IoStatus status = WriteReportPdf(report, file.toStdString(), layout);
  if (!status)
    QMessageBox::warning(
        parent, QCoreApplication::translate("Report", "提示信息!"),
        QCoreApplication::translate("Report", "无法写入 PDF 文件:\n") + QString::fromStdString(status.Message()));
  return status.ok ? file : QString();
}

}  // namespace kavir
