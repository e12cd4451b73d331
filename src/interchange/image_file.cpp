#include "image_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "../link/backups.h"
#include "../profile/ini_document.h"
#include "../profile/profile.h"
#include "../screen/kavir_view.h"

namespace kavir {

std::optional<Image> AsRadioImage(std::string_view bytes) {
  if (bytes.size() != static_cast<std::size_t>(kImageSize)) return std::nullopt;
  // A sparse profile could be 768 bytes long too; it names its section.
  std::string lower(bytes);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (lower.find("[previous]") != std::string::npos) return std::nullopt;
  Image image;
  std::memcpy(image.data(), bytes.data(), image.size());
  return image;
}

int ModelFromBackupName(const std::string& path, const std::vector<std::string>& models) {
  const std::filesystem::path p(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
  const std::u8string name8 = p.filename().u8string();
  const std::string name(name8.begin(), name8.end());
  std::string rest;
  for (const char* kind : {"read-", "write-"})
    if (name.rfind(kind, 0) == 0) rest = name.substr(std::strlen(kind));
  if (rest.empty()) return 0;
  // The longest model name that the name goes on with, followed by '-'.
  int best = 0;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < models.size(); ++i) {
    const std::string m = BackupModelName(models[i]) + "-";
    if (rest.rfind(m, 0) == 0 && m.size() > best_length) {
      best = static_cast<int>(i) + 1;
      best_length = m.size();
    }
  }
  return best;
}

IoStatus LoadImageIntoView(const Image& image, int model, CKAVIRView& view) {
  const WorkingFiles& files = view.files();
  IniDocument read_ini;
  ClearProfileKeys(read_ini);
  if (model < 1 || model > 128)
    return IoStatus::Fail(files.kavir_ini, "model " + std::to_string(model) + " is not in the Type list");
  PutModelKeys(read_ini, model, files);
  DecodeImage(image, read_ini, ReadIniFile(files.kavir_ini));
  if (LeadingInt(read_ini.GetString("Previous", "FreqU", "", 10), 0) == 0) {
    const std::string type = read_ini.GetString("Previous", "Type", "", 20);
    return IoStatus::Fail(files.ModelFile(type), "the model file gives no upper band limit");
  }
  // The screen is loaded as after a read, from what Read.ini would hold.
  view.LoadProfileDocument(read_ini, files.read_ini);
  return IoStatus::Ok();
}

ScreenImage BuildScreenImage(const CKAVIRView& view) {
  ScreenImage out;
  out.problems = CheckBeforeWrite(view);
  if (!out.problems.empty()) return out;
  // The encoders read the channels as stored, as a write does.
  IniDocument write_ini;
  view.StoreInto(write_ini);
  out.image = EncodeImage(write_ini, view);
  return out;
}

}  // namespace kavir
