#include "open_setup.h"

#include "kavir_view.h"
#include "codec/image_file.h"
#include "link/backup_names.h"
#include "profile/atomic_file.h"
#include "profile/ini_document.h"
#include "profile/profile.h"
#include "profile/translate.h"
#include "setup/profile_setup.h"

namespace kavir {

namespace {

SetupFile Failed(SetupFile out, IoStatus status, bool with_prefix = true) {
  out.message = (with_prefix ? TrText("Screen", "无法读取文件 ") : std::string()) + status.Message();
  out.status = std::move(status);
  return out;
}

bool NamedAsImage(const std::string& path) {
  const std::size_t dot = path.find_last_of("./\\");
  if (dot == std::string::npos || path[dot] != '.') return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == "img" || ext == "bin";
}

}  // namespace

std::string ImageSizeRefusal(const std::string& path, std::string_view bytes) {
  const std::size_t size = bytes.size();
  // A byte lost or added in a copy, a truncated download.
  const bool near = size >= 700 && size <= 840;
  if (size == static_cast<std::size_t>(kImageSize) || !(near || NamedAsImage(path))) return {};
  if (HasProfileContent(IniDocument::Parse(bytes))) return {};
  if (size == 1) return TrText("Screen", "只有 1 字节, 而电台数据有 768 字节 (也不是含 [Previous] 设置的数据文件)");
  return ArgText(TrText("Screen", "有 %1 字节, 而电台数据有 768 字节 (也不是含 [Previous] 设置的数据文件)"),
                 {std::to_string(size)});
}

SetupFile ReadImageSetup(const Image& image, const std::string& path, int model, ModelQuestion* ask,
                         const ProgramData& data, bool force) {
  SetupFile out;
  out.image = true;
  const std::vector<std::string>& models = data.models();
  std::string contradiction;
  model = ImageOpenModel(image, model, ModelFromBackupName(path, models), force, &contradiction);
  if (!contradiction.empty()) return Failed(out, IoStatus::BadInput(path, contradiction));
  if (model == 0 && ask) {
    model = ask->AskModel(path, models);
    if (model == 0) {
      out.cancelled = true;
      return out;
    }
  }
  if (model == 0)
    return Failed(out, IoStatus::Fail(path, "a radio image does not say which model it belongs to: name the model"));
  if (model < 0 || model > static_cast<int>(models.size()))
    return Failed(out, IoStatus::Fail(path, "model " + std::to_string(model) + " is not in the Type list (1 to " +
                                                std::to_string(models.size()) + ")"));
  IoStatus why;
  out.record = ImageRecord(image, model, data, &why);
  if (!out.record) return Failed(out, why);
  out.image_bytes = image;
  return out;
}

SetupFile ReadSetupFile(const std::string& path, int model, ModelQuestion* ask, const ProgramData& data,
                        bool force) {
  SetupFile out;
  const std::string bytes = ReadWholeFile(path, &out.status);
  if (!out.status) return Failed(out, out.status);
  std::string not_image;
  if (const std::optional<Image> image = AsRadioImage(bytes, &not_image))
    return ReadImageSetup(*image, path, model, ask, data, force);
  if (!not_image.empty()) return Failed(out, IoStatus::BadInput(path, not_image));
  if (const std::string size = ImageSizeRefusal(path, bytes); !size.empty())
    return Failed(out, IoStatus::BadInput(path, size));
  const IniDocument doc = IniDocument::Parse(bytes);
  // A file without the section would blank every value.
  if (!HasProfileContent(doc))
    return Failed(out,
                  IoStatus::BadInput(path, TrText("Screen", "不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。")),
                  false);
  out.record = ReadSetupRecord(doc);
  return out;
}

ProgramData ScreenData(const CKAVIRView& view) {
  ProgramData data;
  data.files = view.files();
  data.lists = view.option_lists();
  data.channel_lists = view.channel_lists;
  data.lists_status = view.option_lists_status();
  data.identity = view.radio_identity();
  data.start = view.ToSetup();
  return data;
}

OpenOutcome OpenSetupFile(CKAVIRView& view, const std::string& path, int model, ModelQuestion* ask,
                          bool force) {
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
    if (out.status) view.current_file_name = path;
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
    view.current_file_name = path;
  });
  view.MarkClean();
  out.image_bytes = file.image_bytes;
  return out;
}

OpenOutcome OnFileOpenSetup(CKAVIRView& view, ModelQuestion* ask) {
  // Unsaved work is asked about before anything replaces it.
  if (!view.ConfirmDiscardChanges()) {
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
  if (out.status.ok && !out.cancelled && !out.image) view.RememberFile(path);
  view.ui().EndProgress();
  view.ui().SetStatusText(out.status.ok || out.cancelled ? TrText("Screen", "就绪") : TrText("Screen", "打开失败"));
  return out;
}

}  // namespace kavir
