// The file behind the screen: Open, Save and Save As of profile (.dat)
// files, the recent-file list, the title and the unsaved-changes question.
#include <filesystem>

#include "kavir_view.h"

namespace kavir {

namespace {
bool IsFile(const std::string& utf8_path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end())), ec);
}
}  // namespace

void ScreenDocument::RememberFile(const std::string& path) {
  recent.Add(path);
  // An unusable KAVIR.ini is neither made up nor changed; the list lives on
  // in memory until the program ends.
  if (!view_.option_lists_status().ok) return;
  const IoStatus status = recent.Save(view_.config());
  if (!status.ok)
    view_.ui().ShowError(TrText("Screen", "无法保存最近文件列表 ") + UserMessage(status),
                         TrText("Screen", CKAVIRView::kMessageCaption));
}

IoStatus ScreenDocument::OnFileOpenDat() {
  if (!ConfirmDiscardChanges()) return IoStatus::Ok();
  const std::string path = view_.ui().GetOpenFileName(FileDialogParams{});
  if (path.empty()) return IoStatus::Ok();
  return OpenFile(path);
}

IoStatus ScreenDocument::OpenFile(const std::string& path) {
  view_.ui().BeginProgress(TrText("Screen", "正在打开数据， 请稍候......."), 10, 10);
  view_.ui().Pause(300);
  // The file name names what the screen shows: it changes only when the load did.
  IoStatus status;
  view_.RecordStep([&] {
    status = view_.LoadProfile(path);
    if (status.ok) current_file_name = path;
  });
  if (status.ok) RememberFile(path);
  view_.ui().EndProgress();
  view_.ui().SetStatusText(status.ok ? TrText("Screen", "就绪") : TrText("Screen", "打开失败"));
  return status;
}

void ScreenDocument::OnOpenRecent(std::size_t index) {
  if (index >= recent.paths().size()) return;
  const std::string path = recent.paths()[index];
  if (!IsFile(path)) {
    recent.Remove(path);
    const IoStatus saved = view_.option_lists_status().ok ? recent.Save(view_.config()) : IoStatus::Ok();
    view_.ui().ShowError(
        ArgText(TrText("Screen", "文件 %1 已不存在，已从最近文件列表中删除。"), {path}) +
            (saved.ok ? std::string() : "\n" + TrText("Screen", "无法保存最近文件列表 ") + UserMessage(saved)),
        TrText("Screen", CKAVIRView::kMessageCaption));
    return;
  }
  if (!ConfirmDiscardChanges()) return;
  OpenFile(path);
}

bool ScreenDocument::SaveTo(const std::string& path, IoStatus* status_out) {
  view_.ui().BeginProgress(TrText("Screen", "正在进行数据保存， 请稍候......."), 10, 10);
  view_.ui().Pause(300);
  // Clearing and storing are one write, so a failed save leaves the old file whole.
  const IoStatus status = view_.ClearAndStoreProfile(path);
  if (status_out) *status_out = status;
  // Only PreviousType failing still leaves the profile saved; without the
  // option lists nothing was saved at all.
  const bool saved = status.ok || (view_.option_lists_status().ok && status.path != path);
  if (saved) {
    current_file_name = path;
    view_.MarkClean();
    RememberFile(path);
  }
  view_.ui().EndProgress();
  view_.ui().SetStatusText(saved ? ArgText(TrText("Screen", "已保存 %1"), {DocumentName()})
                                 : TrText("Screen", "保存失败"));
  return saved;
}

bool ScreenDocument::OnFileSaveAsDat() {
  FileDialogParams params;
  if (!current_file_name.empty()) params.initial_name = current_file_name;
  const std::string path = view_.ui().GetSaveFileName(params);
  if (path.empty()) return false;
  return SaveTo(path);
}

bool ScreenDocument::OnFileSave() {
  if (current_file_name.empty()) return OnFileSaveAsDat();
  return SaveTo(current_file_name);
}

std::string ScreenDocument::DocumentName() const {
  if (current_file_name.empty()) return TrText("Screen", "无标题");
  const std::size_t slash = current_file_name.find_last_of("/\\");
  return slash == std::string::npos ? current_file_name : current_file_name.substr(slash + 1);
}

bool ScreenDocument::ConfirmDiscardChanges() {
  if (!view_.IsModified()) return true;
  const std::string text = ArgText(TrText("Screen", "“%1”的修改尚未保存。\n\n是否保存修改？"), {DocumentName()});
  switch (view_.ui().AskSaveChanges(text, TrText("Screen", CKAVIRView::kMessageCaption))) {
    case SaveChoice::Save:
      return OnFileSave();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

}  // namespace kavir
