#include "profile_image.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "../codec/codec.h"
#include "../profile/ini_document.h"
#include "../screen/kavir_view.h"

namespace kavir::sim {

namespace {

// The screen here has no window: errors are collected, prompts say No.
class QuietUi : public ScreenUi {
 public:
  std::string first_error;
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void ShowError(const std::string& text, const std::string&) override {
    if (first_error.empty()) first_error = text;
  }
  void SetStatusText(const std::string&) override {}
  void Beep(int, int) override {}
  void BeginProgress(const std::string&, short, short) override {}
  void EndProgress() override {}
  std::string GetOpenFileName(const FileDialogParams&) override { return {}; }
  std::string GetSaveFileName(const FileDialogParams&) override { return {}; }
  void Repaint() override {}
  void SetCursor(Cursor) override {}
  void Pause(int) override {}
};

}  // namespace

bool BuildImageFromProfile(const std::string& profile, const std::string& program_dir,
                           RadioImage* image, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(profile, ec)) {
    *error = profile + ": no such profile file";
    return false;
  }
  WorkingFiles files = program_dir.empty() ? WorkingFiles::FromCurrentDirectory()
                                           : WorkingFiles::FromDirectory(program_dir);
  QuietUi ui;
  CKAVIRView view(files, ui);
  view.OnInitialUpdate(nullptr);
  IoStatus loaded = view.LoadProfile(profile);
  if (!loaded) {
    *error = loaded.Message();
    return false;
  }
  // The encoders read the screen as stored, as a write does.
  std::string temp = (std::filesystem::temp_directory_path() /
                      ("kavir-radio-sim-" + std::to_string(getpid()) + ".ini"))
                         .string();
  IoStatus stored = view.ClearAndStoreProfile(temp);
  IniDocument write_ini = ReadIniFile(temp);
  std::remove(temp.c_str());
  if (!stored) {
    *error = stored.Message();
    return false;
  }
  Image built = EncodeImage(write_ini, view);
  std::copy(built.begin(), built.end(), image->begin());
  return true;
}

}  // namespace kavir::sim
