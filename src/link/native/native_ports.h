#pragma once
// The serial ports this machine offers, described (see link/ports), from
// the system itself: sysfs on Linux, the registry's device map on Windows,
// the /dev/cu.* devices on macOS.
#include <string>
#include <vector>

#include "link/ports/port_records.h"

namespace kavir {

// The port named configured_device is marked.
std::vector<PortRecord> NativeAvailablePorts(const std::string& configured_device = "");

}  // namespace kavir
