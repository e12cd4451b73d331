#pragma once
// The programming screen of the command line: set up from the program
// directory as at start-up (no serial port), ready to open a profile file.
#include <string>

#include "cli_ui.h"
#include "../profile/working_files.h"
#include "../screen/kavir_view.h"

namespace kavir::cli {

struct OpenScreen {
  explicit OpenScreen(const WorkingFiles& files);

  CliUi ui;
  CKAVIRView view;

  // Opens path as the Open command does. On failure returns false and sets
  // *error to a one-line reason (a missing file is an error here).
  bool OpenFile(const std::string& path, std::string* error);
  // Save As to path. On failure returns false and sets *error.
  bool SaveAs(const std::string& path, std::string* error);
};

}  // namespace kavir::cli
