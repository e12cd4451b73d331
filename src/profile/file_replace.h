#pragma once
// The platform part of a safe save: putting the finished temporary file in
// the target's place, and telling which names are devices, not files.
#include <string>
#include <string_view>

#include "io_status.h"

namespace kavir {

// Renames temp over target. On failure temp is left for the caller to remove.
IoStatus ReplaceWithTemp(const std::string& temp, const std::string& target);

// A name the system reserves for a device (Windows: NUL, CON, COM1, "nul.txt"
// ...): it is written in place, never replaced, and no temporary file is
// made beside it. Always false where devices are ordinary paths (/dev/null
// is caught by its file type instead).
bool IsDeviceName(std::string_view utf8_path);

}  // namespace kavir
