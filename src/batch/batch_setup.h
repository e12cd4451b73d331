#pragma once
// The set-up a batch writes into every radio: the 768 bytes, the model the
// radios must name, and what the link needs, checked once before the first
// radio.
#include <optional>
#include <string>
#include <vector>

#include "../codec/codec.h"
#include "../link/link_settings.h"
#include "../screen/kavir_view.h"

namespace kavir {

struct BatchSetup {
  Image image{};
  int model = 0;                         // model number the radios must name
  std::string model_name;
  std::vector<std::string> model_names;  // KAVIR.ini's Type list, for the log
  Timeouts timeouts;
  WorkingFiles files;

  // The name of model number n as KAVIR.ini gives it.
  std::string ModelName(int n) const;
};

// The screen as it is: the pre-write check, Write.ini stored as a write
// stores it, the image encoded from it. nullopt with *error naming every
// problem; nothing is written then. *io_failed (when given) is set when a
// file operation failed rather than the input being unusable.
std::optional<BatchSetup> SetupFromScreen(CKAVIRView& view, std::string* error, bool* io_failed = nullptr);

// A raw 768-byte image (a backup, or kavir-cli encode's output). Its model
// comes from its band block; it is loaded into view so the same pre-write
// check runs on it. The image is written as it is, byte for byte.
std::optional<BatchSetup> SetupFromImage(const Image& image, CKAVIRView& view, std::string* error,
                                         bool* io_failed = nullptr);

// A profile file or a raw image file, opened into view (the screen of the
// set-up, not the user's) and checked as above.
std::optional<BatchSetup> SetupFromFile(const std::string& path, CKAVIRView& view,
                                        std::string* error, bool* io_failed = nullptr);

// Whether a file's bytes are a raw image rather than a profile: exactly 768
// bytes holding control bytes no profile text has.
bool LooksLikeImage(const std::string& bytes);

}  // namespace kavir
