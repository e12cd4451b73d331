#pragma once
// Ports of a batch on the system's own serial API, one transport per port.
#include "link/link_settings.h"
#include "batch/batch_job.h"

namespace kavir {

PortOpener NativePortOpener(LineSettings settings);

}  // namespace kavir
