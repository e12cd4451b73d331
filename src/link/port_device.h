#pragma once
// Port number N (1 to 4 from the port dialog, or a digit stored by hand) to
// the serial device it stands for on this platform.
#include <string>

namespace kavir {

std::string PortDeviceName(int port_number);

}  // namespace kavir
