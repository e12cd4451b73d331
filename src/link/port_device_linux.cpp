#include <string>

#include "port_device.h"

namespace kavir {

// USB-serial programming cables show up as /dev/ttyUSB0, 1, ...: COM1 is the
// first of them.
std::string PortDeviceName(int port_number) { return "/dev/ttyUSB" + std::to_string(port_number - 1); }

}  // namespace kavir
