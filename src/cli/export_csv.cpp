// kavir-cli export-csv FILE CSV [--model N]: the channels of FILE as a
// channel-plan CSV file.
#include <iostream>

#include "commands.h"
#include "ini/atomic_file.h"
#include "interchange/csv_export.h"
#include "setup_command.h"

namespace kavir::cli {

int RunExportCsv(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("export-csv");
  SetupCommand command(args);
  std::string error;
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);
  const CsvExport out = ExportCsv(command.setup);
  for (const std::string& p : out.problems) std::cerr << "kavir-cli: " << p << "\n";
  if (const IoStatus written = WriteFileAtomically(args.positional[1], out.text); !written)
    return Fail(ExitCodeFor(written.bad_input), written.Message());
  // A channel left out is a channel lost from the plan: say so in the exit code.
  return out.problems.empty() ? kExitOk : kExitFailed;
}

}  // namespace kavir::cli
