#pragma once
// Whole-file reads and writes. A write never leaves a half-written file: a
// temporary file in the same folder, flushed to disk, then renamed over the
// target. A read takes only a regular file of a sane size.
#include <cstddef>
#include <string>
#include <string_view>

#include "io_status.h"

namespace kavir {

// Real profiles, configuration files and images are a few kB.
inline constexpr std::size_t kMaxInputBytes = 1024 * 1024;

// Replaces path with bytes. A symbolic link (dangling too) is followed to
// the file it names; a replaced file keeps its permission bits; a read-only
// target is refused; a pipe or device is written in place, never read.
IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes);
// Creates path with bytes, whole or not at all, and never replaces a file:
// when one has that name (also one another program creates meanwhile),
// nothing is written and *taken is set.
IoStatus CreateFileAtomically(const std::string& path, std::string_view bytes, bool* taken);
// The whole file; a failure (missing included) comes back in *status.
// Anything but a regular file of at most kMaxInputBytes is refused at once.
std::string ReadWholeFile(const std::string& path, IoStatus* status);

enum class FileKind { Missing, Regular, Folder, Other, Unreachable };
// What path names after following links; Unreachable (a link loop, no
// permission to look) comes with the reason in *reason.
FileKind KindOfFile(const std::string& path, std::string* reason = nullptr);

// Programs call this once at start-up (see platform_file.h).
void IgnoreFileSizeSignal();

}  // namespace kavir
