#pragma once
// Command-line arguments of kavir-cli after the command name.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "profile/working_files.h"

namespace kavir::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;    // a transaction or check failed
inline constexpr int kExitBadInput = 2;  // bad usage or bad input
inline constexpr int kExitStopped = 3;   // batch: stopped by the user before --count

struct CliArgs {
  std::string command;
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--port X" -> options["port"] = "X"
  std::set<std::string> flags;                 // "--force" -> flags has "force"
  WorkingFiles files;                          // from --dir, default current directory

  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags.count(name) != 0; }
};

// Options that take no value; every other "--name" takes the next argument.
const std::set<std::string>& KnownFlags();

// The arguments as UTF-8 text (on Windows read again from the wide command
// line, since argv is in the ANSI code page there).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Parses argv[1..] as UTF-8; on error returns nullopt and sets *error.
std::optional<CliArgs> ParseCliArgs(int argc, char** argv, std::string* error);

// The exit code of a failed file operation: 2 when the file given is not
// what was asked for (missing, not a file, not a profile), 1 otherwise.
inline int ExitCodeFor(bool bad_input) { return bad_input ? kExitBadInput : kExitFailed; }

// Prints "kavir-cli: message" on stderr and returns code.
int Fail(int code, const std::string& message);

}  // namespace kavir::cli
