#pragma once
// Whole-file writes that never leave a half-written file: a temporary file
// in the same folder, flushed to disk, then renamed over the target.
#include <string>
#include <string_view>

#include "io_status.h"

namespace kavir {

IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes);
// The whole file; a failure (missing included) comes back in *status.
std::string ReadWholeFile(const std::string& path, IoStatus* status);

}  // namespace kavir
