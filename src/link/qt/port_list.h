#pragma once
// The serial ports this machine offers, described (see link/ports).
#include <string>
#include <vector>

#include "link/ports/port_records.h"

namespace kavir {

// From sysfs where there is one, else from Qt's port enumeration; the port
// named configured_device is marked.
std::vector<PortRecord> AvailablePorts(const std::string& configured_device = "");

}  // namespace kavir
