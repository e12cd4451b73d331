#pragma once
// Ports of a batch on the Qt serial port, each opened in its own thread.
#include "link/link_settings.h"
#include "batch/batch_job.h"

namespace kavir {

PortOpener QtPortOpener(LineSettings settings);

}  // namespace kavir
