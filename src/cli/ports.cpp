// kavir-cli ports: the serial ports this machine offers, one a line.
#include <iostream>

#include "link/qt/port_list.h"
#include "commands.h"

namespace kavir::cli {

int RunPorts(const CliArgs& args) {
  if (!args.positional.empty()) return Fail(kExitBadInput, "usage: kavir-cli ports");
  std::vector<PortInfo> ports = AvailablePorts();
  for (const PortInfo& p : ports)
    std::cout << p.device << (p.description.empty() ? "" : "\t" + p.description) << "\n";
  if (ports.empty())
    std::cerr << "kavir-cli: no serial ports found (a pseudo-terminal is not listed; give its path to --port)\n";
  std::cout.flush();
  return kExitOk;
}

}  // namespace kavir::cli
