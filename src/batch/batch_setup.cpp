#include "batch_setup.h"

#include "codec/image_file.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "ini/translate.h"
#include "interchange/setup_compare.h"
#include "link/setup_file.h"
#include "setup/profile_file.h"
#include "setup/profile_setup.h"

namespace kavir {

namespace {

BatchSetup Common(const Image& image, int model, const ProgramData& data) {
  BatchSetup setup;
  setup.image = image;
  setup.model = model;
  setup.model_names = data.models();
  setup.timeouts = ReadTimeouts(data.config.ini());
  setup.files = data.files;
  setup.model_name = setup.ModelName(model);
  setup.data = data;
  return setup;
}

// Keeps the message, and whether a file operation failed (not the input).
std::nullopt_t Failed(const IoStatus& status, std::string* error, bool* io_failed) {
  *error = status.Message();
  if (io_failed && !status.bad_input) *io_failed = true;
  return std::nullopt;
}

bool Check(const Setup& setup, const ProgramData& data, std::string* error) {
  const std::vector<WriteProblem> problems = CheckBeforeWrite(setup, data.channel_lists);
  if (problems.empty()) return true;
  *error = DescribeProblems(problems);
  return false;
}

}  // namespace

std::string BatchSetup::ModelName(int n) const {
  if (n >= 1 && n <= static_cast<int>(model_names.size())) return model_names[n - 1];
  return ArgText(TrText("Link", "第 %1 号机型"), {std::to_string(n)});
}

std::optional<Setup> BatchSetup::Planned() const {
  const std::optional<Setup> record = ImageRecord(image, model, data, nullptr);
  if (!record) return std::nullopt;
  return data.Resolve(*record);
}

std::optional<std::size_t> BatchSetup::ChangedSettings(const Image& radio, int radio_model) const {
  // Both sides read the same way, so only what the radio would show differently counts.
  const std::optional<Setup> held = ImageRecord(radio, radio_model, data, nullptr);
  const std::optional<Setup> planned = Planned();
  if (!held || !planned) return std::nullopt;
  return CompareSetups(data.Resolve(*held), *planned).size();
}

std::optional<BatchSetup> BatchSetupOf(const Setup& setup, const ProgramData& data, std::string* error,
                                       bool* io_failed) {
  if (!data.lists_status) return Failed(data.lists_status, error, io_failed);
  if (setup[Setting::Type].index < 0) {
    *error = "no model is chosen on the screen";
    return std::nullopt;
  }
  if (!Check(setup, data, error)) return std::nullopt;
  // As a write does: the set-up goes into Write.ini, and the image is
  // encoded from the same set-up.
  const IoStatus stored = SaveSetupRecord(data.files.write_ini, setup);
  if (!stored) return Failed(stored, error, io_failed);  // the message names Write.ini
  return Common(EncodeImage(setup, data.identity), setup[Setting::Type].index + 1, data);
}

std::optional<BatchSetup> SetupFromImage(const Image& image, const ProgramData& data, std::string* error,
                                         bool* io_failed) {
  const int model = ImageModel(image);
  const int types = static_cast<int>(data.models().size());
  if (model < 1 || model > types) {
    *error = "the image names model " + std::to_string(model) + ", not one of the " + std::to_string(types) +
             " models of " + data.files.kavir_ini;
    return std::nullopt;
  }
  // Checked as a read of a radio holding it would show it.
  IoStatus why;
  const std::optional<Setup> record = ImageRecord(image, model, data, &why);
  if (!record) return Failed(why, error, io_failed);
  if (!Check(data.Resolve(*record), data, error)) return std::nullopt;
  return Common(image, model, data);
}

std::optional<BatchSetup> SetupFromFile(const std::string& path, const ProgramData& data, std::string* error,
                                        bool* io_failed) {
  // Opened as the command line and a comparison open a file.
  const SetupFile file = ReadSetupFile(path, 0, nullptr, data);
  if (!file.status || !file.record) {
    *error = file.message.empty() ? file.status.Message() : file.message;
    if (io_failed && !file.status.bad_input) *io_failed = true;
    return std::nullopt;
  }
  if (file.image) {
    auto setup = SetupFromImage(*file.image_bytes, data, error, io_failed);
    if (!setup) *error = path + ": " + *error;
    return setup;
  }
  auto setup = BatchSetupOf(data.Resolve(*file.record), data, error, io_failed);
  if (!setup) *error = path + ":\n" + *error;
  return setup;
}

}  // namespace kavir
