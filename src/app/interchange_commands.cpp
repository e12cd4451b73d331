#include "interchange_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QInputDialog>

#include "codec/image_file.h"
#include "command_ids.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"
#include "ini/atomic_file.h"
#include "interchange/csv_export.h"
#include "interchange/setup_compare.h"
#include "main_frame.h"
#include "screen/kavir_view.h"

namespace kavir::app {

namespace {

FileDialogParams CsvDialog() {
  FileDialogParams p;
  p.initial_name = "*.csv";
  p.default_extension = "csv";
  p.filter = TrText("InterchangeCommands", "CSV 文件 (*.csv) | *.csv | 所有文件 (*.*) | *.* ||");
  return p;
}

FileDialogParams ImageDialog() {
  FileDialogParams p;
  p.initial_name = "*.img";
  p.default_extension = "img";
  p.filter = TrText("InterchangeCommands", "镜像文件 (*.img *.bin) | *.img;*.bin | 所有文件 (*.*) | *.* ||");
  return p;
}

QString FileName(const std::string& path) { return QFileInfo(QString::fromUtf8(path)).fileName(); }

}  // namespace

void InterchangeCommands::Connect() {
  auto on = [this](int id, void (InterchangeCommands::*handler)()) {
    QObject::connect(frame_.action(id), &QAction::triggered, &frame_, [this, handler] {
      (this->*handler)();
      frame_.RefreshScreen();
    });
  };
  on(kCmdOpen, &InterchangeCommands::OnOpen);
  on(kCmdImportCsv, &InterchangeCommands::OnImportCsv);
  on(kCmdExportCsv, &InterchangeCommands::OnExportCsv);
  on(kCmdSaveImage, &InterchangeCommands::OnSaveImage);
  on(kCmdCompareFile, &InterchangeCommands::OnCompareFile);
}

void InterchangeCommands::OnOpen() { OnFileOpenSetup(frame_.view(), this); }

int InterchangeCommands::AskModel(const std::string& path, const std::vector<std::string>& models) {
  QStringList items;
  for (const std::string& m : models) items << QString::fromUtf8(m);
  if (items.isEmpty()) return 0;
  bool ok = false;
  const QString chosen = QInputDialog::getItem(
      &frame_, QCoreApplication::translate("InterchangeCommands", "电台镜像"),
      QCoreApplication::translate("InterchangeCommands", "%1 是电台镜像文件。\n它是哪个机型的?").arg(FileName(path)),
      items, 0, false, &ok);
  return ok ? static_cast<int>(items.indexOf(chosen)) + 1 : 0;
}

void InterchangeCommands::OnImportCsv() {
  CKAVIRView& view = frame_.view();
  const std::string path = frame_.ui().GetOpenFileName(CsvDialog());
  if (path.empty()) return;
  IoStatus read;
  std::string bytes = ReadWholeFile(path, &read);
  if (!read) {
    frame_.ui().ShowError(TrText("Screen", "无法读取文件 ") + read.Message(),
                          TrText("Screen", CKAVIRView::kMessageCaption));
    return;
  }
  Setup setup = view.setup();
  ImportPreviewDialog preview(std::move(bytes), LimitsOf(setup, view.channel_lists), FileName(path), &frame_);
  if (preview.exec() != QDialog::Accepted) return;
  // The whole import is one step that undo takes back.
  ApplyImport(preview.plan(), view.channel_lists, setup);
  view.ApplySetup(setup);
  frame_.RefreshScreen();
  frame_.ui().SetStatusText(
      QCoreApplication::translate("InterchangeCommands", "已导入 %n 个信道", nullptr, preview.plan().imported())
          .toStdString());
}

void InterchangeCommands::OnExportCsv() {
  const CsvExport out = ExportCsv(frame_.view().setup());
  const std::string path = frame_.ui().GetSaveFileName(CsvDialog());
  if (path.empty()) return;
  if (const IoStatus written = WriteFileAtomically(path, out.text); !written) {
    frame_.ui().ShowError(TrText("Screen", "无法保存文件 ") + written.Message(),
                          TrText("Screen", CKAVIRView::kMessageCaption));
    return;
  }
  std::string left_out;
  for (const std::string& p : out.problems) left_out += p + "\n";
  if (!left_out.empty())
    frame_.ui().ShowError(
        QCoreApplication::translate("InterchangeCommands", "以下信道没有导出:\n").toStdString() + left_out,
        TrText("Screen", CKAVIRView::kMessageCaption));
  frame_.ui().SetStatusText(
      QCoreApplication::translate("InterchangeCommands", "已导出 %n 个信道", nullptr, out.channels).toStdString());
}

void InterchangeCommands::OnSaveImage() {
  const CheckedImage built =
      ImageForWrite(frame_.view().setup(), frame_.view().channel_lists, frame_.view().radio_identity());
  if (!built.image) {
    frame_.ui().ShowError(DescribeProblems(built.problems), TrText("Screen", CKAVIRView::kMessageCaption));
    return;
  }
  const std::string path = frame_.ui().GetSaveFileName(ImageDialog());
  if (path.empty()) return;
  const IoStatus written = WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(built.image->data()), built.image->size()));
  if (!written)
    frame_.ui().ShowError(TrText("Screen", "无法保存文件 ") + written.Message(),
                          TrText("Screen", CKAVIRView::kMessageCaption));
}

void InterchangeCommands::OnCompareFile() {
  const std::string path = frame_.ui().GetOpenFileName(SetupOrImageDialog());
  if (path.empty()) return;
  // The file is read as values, as a started program would show it; the
  // screen stays as it is.
  const ProgramData data = ProgramData::Load(frame_.view().files(), frame_.view().config());
  const SetupFile file = ReadSetupFile(path, 0, this, data);
  if (file.cancelled) return;
  if (!file.status) {
    frame_.ui().ShowError(file.message, TrText("Screen", CKAVIRView::kMessageCaption));
    return;
  }
  CompareDialog dialog(CompareSetups(frame_.view().setup(), data.Resolve(*file.record)),
                       QCoreApplication::translate("InterchangeCommands", "文件 %1").arg(FileName(path)), &frame_);
  dialog.exec();
}

}  // namespace kavir::app
