#pragma once
// Ports of a batch on the system's own serial API, one transport per port.
#include "batch/batch_job.h"
#include "link/link_settings.h"

namespace kavir {

PortOpener NativePortOpener(LineSettings settings);

}  // namespace kavir
