// kavir-cli check FILE [--licence LIC]: what in FILE should not go on air,
// one line per finding and a count; exit 0 nothing found, 1 errors (a write
// would be refused), 3 warnings only, 2 bad usage or bad input. Without
// --licence the licence chosen for FILE on the desktop is used.
#include <iostream>

#include "commands.h"
#include "plan_findings.h"
#include "setup_command.h"

namespace kavir::cli {

int RunCheck(const CliArgs& args) {
  if (args.positional.size() != 1) return UsageError("check");
  SetupCommand command(args);
  if (!command.ListsUsable()) return Fail(kExitBadInput, "not checked: " + command.OptionListsRefusal());
  std::string error;
  // 1 means "errors found" here, so a file that cannot be opened is always 2.
  if (!command.OpenFile(args.positional[0], &error)) return Fail(kExitBadInput, error);

  const auto plan = CheckPlanOf(args, args.positional[0], command.setup, command.data, &error);
  if (!plan) return Fail(kExitBadInput, error);
  PrintFindings(*plan);
  std::cout.flush();
  if (!std::cout) return Fail(kExitBadInput, "could not write to standard output");
  const FindingCount count = CountFindings(plan->findings);
  if (count.errors) return kExitFailed;
  return count.warnings ? kExitWarnings : kExitOk;
}

}  // namespace kavir::cli
