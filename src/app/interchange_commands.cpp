#include "interchange_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QInputDialog>

#include "command_ids.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"
#include "interchange/csv_export.h"
#include "interchange/image_file.h"
#include "main_frame.h"
#include "profile/atomic_file.h"

namespace kavir::app {

namespace {

FileDialogParams CsvDialog() {
  FileDialogParams p;
  p.initial_name = "*.csv";
  p.default_extension = "csv";
  p.filter = "CSV Files (*.csv) | *.csv | All Files (*.*) | *.* ||";
  return p;
}

FileDialogParams ImageDialog() {
  FileDialogParams p;
  p.initial_name = "*.img";
  p.default_extension = "img";
  p.filter = "img Files (*.img *.bin) | *.img;*.bin | All Files (*.*) | *.* ||";
  return p;
}

QString FileName(const std::string& path) {
  return QFileInfo(QString::fromUtf8(path)).fileName();
}

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
      &frame_, QStringLiteral("电台镜像"),
      QStringLiteral("%1 是电台镜像文件。\n它是哪个机型的?").arg(FileName(path)), items, 0, false, &ok);
  return ok ? static_cast<int>(items.indexOf(chosen)) + 1 : 0;
}

void InterchangeCommands::OnImportCsv() {
  CKAVIRView& view = frame_.view();
  const std::string path = frame_.ui().GetOpenFileName(CsvDialog());
  if (path.empty()) return;
  IoStatus read;
  std::string bytes = ReadWholeFile(path, &read);
  if (!read) {
    frame_.ui().ShowError("无法读取文件 " + read.Message(), CKAVIRView::kMessageCaption);
    return;
  }
  ImportPreviewDialog preview(std::move(bytes), LimitsOf(view), FileName(path), &frame_);
  if (preview.exec() != QDialog::Accepted) return;
  // The whole import is one step that undo takes back.
  view.RecordStep([&] { ApplyImport(preview.plan(), view); });
  frame_.RefreshScreen();
  frame_.ui().SetStatusText("已导入 " + std::to_string(preview.plan().imported()) + " 个信道");
}

void InterchangeCommands::OnExportCsv() {
  const CsvExport out = ExportCsv(frame_.view());
  const std::string path = frame_.ui().GetSaveFileName(CsvDialog());
  if (path.empty()) return;
  if (const IoStatus written = WriteFileAtomically(path, out.text); !written) {
    frame_.ui().ShowError("无法保存文件 " + written.Message(), CKAVIRView::kMessageCaption);
    return;
  }
  std::string left_out;
  for (const std::string& p : out.problems) left_out += p + "\n";
  if (!left_out.empty())
    frame_.ui().ShowError("以下信道没有导出:\n" + left_out, CKAVIRView::kMessageCaption);
  frame_.ui().SetStatusText("已导出 " + std::to_string(out.channels) + " 个信道");
}

void InterchangeCommands::OnSaveImage() {
  const ScreenImage built = BuildScreenImage(frame_.view());
  if (!built.image) {
    frame_.ui().ShowError(DescribeProblems(built.problems), CKAVIRView::kMessageCaption);
    return;
  }
  const std::string path = frame_.ui().GetSaveFileName(ImageDialog());
  if (path.empty()) return;
  const IoStatus written = WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(built.image->data()), built.image->size()));
  if (!written) frame_.ui().ShowError("无法保存文件 " + written.Message(), CKAVIRView::kMessageCaption);
}

void InterchangeCommands::OnCompareFile() {
  const std::string path = frame_.ui().GetOpenFileName(FileDialogParams{});
  if (path.empty()) return;
  // The file goes into a screen of its own; the one on show stays as it is.
  CKAVIRView other(frame_.view().files(), frame_.ui());
  other.OnInitialUpdate(nullptr);
  if (!OpenSetupFile(other, path, 0, this).status) return;
  CompareDialog dialog(CompareSetups(frame_.view(), other), QStringLiteral("文件 ") + FileName(path), &frame_);
  dialog.exec();
}

}  // namespace kavir::app
