#pragma once
// The serial ports this machine offers.
#include <string>
#include <vector>

namespace kavir {

struct PortInfo {
  std::string device;       // what Open takes, e.g. /dev/ttyUSB0 or COM3
  std::string description;  // maker's description, may be empty
};

std::vector<PortInfo> AvailablePorts();

}  // namespace kavir
