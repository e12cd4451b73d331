// kavir-cli diff A B [--model N]: what differs between two set-ups
// (profile files or radio images, in any mix), one line per difference.
#include <iostream>

#include "commands.h"
#include "interchange/setup_compare.h"
#include "setup_command.h"

namespace kavir::cli {

int RunDiff(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("diff");
  SetupCommand a(args);
  SetupCommand b(args);
  std::string error;
  // 1 means "they differ" here, so a file that cannot be opened is always 2.
  if (!a.OpenFile(args.positional[0], &error) || !b.OpenFile(args.positional[1], &error))
    return Fail(kExitBadInput, error);
  const auto differences = CompareSetups(a.setup, b.setup);
  for (const SetupDifference& d : differences) std::cout << DifferenceLine(d) << "\n";
  std::cout.flush();
  if (!std::cout) return Fail(kExitBadInput, "could not write to standard output");
  return differences.empty() ? kExitOk : kExitFailed;
}

}  // namespace kavir::cli
