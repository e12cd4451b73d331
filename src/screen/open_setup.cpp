#include "open_setup.h"

#include "codec/image_file.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "ini/translate.h"
#include "kavir_view.h"
#include "setup/profile_file.h"

namespace kavir {

ProgramData ScreenData(const CKAVIRView& view) {
  ProgramData data;
  data.files = view.files();
  data.config = view.config();
  data.lists = view.option_lists();
  data.channel_lists = view.channel_lists;
  data.lists_status = view.option_lists_status();
  data.identity = view.radio_identity();
  data.start = view.setup();
  return data;
}

OpenOutcome OpenSetupFile(CKAVIRView& view, const std::string& path, int model, ModelQuestion* ask, bool force) {
  OpenOutcome out;
  auto fail = [&](IoStatus status, const std::string& message) {
    view.ui().ShowError(message, TrText("Screen", CKAVIRView::kMessageCaption));
    out.status = std::move(status);
    return out;
  };
  const std::string bytes = ReadWholeFile(path, &out.status);
  if (!out.status) return fail(out.status, TrText("Screen", "无法读取文件 ") + out.status.Message());
  std::string not_image;
  const std::optional<Image> image = AsRadioImage(bytes, &not_image);
  if (!image && !not_image.empty()) {
    IoStatus refused = IoStatus::BadInput(path, not_image);
    return fail(refused, TrText("Screen", "无法读取文件 ") + refused.Message());
  }
  if (const std::string size = image ? std::string() : ImageSizeRefusal(path, bytes); !size.empty()) {
    IoStatus refused = IoStatus::BadInput(path, size);
    return fail(refused, TrText("Screen", "无法读取文件 ") + refused.Message());
  }
  if (!image) {
    // A profile opens as it always did, with the load's own messages.
    out.status = view.LoadProfile(path);
    if (out.status) view.document().current_file_name = path;
    return out;
  }
  out.image = true;
  const SetupFile file = ReadImageSetup(*image, path, model, ask, ScreenData(view), force);
  out.cancelled = file.cancelled;
  if (file.cancelled) return out;
  if (!file.status) return fail(file.status, file.message);
  // Like a profile load, an image load is one step that undo takes back;
  // the screen shows it as after a read.
  view.RecordStep([&] {
    view.ShowSetup(*file.record, view.files().read_ini);
    view.document().current_file_name = path;
  });
  view.MarkClean();
  out.image_bytes = file.image_bytes;
  return out;
}

OpenOutcome OnFileOpenSetup(CKAVIRView& view, ModelQuestion* ask) {
  // Unsaved work is asked about before anything replaces it.
  if (!view.document().ConfirmDiscardChanges()) {
    OpenOutcome out;
    out.cancelled = true;
    return out;
  }
  const std::string path = view.ui().GetOpenFileName(SetupOrImageDialog());
  if (path.empty()) {
    OpenOutcome out;
    out.cancelled = true;
    return out;
  }
  view.ui().BeginProgress(TrText("Screen", "正在打开数据， 请稍候......."), 10, 10);
  view.ui().Pause(300);
  OpenOutcome out = OpenSetupFile(view, path, 0, ask);
  // The recent list holds the files opened here; an image reopens as a profile would not.
  if (out.status.ok && !out.cancelled && !out.image) view.document().RememberFile(path);
  view.ui().EndProgress();
  view.ui().SetStatusText(out.status.ok || out.cancelled ? TrText("Screen", "就绪") : TrText("Screen", "打开失败"));
  return out;
}

}  // namespace kavir
