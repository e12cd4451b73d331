// kavir-cli resave IN OUT: open IN, then Save As OUT, as a user would.
#include "commands.h"
#include "open_screen.h"

namespace kavir::cli {

int RunResave(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("resave");
  OpenScreen screen(args);
  std::string error;
  if (!screen.OpenFile(args.positional[0], &error)) return Fail(screen.exit_code, error);
  if (!screen.SaveAs(args.positional[1], &error)) return Fail(screen.exit_code, error);
  return kExitOk;
}

}  // namespace kavir::cli
