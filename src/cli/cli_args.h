#pragma once
// Command-line arguments of kavir-cli after the command name.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "setup/working_files.h"

namespace kavir::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;    // a transaction or check failed
inline constexpr int kExitBadInput = 2;  // bad usage or bad input
inline constexpr int kExitStopped = 3;   // batch: stopped by the user before --count
inline constexpr int kExitWarnings = 3;  // check: warnings, nothing a write would refuse

// An option a command takes: "--port PORT" has the value name "PORT", a
// flag such as "--force" has none.
struct CommandOption {
  const char* name;
  const char* value = nullptr;
  bool flag() const { return value == nullptr; }
};

// --dir DIR, --lang zh|en and --help: taken by every command.
const std::vector<CommandOption>& GlobalOptions();

struct CliArgs {
  std::string command;
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--port X" -> options["port"] = "X"
  std::set<std::string> flags;                 // "--force" -> flags has "force"
  WorkingFiles files;                          // from --dir, default current directory
  // The first thing wrong with how an option was given ("" when nothing):
  // a flag with a value, an option without one, an option given twice.
  std::string problem;

  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags.count(name) != 0; }
};

// The arguments as UTF-8 text (on Windows read again from the wide command
// line, since argv is in the ANSI code page there).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Parses argv[1..] as UTF-8. flags: the names that take no value (every
// other "--name" takes the next argument, or the one after '=').
CliArgs ParseCliArgs(int argc, char** argv, const std::set<std::string>& flags);

// Why the options given do not fit a command that takes `accepted` besides
// the global ones: "" when they do. known: every option name of any command,
// to tell a misspelt name from one that belongs to another command.
std::string CheckOptions(const CliArgs& args, const std::string& command, const std::vector<CommandOption>& accepted,
                         const std::set<std::string>& known);

// The exit code of a failed file operation: 2 when the file given is not
// what was asked for (missing, not a file, not a profile), 1 otherwise.
inline int ExitCodeFor(bool bad_input) { return bad_input ? kExitBadInput : kExitFailed; }

// Prints "kavir-cli: message" on stderr and returns code.
int Fail(int code, const std::string& message);

}  // namespace kavir::cli
