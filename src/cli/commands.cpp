#include "commands.h"

namespace kavir::cli {

namespace {

// --model N and --force: how a radio image among the files opened is read.
const CommandOption kModel{"model", "N"};
const CommandOption kForce{"force"};
const CommandOption kLicence{"licence", "LIC"};

}  // namespace

// Rows are added as commands are built; a row whose function is missing
// would not link. The options listed here are all a command accepts.
const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"show", "FILE", {kModel, kForce}, "print every profile key as the screen shows it after opening FILE", RunShow},
      {"resave", "IN OUT", {kModel, kForce}, "open IN and save it as OUT, as Open and Save As do", RunResave},
      {"encode", "FILE IMAGE", {kModel, kForce}, "write the 768 bytes a write of FILE would send to IMAGE", RunEncode},
      {"decode",
       "IMAGE --model N",
       {kModel, {"out", "FILE"}, kForce},
       "fill Read.ini as a read of a radio holding IMAGE would (--force: even when IMAGE names another model)",
       RunDecode},
      {"ports",
       "",
       {{"json"}},
       "list the serial ports found: adapter, USB ids, whether they can be opened, who holds them",
       RunPorts},
      {"doctor",
       "",
       {{"port", "PORT"}, {"loopback"}},
       "check the cable's port step by step and say what to fix (exit 0 when a radio answered)",
       RunDoctor},
      {"read",
       "--port PORT --out FILE",
       {{"port", "PORT"}, {"out", "FILE"}, {"retries", "N"}},
       "read the radio on PORT and save it as FILE",
       RunRead},
      {"write",
       "--port PORT FILE",
       {{"port", "PORT"}, kModel, {"retries", "N"}, kForce, {"no-verify"}, {"no-backup"}, {"dry-run"}, kLicence},
       "check the plan as check does (its errors refuse the write unless --force), keep the radio's settings in "
       "backups/ (unless --no-backup) and list what the write changes, write FILE into the radio on PORT (not with "
       "--dry-run: exit 0 when nothing would change, 1 when something would), then read it back and compare (a "
       "radio image: its own 768 bytes)",
       RunWrite},
      {"batch",
       "--port PORT[,PORT...] FILE",
       {{"port", "PORT"}, {"count", "N"}, {"log", "LOG"}, {"no-verify"}, {"no-backup"}, kForce, kLicence},
       "check the plan as write does (its errors refuse the batch unless --force), then write FILE into radio "
       "after radio on each PORT, each read first and kept in backups/ (unless --no-backup), verified and "
       "logged with the number of settings it changed",
       RunBatch},
      {"report", "FILE PDF", {kModel, kForce}, "write the programming report of FILE as a one-page PDF", RunReport},
      {"import-csv",
       "CSV OUT",
       {{"base", "FILE"}, {"by-location"}, kModel, kForce},
       "put the rows of a channel-plan CSV file into the channels of FILE and save OUT",
       RunImportCsv},
      {"export-csv",
       "FILE CSV",
       {kModel, kForce},
       "write the channels of FILE as a channel-plan CSV file",
       RunExportCsv},
      {"diff", "A B", {kModel, kForce}, "list what differs between two set-ups (exit 0 equal, 1 different)", RunDiff},
      {"check",
       "FILE",
       {kLicence, kModel, kForce},
       "list what in FILE should not go on air, with LIC a licence file (else the one chosen for FILE on the "
       "desktop; exit 0 nothing found, 1 errors, 3 warnings only)",
       RunCheck},
  };
  return commands;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& c : Commands())
    if (name == c.name) return &c;
  return nullptr;
}

std::set<std::string> KnownOptions() {
  std::set<std::string> names{"version"};
  for (const CommandOption& o : GlobalOptions()) names.insert(o.name);
  for (const Command& c : Commands())
    for (const CommandOption& o : c.options) names.insert(o.name);
  return names;
}

std::set<std::string> KnownFlags() {
  std::set<std::string> names{"version"};
  for (const CommandOption& o : GlobalOptions())
    if (o.flag()) names.insert(o.name);
  for (const Command& c : Commands())
    for (const CommandOption& o : c.options)
      if (o.flag()) names.insert(o.name);
  return names;
}

std::string UsageLine(const Command& command) {
  const std::string arguments = command.arguments;
  std::string line = std::string("usage: kavir-cli ") + command.name;
  if (!arguments.empty()) line += " " + arguments;
  for (const CommandOption& o : command.options) {
    const std::string option = std::string("--") + o.name;
    // An option the arguments already name is not optional.
    if ((arguments + " ").find(option + " ") != std::string::npos) continue;
    line += " [" + option + (o.flag() ? std::string() : std::string(" ") + o.value) + "]";
  }
  return line;
}

std::string UsageLine(const std::string& command) {
  const Command* c = FindCommand(command);
  return c ? UsageLine(*c) : std::string("usage: kavir-cli help");
}

int UsageError(const std::string& command) { return Fail(kExitBadInput, UsageLine(command)); }

}  // namespace kavir::cli
