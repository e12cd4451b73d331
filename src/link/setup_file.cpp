#include "setup_file.h"

#include "backup_names.h"
#include "codec/image_file.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "ini/translate.h"
#include "setup/profile_file.h"
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

SetupFile ReadSetupFile(const std::string& path, int model, ModelQuestion* ask, const ProgramData& data, bool force) {
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
    return Failed(
        out,
        IoStatus::BadInput(
            path, TrText("Screen", "不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。")),
        false);
  out.record = ReadSetupRecord(doc);
  return out;
}

}  // namespace kavir
