#pragma once
// Opening a set-up file without a screen: a profile file as Open reads it,
// or a radio image decoded as a read of a radio holding it would be,
// without touching Read.ini. The command line, compare and batch take the
// values from here; the screen shows them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/codec.h"
#include "ini/io_status.h"
#include "setup/program_data.h"

namespace kavir {

// Asks the user which model an image belongs to: the entry number (from 1)
// of `models`, or 0 to give up.
class ModelQuestion {
 public:
  virtual ~ModelQuestion() = default;
  virtual int AskModel(const std::string& path, const std::vector<std::string>& models) = 0;
};

struct SetupFile {
  IoStatus status;
  std::string message;     // what to tell the user when status failed
  bool image = false;      // the file is a radio image
  bool cancelled = false;  // the user gave no model for the image
  std::optional<Image> image_bytes;
  // The values as a load reads them, not yet resolved against the option
  // lists (ProgramData::Resolve or the screen does that).
  std::optional<Setup> record;
};

// The set-up in path. For an image the model is the one it names; `model`
// (when not 0) or a backup's file name that names another is refused
// unless force (ImageOpenModel); a model whose file gives no upper band
// limit is refused as a read refuses it. 768 bytes without an image's
// fixed bytes, or a file that is neither, are refused.
SetupFile ReadSetupFile(const std::string& path, int model, ModelQuestion* ask, const ProgramData& data,
                        bool force = false);
// The same for an image already read from path.
SetupFile ReadImageSetup(const Image& image, const std::string& path, int model, ModelQuestion* ask,
                         const ProgramData& data, bool force = false);

// A file that holds no profile but looks meant as a radio image (within a
// few bytes of 768, or named .img or .bin) is refused with its size rather
// than as "not a data file". "" for any other file.
std::string ImageSizeRefusal(const std::string& path, std::string_view bytes);

}  // namespace kavir
