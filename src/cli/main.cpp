// kavir-cli: the programming operations without a window.
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "ini/atomic_file.h"
#include "interrupts.h"
#include "kavir_version.h"
#include "lang/language_core.h"
#include "terminal_text.h"

#if defined(_WIN32)
#include <windows.h>
#endif

using namespace kavir::cli;

namespace {

void Usage(std::ostream& out) {
  out << "usage: kavir-cli [--dir DIR] [--lang zh|en] COMMAND ...\n"
         "       kavir-cli help | --help | COMMAND --help | --version\n\ncommands:\n";
  for (const Command& c : Commands())
    out << "  " << UsageLine(c).substr(std::strlen("usage: kavir-cli ")) << "\n      " << c.summary << "\n";
  out << "\n--dir DIR names the program directory (default: the current directory).\n"
         "--lang zh|en chooses the language of messages and reports (default: the locale's).\n"
         "Every FILE may also be a 768-byte radio image; --model N names its model when\n"
         "its file name (read-<model>-... or write-<model>-...) does not, and --force lets\n"
         "it win over the model the image names.\n"
         "\nexit codes: 0 done; 1 a transfer, check or file operation failed (check: it found\n"
         "errors); 2 bad usage or bad input; 3 a batch stopped before --count, or check found\n"
         "warnings only; 130, 143, 129 stopped at once by Ctrl+C, SIGTERM, SIGHUP (write and\n"
         "batch finish the radio in progress on the first of these; a second stops a batch at\n"
         "once and cancels a write, exit 1).\n";
}

// A command's usage line and what it does.
void CommandHelp(std::ostream& out, const Command& c) {
  out << UsageLine(c) << "\n      " << c.summary << "\n"
      << "(every command also takes --dir DIR and --lang zh|en; kavir-cli help lists them all)\n";
}

}  // namespace

int main(int argc, char** argv) {
  kavir::IgnoreFileSizeSignal();  // a write past a file-size limit is reported, not fatal
  IgnoreBrokenPipe();             // kavir-cli batch ... | head -1 must not kill a radio's write
#if defined(_WIN32)
  // Everything printed is UTF-8; the console shows it right only when told.
  SetConsoleOutputCP(CP_UTF8);
#else
  // A terminal set up for GBK would show UTF-8 as garbage.
  if (LocaleWantsGbk(CharacterLocaleName())) PrintInGbk();
#endif
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "kavir-cli " KAVIR_VERSION "\n";
    return kExitOk;
  }
  const CliArgs args = ParseCliArgs(argc, argv, KnownFlags());
  // The core's messages and the report in the language asked for, or the
  // locale's (LC_ALL, LC_MESSAGES, LANG); Chinese where nothing is said.
  const std::optional<std::string> language = args.Option("lang");
  if (language && *language != "zh" && *language != "en")
    return Fail(kExitBadInput, "--lang takes zh or en, not '" + *language + "'");
  kavir::lang::ApplyBuiltIn(
      language ? *language == "en" : kavir::lang::EnglishForLocale(kavir::lang::SystemLocaleName()),
      args.files.program_dir);
  if (args.command.empty()) {
    if (args.Flag("help") && args.problem.empty()) {
      Usage(std::cout);
      return kExitOk;
    }
    if (!args.problem.empty()) Fail(kExitBadInput, args.problem);
    Usage(std::cerr);
    return kExitBadInput;
  }
  if (args.command == "help") {
    const Command* c = args.positional.size() == 1 ? FindCommand(args.positional[0]) : nullptr;
    if (c)
      CommandHelp(std::cout, *c);
    else
      Usage(std::cout);
    return kExitOk;
  }
  const Command* command = FindCommand(args.command);
  if (!command) return Fail(kExitBadInput, "unknown command '" + args.command + "' (try: kavir-cli help)");
  if (args.Flag("help")) {
    CommandHelp(std::cout, *command);
    return kExitOk;
  }
  // A misspelt or misplaced option is never ignored: it could change what
  // goes into a radio.
  if (const std::string problem = CheckOptions(args, command->name, command->options, KnownOptions()); !problem.empty())
    return Fail(kExitBadInput, problem + " (" + UsageLine(*command) + ")");
  return command->run(args);
}
