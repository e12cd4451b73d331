#pragma once
// Opening a set-up file onto the screen (link/setup_file.h reads it).
#include <optional>
#include <string>

#include "codec/codec.h"
#include "ini/io_status.h"
#include "link/setup_file.h"
#include "setup/program_data.h"

namespace kavir {

class CKAVIRView;

struct OpenOutcome {
  IoStatus status;
  bool image = false;                // the file was a radio image
  std::optional<Image> image_bytes;  // its bytes, once it is on the screen
  bool cancelled = false;            // the user gave no model for an image
};

// Opens path into the screen, models of images as ReadSetupFile finds them.
// Failures are also shown through the screen's ShowError; the screen
// changes only when the open succeeds (one undoable step), and then the
// current file name becomes path.
OpenOutcome OpenSetupFile(CKAVIRView& view, const std::string& path, int model, ModelQuestion* ask, bool force = false);

// The Open command: file dialog, progress, then OpenSetupFile.
OpenOutcome OnFileOpenSetup(CKAVIRView& view, ModelQuestion* ask);

// What the screen knows of the program directory: its files and the option
// lists it was set up with (the start set-up is what it shows now).
ProgramData ScreenData(const CKAVIRView& view);

}  // namespace kavir
