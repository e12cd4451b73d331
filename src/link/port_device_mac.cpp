#include "port_device.h"

#include <string>

namespace kavir {

// The usual USB-serial adapters (FTDI, PL2303, CH340) enumerate as
// cu.usbserial-N; the callout device does not wait for carrier.
std::string PortDeviceName(int port_number) { return "/dev/cu.usbserial-" + std::to_string(port_number); }

}  // namespace kavir
