// kavir-cli show FILE: every profile key with what the screen shows for it
// after opening FILE (a frequency cell as typed, not padded as a save pads it).
#include <iostream>

#include "commands.h"
#include "open_screen.h"
#include "interchange/setup_compare.h"

namespace kavir::cli {

int RunShow(const CliArgs& args) {
  if (args.positional.size() != 1) return UsageError("show");
  OpenScreen screen(args);
  std::string error;
  if (!screen.OpenFile(args.positional[0], &error)) return Fail(screen.exit_code, error);
  for (const auto& [key, value] : ShownValues(screen.view.ToSetup())) std::cout << key << '=' << value << '\n';
  std::cout.flush();
  if (!std::cout) return Fail(kExitFailed, "could not write to standard output");
  return kExitOk;
}

}  // namespace kavir::cli
