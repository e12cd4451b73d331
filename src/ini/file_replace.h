#pragma once
// The platform part of a safe save: putting the finished temporary file in
// the target's place (replacing it, or only where no file is), and telling
// which names are devices, not files.
#include <chrono>
#include <string>
#include <string_view>

#include "io_status.h"

namespace kavir {

// Windows: a virus scanner, an indexer, a backup tool or another save in
// progress often holds a freshly changed file for a moment; an editor or
// spreadsheet holds it until closed. Opening and replacing such a file is
// tried this often, this far apart, before it counts as a failure.
inline constexpr int kHeldFileAttempts = 20;
inline constexpr auto kHeldFilePause = std::chrono::milliseconds(50);

// Renames temp over target. On failure temp is left for the caller to remove.
IoStatus ReplaceWithTemp(const std::string& temp, const std::string& target);

// Moves temp to target only while no file has target's name: an existing
// file is never replaced, even by another program doing the same at the
// same moment. On anything but Moved, temp is left for the caller.
enum class MoveResult {
  Moved,
  NameTaken,     // a file (or folder) has that name
  NotSupported,  // the file system cannot do it (no hard links); nothing moved
  Failed,        // *reason says why
};
MoveResult MoveWithoutReplacing(const std::string& temp, const std::string& target, std::string* reason);

// A name the system reserves for a device (Windows: NUL, CON, COM1, "nul.txt"
// ...): it is written in place, never replaced, and no temporary file is
// made beside it. Always false where devices are ordinary paths (/dev/null
// is caught by its file type instead).
bool IsDeviceName(std::string_view utf8_path);

}  // namespace kavir
