// kavir-cli show FILE: the profile keys the screen holds after opening FILE.
#include <iostream>

#include "commands.h"
#include "open_screen.h"

namespace kavir::cli {

int RunShow(const CliArgs& args) {
  if (args.positional.size() != 1) return Fail(kExitBadInput, "usage: kavir-cli show FILE");
  OpenScreen screen(args.files);
  std::string error;
  if (!screen.OpenFile(args.positional[0], &error)) return Fail(screen.exit_code, error);
  for (const auto& [key, value] : screen.view.ProfileValues()) std::cout << key << '=' << value << '\n';
  std::cout.flush();
  if (!std::cout) return Fail(kExitFailed, "could not write to standard output");
  return kExitOk;
}

}  // namespace kavir::cli
