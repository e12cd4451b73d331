#include "platform_file.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "file_path.h"
#include "file_replace.h"

namespace kavir::platform {

namespace {

bool WriteAll(std::FILE* f, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

}  // namespace

std::string ErrorText(int error_number) {
  if (error_number == ENOSPC || error_number == EFBIG)
    return "no room to write: the disk is full or a file-size limit was reached (" +
           std::string(std::strerror(error_number)) + ")";
  return std::strerror(error_number);
}

IoStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string* bytes) {
  namespace fs = std::filesystem;
  bytes->clear();
  std::error_code ec;
  const fs::file_status st = fs::status(PathFromUtf8(path), ec);
  if (!fs::exists(st)) return IoStatus::BadInput(path, "no such file");
  if (fs::is_directory(st)) return IoStatus::BadInput(path, "is a folder, not a file");
  if (!fs::is_regular_file(st)) return IoStatus::BadInput(path, "is a device, not a file");
  // A file being replaced by another save, or held by a scanner, cannot be
  // opened for a moment: tried again as a replace is.
  std::FILE* f = nullptr;
  for (int attempt = 0; attempt < kHeldFileAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kHeldFilePause);
    f = OpenFile(path, "rb");
    if (f || errno != EACCES) break;
  }
  if (!f) return IoStatus::Fail(path, ErrorText(errno));
  bytes->resize(limit + 1);
  const std::size_t got = std::fread(bytes->data(), 1, limit + 1, f);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  bytes->resize(got);
  if (failed) return bytes->clear(), IoStatus::Fail(path, "read error");
  if (got > limit)
    return bytes->clear(),
           IoStatus::BadInput(path, "is too large for this program (more than " + std::to_string(limit) + " bytes)");
  return IoStatus::Ok();
}

IoStatus WriteInPlace(const std::string& path, std::string_view bytes) {
  std::FILE* f = OpenFile(path, "wb");
  if (!f) return IoStatus::Fail(path, ErrorText(errno));
  bool ok = WriteAll(f, bytes);
  int error = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) ok = false, error = errno;
  return ok ? IoStatus::Ok() : IoStatus::Fail(path, ErrorText(error ? error : EIO));
}

IoStatus WriteNewFile(const std::string& path, std::string_view bytes) {
  // The C runtime's fopen knows no "x": an exclusive create is asked of open().
  const int fd = _wopen(SystemPath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return IoStatus::Fail(path, ErrorText(errno));
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) {
    const int error = errno;
    _close(fd);
    _wremove(SystemPath(path).c_str());
    return IoStatus::Fail(path, ErrorText(error));
  }
  bool ok = WriteAll(f, bytes);
  int error = ok ? 0 : errno;
  if (ok && std::fflush(f) != 0) ok = false, error = errno;
  if (ok && _commit(_fileno(f)) != 0) ok = false, error = errno;
  if (std::fclose(f) != 0 && ok) ok = false, error = errno;
  if (!ok) {
    _wremove(SystemPath(path).c_str());
    return IoStatus::Fail(path, ErrorText(error ? error : EIO));
  }
  return IoStatus::Ok();
}

bool MayWrite(const std::string& path, std::string* reason) {
  if (_waccess(SystemPath(path).c_str(), 2) == 0) return true;
  *reason = ErrorText(errno);
  return false;
}

long CurrentProcessId() { return static_cast<long>(GetCurrentProcessId()); }

bool ProcessRunning(long pid) {
  if (pid <= 0) return false;
  HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
  CloseHandle(h);
  return running;
}

void IgnoreFileSizeSignal() {}

}  // namespace kavir::platform
