#pragma once
// One function per kavir-cli command, each in its own file.
#include <set>
#include <string>
#include <vector>

#include "cli_args.h"
#include "setup/program_config.h"

namespace kavir::cli {

struct Command {
  const char* name;
  const char* arguments;               // what follows the name, with the options it cannot do without
  std::vector<CommandOption> options;  // every option it takes besides the global ones
  const char* summary;
  int (*run)(const CliArgs& args);
};

// Add a command: declare its function here, add a row in commands.cpp.
int RunShow(const CliArgs& args);
int RunResave(const CliArgs& args);
int RunEncode(const CliArgs& args);
int RunDecode(const CliArgs& args);
int RunPorts(const CliArgs& args);
int RunRead(const CliArgs& args);
int RunWrite(const CliArgs& args);
int RunReport(const CliArgs& args);
int RunImportCsv(const CliArgs& args);
int RunExportCsv(const CliArgs& args);
int RunDiff(const CliArgs& args);
int RunCheck(const CliArgs& args);
int RunBatch(const CliArgs& args);
int RunDoctor(const CliArgs& args);

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);
// Every option name of any command, and those that take no value.
std::set<std::string> KnownOptions();
std::set<std::string> KnownFlags();
// "usage: kavir-cli write --port PORT FILE [--model N] ...": every option the
// command takes.
std::string UsageLine(const Command& command);
std::string UsageLine(const std::string& command);
// Fail(kExitBadInput) with the command's usage line.
int UsageError(const std::string& command);

// The port KAVIR.ini names, as a device.
std::string ConfiguredDevice(const ProgramConfig& config);

}  // namespace kavir::cli
