#pragma once
// Opening a set-up file into the screen: a profile file as Open always did,
// or a radio image decoded as a read of a radio holding it would be.
#include <optional>
#include <string>
#include <vector>

#include "../codec/codec.h"
#include "../profile/io_status.h"

namespace kavir {

class CKAVIRView;

// Asks the user which model an image belongs to: the entry number (from 1)
// of `models`, or 0 to give up.
class ModelQuestion {
 public:
  virtual ~ModelQuestion() = default;
  virtual int AskModel(const std::string& path, const std::vector<std::string>& models) = 0;
};

struct OpenOutcome {
  IoStatus status;
  bool image = false;      // the file was a radio image
  std::optional<Image> image_bytes;  // its bytes, once it is on the screen
  bool cancelled = false;  // the user gave no model for an image
};

// Opens path into the screen. For an image the model is `model` when it is
// not 0, else the one a backup's file name names, else the one `ask`
// answers (no ask: refused). Failures are also shown through the screen's
// ShowError; the screen changes only when the open succeeds, and then the
// current file name becomes path.
OpenOutcome OpenSetupFile(CKAVIRView& view, const std::string& path, int model, ModelQuestion* ask);

// The Open command: file dialog, progress, then OpenSetupFile.
OpenOutcome OnFileOpenSetup(CKAVIRView& view, ModelQuestion* ask);

}  // namespace kavir
