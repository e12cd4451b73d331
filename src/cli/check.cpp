// kavir-cli check FILE [--licence LIC]: what in FILE should not go on air,
// one line per finding and a count; exit 0 nothing found, 1 errors (a write
// would be refused), 3 warnings only, 2 bad usage or bad input.
#include <iostream>

#include "commands.h"
#include "lang/language_core.h"
#include "open_screen.h"
#include "plan/plan_check.h"
#include "profile/atomic_file.h"

namespace kavir::cli {

int RunCheck(const CliArgs& args) {
  if (args.positional.size() != 1) return UsageError("check");
  OpenScreen screen(args);
  if (!screen.view.option_lists_status().ok)
    return Fail(kExitBadInput, "not checked: " + screen.OptionListsRefusal());
  std::string error;
  // 1 means "errors found" here, so a file that cannot be opened is always 2.
  if (!screen.OpenFile(args.positional[0], &error)) return Fail(kExitBadInput, error);

  std::optional<Licence> licence;
  if (const auto path = args.Option("licence")) {
    IoStatus read;
    const std::string bytes = ReadWholeFile(*path, &read);
    if (!read) return Fail(kExitBadInput, read.Message());
    LicenceReading reading = ReadLicence(bytes);
    if (!reading.licence) return Fail(kExitBadInput, *path + ": " + reading.error.message);
    licence = std::move(reading.licence);
  }

  const std::vector<Finding> findings =
      CheckPlan(screen.view.ToSetup(), screen.view.channel_lists, licence ? &*licence : nullptr);
  for (const Finding& f : findings) std::cout << FindingLine(f, &lang::ShownOptions()) << "\n";
  const FindingCount count = CountFindings(findings);
  std::cout << SummaryLine(count) << "\n";
  std::cout.flush();
  if (!std::cout) return Fail(kExitBadInput, "could not write to standard output");
  if (count.errors) return kExitFailed;
  return count.warnings ? kExitWarnings : kExitOk;
}

}  // namespace kavir::cli
