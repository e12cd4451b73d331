// Open and Save As of profile (.dat) files.
#include "kavir_view.h"

namespace kavir {

IoStatus CKAVIRView::OnFileOpenDat() {
  const std::string path = ui_.GetOpenFileName(FileDialogParams{});
  if (path.empty()) return IoStatus::Ok();
  ui_.BeginProgress("正在打开数据， 请稍候.......", 10, 10);
  ui_.Pause(300);
  // The file name names what the screen shows: it changes only when the load did.
  const IoStatus status = LoadProfile(path);
  if (status.ok) current_file_name = path;
  ui_.EndProgress();
  return status;
}

IoStatus CKAVIRView::OnFileSaveAsDat() {
  const std::string path = ui_.GetSaveFileName(FileDialogParams{});
  if (path.empty()) return IoStatus::Ok();
  ui_.BeginProgress("正在进行数据保存， 请稍候.......", 10, 10);
  ui_.Pause(300);
  // Clearing and storing are one write, so a failed save leaves the old file whole.
  IoStatus status = ClearAndStoreProfile(path);
  if (status.ok || status.path != path) current_file_name = path;
  ui_.EndProgress();
  return status;
}

}  // namespace kavir
