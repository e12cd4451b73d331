#include "open_screen.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli_args.h"
#include "link_session.h"
#include "profile/atomic_file.h"
#include "profile/file_path.h"
#include "profile/gbk.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"

namespace kavir::cli {

OpenScreen::OpenScreen(const WorkingFiles& files) : view(files, ui) {
  ui.print_errors = false;  // set-up errors are printed once, below
  view.OnInitialUpdate(nullptr);
  // Without KAVIR.ini's option lists every command refuses, saying why
  // (OptionListsRefusal); a missing QTDQT.ini leaves only its lists empty.
  std::error_code ec;
  if (!std::filesystem::exists(PathFromUtf8(files.qtdqt_ini), ec))
    std::cerr << "kavir-cli: warning: " << files.qtdqt_ini
              << " is missing, so its option lists are empty (use --dir to name the program directory)\n";
  // Set-up goes on without what it could not read; say so, then let the
  // command report its own failures in one line. The option-list message
  // is the command's to say, in the command line's words.
  for (const std::string& e : ui.errors())
    if (e != OneLineText(view.OptionListsMessage())) std::cerr << "kavir-cli: warning: " << e << "\n";
  ui.print_errors = false;
}

OpenScreen::OpenScreen(const CliArgs& args) : OpenScreen(args.files) {
  model_option = args.Option("model").value_or("");
  force_model = args.Flag("force");
}

std::string OpenScreen::OptionListsRefusal() const {
  const IoStatus& lists = view.option_lists_status();
  if (lists.ok) return {};
  return lists.path + " " + lists.reason +
         ": without its option lists no set-up can be shown, saved, written or read (put the program's "
         "KAVIR.ini there, or name the program directory with --dir)";
}

bool OpenScreen::OpenFile(const std::string& path, std::string* error) {
  exit_code = kExitBadInput;
  // Every value would come out blank.
  if (!view.option_lists_status().ok) {
    *error = path + " not opened: " + OptionListsRefusal();
    return false;
  }
  std::string reason;
  switch (KindOfFile(path, &reason)) {
    case FileKind::Missing: *error = path + ": no such file"; return false;
    case FileKind::Folder: *error = path + ": is a folder, not a profile file"; return false;
    case FileKind::Unreachable: *error = path + ": " + reason; return false;
    case FileKind::Regular:
    case FileKind::Other: break;
  }
  int model = 0;
  if (!model_option.empty()) {
    const ComboBox* type = view.Combo("Type");
    const int types = type ? static_cast<int>(type->options.size()) : 0;
    model = LeadingInt(model_option, 0);
    if (std::to_string(model) != model_option || model < 1 || model > types) {
      *error = "--model must be a model number from 1 to " + std::to_string(types) + " of " +
               view.files().kavir_ini + " (got '" + model_option + "')";
      return false;
    }
  }
  const std::size_t errors_before = ui.errors().size();
  const OpenOutcome outcome = OpenSetupFile(view, path, model, nullptr, force_model);
  opened_image = outcome.image_bytes;
  if (!outcome.status || ui.errors().size() != errors_before) {
    *error = ui.errors().size() != errors_before ? ui.errors().back() : outcome.status.Message();
    if (outcome.image && !force_model) *error += " (--model N --force opens it as model N)";
    // An image's model is the caller's to name; anything else as the file said.
    if (!outcome.image) exit_code = ExitCodeFor(outcome.status.bad_input);
    return false;
  }
  // A load keeps 19 bytes of a value; say which ones lost the rest.
  if (!outcome.image)
    for (const LongValue& v : LongProfileValues(ReadIniFile(path)))
      std::cerr << "kavir-cli: warning: " << path << ": " << v.key << " is " << GbkLength(v.value)
                << " bytes long; only the first " << kValueBuffer - 1 << " are kept (\""
                << ClipToGbkBytes(v.value, kValueBuffer - 1) << "\"), so saving this file shortens it\n";
  return true;
}

bool OpenScreen::SaveAs(const std::string& path, std::string* error) {
  if (path.empty()) {
    *error = "no output file name given";
    exit_code = kExitBadInput;
    return false;
  }
  if (!view.option_lists_status().ok) {
    *error = "nothing saved: " + OptionListsRefusal();
    exit_code = kExitBadInput;
    return false;
  }
  const std::size_t errors_before = ui.errors().size();
  IoStatus saved;
  view.SaveTo(path, &saved);
  if (ui.errors().size() == errors_before && saved) return true;
  // Every file that failed, the profile and KAVIR.ini's PreviousType alike.
  error->clear();
  for (std::size_t i = errors_before; i < ui.errors().size(); ++i)
    *error += (error->empty() ? "" : "; ") + OneLineText(ui.errors()[i]);
  if (error->empty()) *error = saved.Message();
  exit_code = ExitCodeFor(!saved.ok && saved.bad_input);
  return false;
}

}  // namespace kavir::cli
