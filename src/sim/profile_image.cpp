#include "profile_image.h"

#include <filesystem>

#include "../codec/codec.h"
#include "../profile/file_path.h"
#include "../profile/ini_document.h"
#include "../screen/kavir_view.h"

namespace kavir::sim {


bool BuildImageFromProfile(const std::string& profile, const std::string& program_dir,
                           RadioImage* image, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(PathFromUtf8(profile), ec)) {
    *error = profile + ": no such profile file";
    return false;
  }
  WorkingFiles files = program_dir.empty() ? WorkingFiles::FromCurrentDirectory()
                                           : WorkingFiles::FromDirectory(program_dir);
  HeadlessUi ui;  // no window: prompts say No, errors are kept
  CKAVIRView view(files, ui);
  view.OnInitialUpdate(nullptr);
  IoStatus loaded = view.LoadProfile(profile);
  if (!loaded) {
    *error = loaded.Message();
    return false;
  }
  // The encoders read the screen as stored, as a write does.
  IniDocument write_ini;
  view.StoreInto(write_ini);
  Image built = EncodeImage(write_ini, view);
  std::copy(built.begin(), built.end(), image->begin());
  return true;
}

}  // namespace kavir::sim
