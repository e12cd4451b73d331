#pragma once
// What every command that works on a set-up starts from: the program
// directory read once as a started program reads it (no serial port, no
// screen), and the one set-up the command opens, changes and saves.
#include <optional>
#include <string>

#include "codec/codec.h"
#include "setup/program_data.h"
#include "setup/setup.h"
#include "setup/working_files.h"

namespace kavir::cli {

struct CliArgs;

struct SetupCommand {
  explicit SetupCommand(const WorkingFiles& files);
  // The same from the program directory as already read.
  explicit SetupCommand(ProgramData program);
  // The same, with --model N for radio images (checked by OpenFile).
  explicit SetupCommand(const CliArgs& args);

  ProgramData data;
  // The start-up model's set-up until a file is opened.
  Setup setup;
  std::string file_name;  // the file opened last, "" before
  // The bytes of the last file opened when it was a radio image.
  std::optional<Image> opened_image;

  // Exit code of the last failed OpenFile or SaveAs (see ExitCodeFor).
  int exit_code = 0;

  // KAVIR.ini gave its option lists: anything may be shown, saved, written or read.
  bool ListsUsable() const { return data.lists_status.ok; }
  // Why nothing may be saved without KAVIR.ini's option lists ("" if it may).
  std::string OptionListsRefusal() const;

  // Opens a profile file as the Open command does, or a radio image as a
  // read of a radio holding it would show it (model from --model, else
  // from a backup's file name). On failure returns false and sets *error
  // to a one-line reason (a missing file is an error here). What the load
  // lets through but may be wrong, and values it cuts short, are named on
  // stderr.
  bool OpenFile(const std::string& path, std::string* error);
  // The set-up as a read of the radio left it, as it would show.
  void ShowRecord(const Setup& record);
  // Saves the set-up as a profile file at path and remembers its model as
  // the next start's. On failure returns false and sets *error, naming
  // every file that could not be written.
  bool SaveAs(const std::string& path, std::string* error);

 private:
  std::string model_option;  // --model as given, "" when absent
  bool force_model = false;  // --force: --model wins over the image's own
};

}  // namespace kavir::cli
