// Open, Save and Save As of profile (.dat) files, and the recent-file list.
#include <filesystem>

#include "kavir_view.h"

namespace kavir {

namespace {
bool IsFile(const std::string& utf8_path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(
      std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end())), ec);
}
}  // namespace

void CKAVIRView::RememberFile(const std::string& path) {
  recent.Add(path);
  // An unusable KAVIR.ini is neither made up nor changed; the list lives on
  // in memory until the program ends.
  if (!lists_status_.ok) return;
  const IoStatus status = recent.Save(config_);
  if (!status.ok) ui_.ShowError(TrText("Screen", "无法保存最近文件列表 ") + UserMessage(status), TrText("Screen", kMessageCaption));
}

IoStatus CKAVIRView::OnFileOpenDat() {
  if (!ConfirmDiscardChanges()) return IoStatus::Ok();
  const std::string path = ui_.GetOpenFileName(FileDialogParams{});
  if (path.empty()) return IoStatus::Ok();
  return OpenFile(path);
}

IoStatus CKAVIRView::OpenFile(const std::string& path) {
  ui_.BeginProgress(TrText("Screen", "正在打开数据， 请稍候......."), 10, 10);
  ui_.Pause(300);
  // The file name names what the screen shows: it changes only when the load did.
  IoStatus status;
  RecordStep([&] {
    status = LoadProfile(path);
    if (status.ok) current_file_name = path;
  });
  if (status.ok) RememberFile(path);
  ui_.EndProgress();
  ui_.SetStatusText(status.ok ? TrText("Screen", "就绪") : TrText("Screen", "打开失败"));
  return status;
}

void CKAVIRView::OnOpenRecent(std::size_t index) {
  if (index >= recent.paths().size()) return;
  const std::string path = recent.paths()[index];
  if (!IsFile(path)) {
    recent.Remove(path);
    const IoStatus saved = lists_status_.ok ? recent.Save(config_) : IoStatus::Ok();
    ui_.ShowError(ArgText(TrText("Screen", "文件 %1 已不存在，已从最近文件列表中删除。"), {path}) +
                      (saved.ok ? std::string() : "\n" + TrText("Screen", "无法保存最近文件列表 ") + UserMessage(saved)),
                  TrText("Screen", kMessageCaption));
    return;
  }
  if (!ConfirmDiscardChanges()) return;
  OpenFile(path);
}

bool CKAVIRView::SaveTo(const std::string& path, IoStatus* status_out) {
  ui_.BeginProgress(TrText("Screen", "正在进行数据保存， 请稍候......."), 10, 10);
  ui_.Pause(300);
  // Clearing and storing are one write, so a failed save leaves the old file whole.
  const IoStatus status = ClearAndStoreProfile(path);
  if (status_out) *status_out = status;
  // Only PreviousType failing still leaves the profile saved; without the
  // option lists nothing was saved at all.
  const bool saved = status.ok || (lists_status_.ok && status.path != path);
  if (saved) {
    current_file_name = path;
    MarkClean();
    RememberFile(path);
  }
  ui_.EndProgress();
  ui_.SetStatusText(saved ? ArgText(TrText("Screen", "已保存 %1"), {DocumentName()}) : TrText("Screen", "保存失败"));
  return saved;
}

bool CKAVIRView::OnFileSaveAsDat() {
  FileDialogParams params;
  if (!current_file_name.empty()) params.initial_name = current_file_name;
  const std::string path = ui_.GetSaveFileName(params);
  if (path.empty()) return false;
  return SaveTo(path);
}

bool CKAVIRView::OnFileSave() {
  if (current_file_name.empty()) return OnFileSaveAsDat();
  return SaveTo(current_file_name);
}

}  // namespace kavir
