// kavir-cli import-csv CSV OUT [--base FILE] [--by-location] [--model N]:
// a channel-plan CSV file into the channels of FILE (default: the current
// model's file), saved as OUT.
#include <iostream>

#include "commands.h"
#include "ini/atomic_file.h"
#include "interchange/csv_import.h"
#include "setup_command.h"

namespace kavir::cli {

int RunImportCsv(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("import-csv");
  const std::string& csv_path = args.positional[0];
  SetupCommand command(args);
  if (!command.ListsUsable()) return Fail(kExitBadInput, "nothing imported: " + command.OptionListsRefusal());
  std::string error;
  if (const auto base = args.Option("base"); base && !command.OpenFile(*base, &error))
    return Fail(command.exit_code, error);

  IoStatus read;
  const std::string bytes = ReadWholeFile(csv_path, &read);
  if (!read) return Fail(ExitCodeFor(read.bad_input), read.Message());
  Setup& setup = command.setup;
  const ImportPlan plan = PlanCsvImport(bytes, LimitsOf(setup, command.data.channel_lists), args.Flag("by-location"));
  if (!plan.error.empty()) return Fail(kExitBadInput, csv_path + ": " + plan.error);

  for (const ImportRow& row : plan.rows) {
    if (row.channel)
      std::cout << "line " << row.line << " -> " << ChannelLabel(*row.channel) << "\n";
    else
      std::cerr << "kavir-cli: " << csv_path << " line " << row.line << " refused: " << row.refusal << "\n";
  }
  if (plan.imported() == 0) return Fail(kExitFailed, csv_path + ": no row could be imported; nothing saved");
  ApplyImport(plan, command.data.channel_lists, setup);
  if (!command.SaveAs(args.positional[1], &error)) return Fail(command.exit_code, error);
  std::cout.flush();
  return kExitOk;
}

}  // namespace kavir::cli
