#include "open_screen.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli_args.h"
#include "../interchange/open_setup.h"
#include "../profile/file_path.h"

namespace kavir::cli {

OpenScreen::OpenScreen(const WorkingFiles& files) : view(files, ui) {
  view.OnInitialUpdate(nullptr);
  // Without the data files every list is empty and values would silently
  // come out blank: say which folder lacks them.
  std::error_code ec;
  for (const std::string* f : {&files.kavir_ini, &files.qtdqt_ini})
    if (!std::filesystem::exists(PathFromUtf8(*f), ec))
      std::cerr << "kavir-cli: warning: " << *f
                << " is missing, so the option lists are empty (use --dir to name the program directory)\n";
  // Set-up goes on without what it could not read; say so, then let the
  // command report its own failures in one line.
  for (const std::string& e : ui.errors()) std::cerr << "kavir-cli: warning: " << e << "\n";
  ui.print_errors = false;
}

OpenScreen::OpenScreen(const CliArgs& args) : OpenScreen(args.files) {
  model_option = args.Option("model").value_or("");
}

bool OpenScreen::OpenFile(const std::string& path, std::string* error) {
  std::error_code ec;
  const std::filesystem::path p = PathFromUtf8(path);
  if (!std::filesystem::exists(p, ec)) {
    *error = path + ": no such file";
    return false;
  }
  if (std::filesystem::is_directory(p, ec)) {
    *error = path + ": is a folder, not a profile file";
    return false;
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
  const OpenOutcome outcome = OpenSetupFile(view, path, model, nullptr);
  opened_image = outcome.image_bytes;
  if (!outcome.status || ui.errors().size() != errors_before) {
    *error = ui.errors().size() != errors_before ? ui.errors().back() : outcome.status.Message();
    if (outcome.image && model == 0) *error += " (--model N)";
    return false;
  }
  return true;
}

bool OpenScreen::SaveAs(const std::string& path, std::string* error) {
  const std::size_t errors_before = ui.errors().size();
  ui.save_path = path;
  view.OnFileSaveAsDat();
  if (ui.errors().size() != errors_before) {
    *error = ui.errors().back();
    return false;
  }
  return true;
}

}  // namespace kavir::cli
