#pragma once
// One function per kavir-cli command, each in its own file.
#include "cli_args.h"

namespace kavir::cli {

struct Command {
  const char* name;
  const char* usage;  // arguments after the command name
  const char* summary;
  int (*run)(const CliArgs& args);
};

// Add a command: declare its function here, add a row in main.cpp.
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
int RunBatch(const CliArgs& args);
int RunDoctor(const CliArgs& args);

// The port KAVIR.ini names, as a device.
std::string ConfiguredDevice(const WorkingFiles& files);

}  // namespace kavir::cli
