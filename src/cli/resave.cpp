// kavir-cli resave IN OUT: open IN, then Save As OUT, as a user would.
#include "commands.h"
#include "setup_command.h"

namespace kavir::cli {

int RunResave(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("resave");
  SetupCommand command(args);
  std::string error;
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);
  if (!command.SaveAs(args.positional[1], &error)) return Fail(command.exit_code, error);
  return kExitOk;
}

}  // namespace kavir::cli
