// kavir-cli: the programming operations without a window.
#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "interrupts.h"
#include "kavir_version.h"
#include "profile/atomic_file.h"

#if defined(_WIN32)
#include <windows.h>
#endif

using namespace kavir::cli;

namespace {

// Rows are added as commands are built; a row whose function is missing
// would not link.
const std::vector<Command> kCommands = {
    {"show", "FILE", "print every profile key as the screen shows it after opening FILE", RunShow},
    {"resave", "IN OUT", "open IN and save it as OUT, as Open and Save As do", RunResave},
    {"encode", "FILE IMAGE", "write the 768 bytes a write of FILE would send to IMAGE", RunEncode},
    {"decode", "IMAGE --model N [--out FILE]", "fill Read.ini as a read of a radio holding IMAGE would",
     RunDecode},
    {"ports", "", "list the serial ports found: device and description", RunPorts},
    {"read", "--port PORT --out FILE [--retries N]", "read the radio on PORT and save it as FILE", RunRead},
    {"write", "--port PORT FILE [--retries N] [--force] [--no-verify]",
     "write FILE into the radio on PORT, then read it back and compare (a radio image: its own 768 bytes)",
     RunWrite},
    {"batch", "--port PORT[,PORT...] FILE [--count N] [--log LOG] [--no-verify]",
     "write FILE into radio after radio on each PORT, each verified and logged", RunBatch},
    {"report", "FILE PDF", "write the programming report of FILE as a one-page PDF", RunReport},
    {"import-csv", "CSV OUT [--base FILE] [--by-location]",
     "put the rows of a channel-plan CSV file into the channels of FILE and save OUT", RunImportCsv},
    {"export-csv", "FILE CSV", "write the channels of FILE as a channel-plan CSV file", RunExportCsv},
    {"diff", "A B", "list what differs between two set-ups (exit 0 equal, 1 different)", RunDiff},
};

int Usage(std::ostream& out) {
  out << "usage: kavir-cli [--dir DIR] COMMAND ...\n\ncommands:\n";
  for (const Command& c : kCommands)
    out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
  out << "\n--dir DIR names the program directory (default: the current directory).\n"
         "Every FILE may also be a 768-byte radio image; --model N names its model when\n"
         "its file name (read-<model>-... or write-<model>-...) does not.\n";
  return kExitBadInput;
}

}  // namespace

int main(int argc, char** argv) {
  kavir::IgnoreFileSizeSignal();  // a write past a file-size limit is reported, not fatal
  IgnoreBrokenPipe();             // kavir-cli batch ... | head -1 must not kill a radio's write
#if defined(_WIN32)
  // Everything printed is UTF-8; the console shows it right only when told.
  SetConsoleOutputCP(CP_UTF8);
#endif
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "kavir-cli " KAVIR_VERSION "\n";
    return kExitOk;
  }
  std::string error;
  auto args = ParseCliArgs(argc, argv, &error);
  if (!args) return Fail(kExitBadInput, error);
  // Only the report draws text; it needs the GUI layer, without a screen.
  std::unique_ptr<QCoreApplication> app;
  if (args->command == "report") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  if (args->command.empty() || args->command == "help" || args->Flag("help")) {
    Usage(args->command.empty() ? std::cerr : std::cout);
    return args->command.empty() ? kExitBadInput : kExitOk;
  }
  for (const Command& c : kCommands)
    if (args->command == c.name) return c.run(*args);
  return Fail(kExitBadInput, "unknown command '" + args->command + "' (try: kavir-cli help)");
}
