#include "open_setup.h"

#include "image_file.h"
#include "../profile/atomic_file.h"
#include "../screen/kavir_view.h"

namespace kavir {

OpenOutcome OpenSetupFile(CKAVIRView& view, const std::string& path, int model, ModelQuestion* ask) {
  OpenOutcome out;
  auto fail = [&](IoStatus status) {
    view.ui().ShowError("无法读取文件 " + status.Message(), CKAVIRView::kMessageCaption);
    out.status = std::move(status);
    return out;
  };
  const std::string bytes = ReadWholeFile(path, &out.status);
  if (!out.status) return fail(out.status);
  const std::optional<Image> image = AsRadioImage(bytes);
  if (!image) {
    out.status = view.LoadProfile(path);
    if (out.status) view.current_file_name = path;
    return out;
  }
  out.image = true;
  const ComboBox* type = view.Combo("Type");
  const std::vector<std::string> models = type ? type->options : std::vector<std::string>{};
  if (model == 0) model = ModelFromBackupName(path, models);
  if (model == 0 && ask) {
    model = ask->AskModel(path, models);
    if (model == 0) {
      out.cancelled = true;
      return out;
    }
  }
  if (model == 0)
    return fail(IoStatus::Fail(path, "a radio image does not say which model it belongs to: name the model"));
  if (model < 0 || model > static_cast<int>(models.size()))
    return fail(IoStatus::Fail(path, "model " + std::to_string(model) + " is not in the Type list (1 to " +
                                         std::to_string(models.size()) + ")"));
  // Like a profile load, an image load is one step that undo takes back.
  IoStatus loaded;
  view.RecordStep([&] {
    loaded = LoadImageIntoView(*image, model, view);
    if (loaded) view.current_file_name = path;
  });
  if (!loaded) return fail(loaded);
  view.MarkClean();
  out.image_bytes = image;
  return out;
}

OpenOutcome OnFileOpenSetup(CKAVIRView& view, ModelQuestion* ask) {
  // Unsaved work is asked about before anything replaces it.
  if (!view.ConfirmDiscardChanges()) {
    OpenOutcome out;
    out.cancelled = true;
    return out;
  }
  const std::string path = view.ui().GetOpenFileName(FileDialogParams{});
  if (path.empty()) {
    OpenOutcome out;
    out.cancelled = true;
    return out;
  }
  view.ui().BeginProgress("正在打开数据， 请稍候.......", 10, 10);
  view.ui().Pause(300);
  OpenOutcome out = OpenSetupFile(view, path, 0, ask);
  view.ui().EndProgress();
  return out;
}

}  // namespace kavir
