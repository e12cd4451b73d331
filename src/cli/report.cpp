// kavir-cli report FILE PDF: the programming report of FILE as a PDF page.
#include "commands.h"

#if defined(KAVIR_CLI_REPORT)
#include <QGuiApplication>

#include "report/report_actions.h"
#include "setup_command.h"
#endif

namespace kavir::cli {

int RunReport(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("report");
#if defined(KAVIR_CLI_REPORT)
  // The page is drawn with Qt's painter: the GUI layer, without a screen.
  UseHeadlessPlatform();
  static int argc = 1;
  static char name[] = "kavir-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  SetupCommand command(args);
  std::string error;
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);
  const IoStatus written = WriteReportPdf(ReportOf(command.setup, command.file_name), args.positional[1]);
  if (!written) return Fail(ExitCodeFor(written.bad_input), written.Message());
  return kExitOk;
#else
  return Fail(kExitBadInput,
              "report: this kavir-cli was built without Qt, which draws the PDF; "
              "use the desktop program's kavir-cli or its Print dialog");
#endif
}

}  // namespace kavir::cli
