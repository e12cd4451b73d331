#pragma once
// The few file calls that differ between POSIX and Windows. Paths are UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

#include "io_status.h"

namespace kavir::platform {

// Reads a regular file of at most limit bytes. Anything else (a pipe, a
// device, a socket) is refused without ever waiting on it.
IoStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string* bytes);
// Writes into an existing pipe, terminal or device as it is. A pipe that no
// program reads is an error, not a wait.
IoStatus WriteInPlace(const std::string& path, std::string_view bytes);
// Creates path (which must not exist), writes bytes and flushes them to disk.
// On failure the partly written file is removed.
IoStatus WriteNewFile(const std::string& path, std::string_view bytes);
// false with the reason when the current user may not write to path.
bool MayWrite(const std::string& path, std::string* reason);
// This program's process id, and whether a process of that id runs (a
// temporary file named after a process that is gone is nobody's).
long CurrentProcessId();
bool ProcessRunning(long pid);
// A write past a file-size limit fails with an error instead of killing
// the program (SIGXFSZ), so it is reported like a full disk.
void IgnoreFileSizeSignal();
// The user-facing reason for an error number; a full disk and a file-size
// limit read alike.
std::string ErrorText(int error_number);

}  // namespace kavir::platform
