// kavir-cli: the programming operations without a window.
#include <optional>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "interrupts.h"
#include "kavir_version.h"
#include "lang/language_core.h"
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
    {"ports", "[--json]",
     "list the serial ports found: adapter, USB ids, whether they can be opened, who holds them", RunPorts},
    {"doctor", "[--port PORT] [--loopback]",
     "check the cable's port step by step and say what to fix (exit 0 when a radio answered)", RunDoctor},
    {"read", "--port PORT --out FILE [--retries N]", "read the radio on PORT and save it as FILE", RunRead},
    {"write", "--port PORT FILE [--retries N] [--force] [--no-verify] [--no-backup]",
     "keep the radio's settings in backups/ (unless --no-backup), write FILE into the radio on PORT, then "
     "read it back and compare (a radio image: its own 768 bytes)",
     RunWrite},
    {"batch", "--port PORT[,PORT...] FILE [--count N] [--log LOG] [--no-verify]",
     "write FILE into radio after radio on each PORT, each verified and logged (no backup of what "
     "the radios held)", RunBatch},
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
         "--lang zh|en chooses the language of messages and reports (default: the locale's).\n"
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
  // The core's messages and the report in the language asked for, or the
  // locale's (LC_ALL, LC_MESSAGES, LANG); Chinese where nothing is said.
  const std::optional<std::string> language = args->Option("lang");
  if (language && *language != "zh" && *language != "en")
    return Fail(kExitBadInput, "--lang takes zh or en, not '" + *language + "'");
  kavir::lang::ApplyBuiltIn(
      language ? *language == "en" : kavir::lang::EnglishForLocale(kavir::lang::SystemLocaleName()),
      args->files.program_dir);
  if (args->command.empty() || args->command == "help" || args->Flag("help")) {
    Usage(args->command.empty() ? std::cerr : std::cout);
    return args->command.empty() ? kExitBadInput : kExitOk;
  }
  for (const Command& c : kCommands)
    if (args->command == c.name) return c.run(*args);
  return Fail(kExitBadInput, "unknown command '" + args->command + "' (try: kavir-cli help)");
}
