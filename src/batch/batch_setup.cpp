#include "batch_setup.h"

#include <cstring>
#include <filesystem>
#include <random>

#include "../profile/atomic_file.h"
#include "../profile/ini_document.h"
#include "../profile/option_list.h"
#include "../profile/profile.h"
#include "../profile/profile_keys.h"

namespace kavir {

namespace {

// The band block holds the model as its entry number at 0x29A.
constexpr int kModelByte = 0x29A;

void FillCommon(BatchSetup& setup, const CKAVIRView& view) {
  const IniDocument kavir_ini = ReadIniFile(view.files().kavir_ini);
  setup.model_names = ReadOptionList(kavir_ini, "Type", kSettingListLimit);
  setup.timeouts = ReadTimeouts(kavir_ini);
  setup.files = view.files();
  setup.model_name = setup.ModelName(setup.model);
}

// Keeps the message, and whether a file operation failed (not the input).
std::nullopt_t Failed(const IoStatus& status, std::string* error, bool* io_failed) {
  *error = status.Message();
  if (io_failed && !status.bad_input) *io_failed = true;
  return std::nullopt;
}

bool Check(const CKAVIRView& view, std::string* error) {
  const std::vector<WriteProblem> problems = CheckBeforeWrite(view);
  if (problems.empty()) return true;
  *error = DescribeProblems(problems);
  return false;
}

}  // namespace

std::string BatchSetup::ModelName(int n) const {
  if (n >= 1 && n <= static_cast<int>(model_names.size())) return model_names[n - 1];
  return "第 " + std::to_string(n) + " 号机型";
}

std::optional<BatchSetup> SetupFromScreen(CKAVIRView& view, std::string* error, bool* io_failed) {
  const ComboBox* type = view.Combo("Type");
  if (!type || type->selected < 0) {
    *error = "no model is chosen on the screen";
    return std::nullopt;
  }
  if (!Check(view, error)) return std::nullopt;
  // As a write does: the screen goes into Write.ini, the channels come from there.
  const IoStatus stored = view.ClearAndStoreProfile(view.files().write_ini);
  if (!stored) return Failed(stored, error, io_failed);  // the message names Write.ini
  IoStatus loaded;
  const IniDocument write_ini = ReadIniFile(view.files().write_ini, &loaded);
  if (!loaded) return Failed(loaded, error, io_failed);
  BatchSetup setup;
  setup.image = EncodeImage(write_ini, view);
  setup.model = type->selected + 1;
  FillCommon(setup, view);
  return setup;
}

std::optional<BatchSetup> SetupFromImage(const Image& image, CKAVIRView& view, std::string* error,
                                         bool* io_failed) {
  const int model = image[kModelByte];
  const IniDocument kavir_ini = ReadIniFile(view.files().kavir_ini);
  const int types = static_cast<int>(ReadOptionList(kavir_ini, "Type", kSettingListLimit).size());
  if (model < 1 || model > types) {
    *error = "the image names model " + std::to_string(model) + ", not one of the " +
             std::to_string(types) + " models of " + view.files().kavir_ini;
    return std::nullopt;
  }
  // Decoded as a read of a radio holding it, into a scratch profile the
  // screen then opens.
  IniDocument profile;
  const std::uint8_t answer[20] = {'P', 'M', 0x10, static_cast<std::uint8_t>(model - 1)};
  ClearProfileKeys(profile);
  EvaluateHandshakeInto(profile, answer, sizeof answer, sizeof answer, view.files());
  DecodeImage(image, profile, kavir_ini);
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path scratch =
      fs::temp_directory_path(ec) / ("kavir-batch-" + std::to_string(std::random_device{}()) + ".ini");
  const std::string scratch_path = reinterpret_cast<const char*>(scratch.u8string().c_str());
  const IoStatus written = WriteIniFile(scratch_path, profile);
  if (!written) return Failed(written, error, io_failed);
  const IoStatus loaded = view.LoadProfile(scratch_path);
  fs::remove(scratch, ec);
  if (!loaded) return Failed(loaded, error, io_failed);
  if (!Check(view, error)) return std::nullopt;
  BatchSetup setup;
  setup.image = image;
  setup.model = model;
  FillCommon(setup, view);
  return setup;
}

std::optional<BatchSetup> SetupFromFile(const std::string& path, CKAVIRView& view,
                                        std::string* error, bool* io_failed) {
  IoStatus status;
  const std::string bytes = ReadWholeFile(path, &status);
  if (!status) return Failed(status, error, io_failed);
  if (LooksLikeImage(bytes)) {
    Image image;
    std::copy(bytes.begin(), bytes.end(), image.begin());
    auto setup = SetupFromImage(image, view, error, io_failed);
    if (!setup) *error = path + ": " + *error;
    return setup;
  }
  status = view.LoadProfile(path);
  if (!status) return Failed(status, error, io_failed);
  auto setup = SetupFromScreen(view, error, io_failed);
  if (!setup) *error = path + ":\n" + *error;
  return setup;
}

bool LooksLikeImage(const std::string& bytes) {
  if (bytes.size() != static_cast<std::size_t>(kImageSize)) return false;
  for (unsigned char c : bytes)
    if (c < 0x09) return true;
  return false;
}

}  // namespace kavir
