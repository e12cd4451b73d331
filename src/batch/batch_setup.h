#pragma once
// The set-up a batch writes into every radio: the 768 bytes, the model the
// radios must name, and what the link needs, checked once before the first
// radio.
#include <optional>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "link/link_settings.h"
#include "setup/program_data.h"

namespace kavir {

struct BatchSetup {
  Image image{};
  int model = 0;  // model number the radios must name
  std::string model_name;
  std::vector<std::string> model_names;  // KAVIR.ini's Type list, for the log
  Timeouts timeouts;
  WorkingFiles files;
  std::string backup_path;  // the image as kept in backups/ once the job starts
  ProgramData data;         // to read a radio's image as a read would

  // The name of model number n as KAVIR.ini gives it.
  std::string ModelName(int n) const;
  // What every radio will hold, read as a read would show it (nullopt
  // when the image cannot be read as a set-up).
  std::optional<Setup> Planned() const;
  // How many settings writing image into a radio holding radio (of model
  // radio_model) changes, as the list of changes counts them; nullopt when
  // either cannot be read as a set-up.
  std::optional<std::size_t> ChangedSettings(const Image& radio, int radio_model) const;
};

// A set-up as it is (the screen's, or a file's): the pre-write check,
// Write.ini stored as a write stores it, the image encoded from the same
// set-up. nullopt with *error naming every problem; nothing is written
// then. *io_failed (when given) is set when a file operation failed rather
// than the input being unusable.
std::optional<BatchSetup> BatchSetupOf(const Setup& setup, const ProgramData& data, std::string* error,
                                       bool* io_failed = nullptr);

// A raw 768-byte image (a backup, or kavir-cli encode's output). Its model
// comes from its band block; the set-up it holds gets the same pre-write
// check. The image is written as it is, byte for byte.
std::optional<BatchSetup> SetupFromImage(const Image& image, const ProgramData& data, std::string* error,
                                         bool* io_failed = nullptr);

// A profile file or a raw image file, opened as a started program would
// open it and checked as above.
std::optional<BatchSetup> SetupFromFile(const std::string& path, const ProgramData& data, std::string* error,
                                        bool* io_failed = nullptr);

}  // namespace kavir
