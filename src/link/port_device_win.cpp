#include "port_device.h"

#include <string>

namespace kavir {

// COM10 and above need the device namespace prefix.
std::string PortDeviceName(int port_number) {
  std::string name = "COM" + std::to_string(port_number);
  return port_number >= 10 ? "\\\\.\\" + name : name;
}

}  // namespace kavir
