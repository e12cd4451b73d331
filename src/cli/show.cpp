// kavir-cli show FILE: every profile key with what the screen shows for it
// after opening FILE (a frequency cell as typed, not padded as a save pads it).
#include <iostream>

#include "commands.h"
#include "interchange/setup_compare.h"
#include "setup/profile_setup.h"
#include "setup_command.h"

namespace kavir::cli {

int RunShow(const CliArgs& args) {
  if (args.positional.size() != 1) return UsageError("show");
  SetupCommand command(args);
  std::string error;
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);
  const Setup& shown = command.setup;
  for (const auto& [key, value] : ShownValues(shown)) std::cout << key << '=' << value << '\n';
  std::cout.flush();
  if (!std::cout) return Fail(kExitFailed, "could not write to standard output");
  // Shown as the file says, but a frequency no radio could take is refused.
  const std::vector<std::string> problems = FrequencyTextProblems(shown);
  for (const std::string& p : problems) std::cerr << "kavir-cli: " << p << "\n";
  return problems.empty() ? kExitOk : kExitBadInput;
}

}  // namespace kavir::cli
