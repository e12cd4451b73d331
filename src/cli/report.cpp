// kavir-cli report FILE PDF: the programming report of FILE as a PDF page.
#include "commands.h"
#include "open_screen.h"
#include "report/report_actions.h"

namespace kavir::cli {

int RunReport(const CliArgs& args) {
  if (args.positional.size() != 2) return Fail(kExitBadInput, "usage: kavir-cli report FILE PDF");
  OpenScreen screen(args);
  std::string error;
  if (!screen.OpenFile(args.positional[0], &error)) return Fail(screen.exit_code, error);
  const IoStatus written = WriteReportPdf(ReportOf(screen.view.ToSetup(), screen.view.current_file_name), args.positional[1]);
  if (!written) return Fail(ExitCodeFor(written.bad_input), written.Message());
  return kExitOk;
}

}  // namespace kavir::cli
