#pragma once
// The programming screen of the command line: set up from the program
// directory as at start-up (no serial port), ready to open a profile file.
#include <optional>
#include <string>

#include "cli_ui.h"
#include "codec/codec.h"
#include "profile/working_files.h"
#include "screen/kavir_view.h"
#include "screen/open_setup.h"

namespace kavir::cli {

struct CliArgs;

struct OpenScreen {
  explicit OpenScreen(const WorkingFiles& files);
  // The same, with --model N for radio images (checked by OpenFile).
  explicit OpenScreen(const CliArgs& args);

  CliUi ui;
  CKAVIRView view;

  // Exit code of the last failed OpenFile or SaveAs (see ExitCodeFor).
  int exit_code = 0;

  // Opens a profile file as the Open command does, or a radio image as a
  // read of a radio holding it would fill the screen (model from --model,
  // else from a backup's file name). On failure returns false and sets
  // *error to a one-line reason (a missing file is an error here). Values a
  // load cuts short are named on stderr.
  bool OpenFile(const std::string& path, std::string* error);
  // The bytes of the last file opened when it was a radio image.
  std::optional<Image> opened_image;
  std::string model_option;  // --model as given, "" when absent
  bool force_model = false;  // --force: --model wins over the image's own
  // Save As to path. On failure returns false and sets *error, naming every
  // file that could not be written.
  bool SaveAs(const std::string& path, std::string* error);
  // Why nothing may be saved without KAVIR.ini's option lists ("" if it may).
  std::string OptionListsRefusal() const;
};

}  // namespace kavir::cli
