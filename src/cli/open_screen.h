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

  // Exit code of the last failed OpenFile or SaveAs (see ExitCodeFor).
  int exit_code = 0;

  // Opens path as the Open command does. On failure returns false and sets
  // *error to a one-line reason (a missing file is an error here). Values a
  // load cuts short are named on stderr.
  bool OpenFile(const std::string& path, std::string* error);
  // Save As to path. On failure returns false and sets *error, naming every
  // file that could not be written.
  bool SaveAs(const std::string& path, std::string* error);
  // Why nothing may be saved without KAVIR.ini's option lists ("" if it may).
  std::string OptionListsRefusal() const;
};

}  // namespace kavir::cli
