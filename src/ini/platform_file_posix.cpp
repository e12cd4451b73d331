#include "platform_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace kavir::platform {

std::string ErrorText(int error_number) {
  switch (error_number) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return "no room to write: the disk is full or a file-size limit was reached (" +
             std::string(std::strerror(error_number)) + ")";
    case ELOOP:
      return "symbolic link loop: the link points back to itself";
    case ENXIO:
      return "a pipe that no program is reading";
    default:
      return std::strerror(error_number);
  }
}

namespace {

std::string NotRegular(mode_t mode) {
  if (S_ISFIFO(mode)) return "is a pipe, not a file";
  if (S_ISDIR(mode)) return "is a folder, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
  return "is not a regular file";
}

bool WriteAll(int fd, std::string_view bytes, int* error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *error = n < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

IoStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string* bytes) {
  bytes->clear();
  // Look before opening: opening some devices already does something.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    const int e = errno;
    return e == ENOENT ? IoStatus::BadInput(path, "no such file") : IoStatus::Fail(path, ErrorText(e));
  }
  if (!S_ISREG(st.st_mode)) return IoStatus::BadInput(path, NotRegular(st.st_mode));
  // Non-blocking, so a file swapped for a pipe since the look cannot hang us.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return IoStatus::Fail(path, ErrorText(errno));
  IoStatus status;
  if (::fstat(fd, &st) != 0) {
    status = IoStatus::Fail(path, ErrorText(errno));
  } else if (!S_ISREG(st.st_mode)) {
    status = IoStatus::BadInput(path, NotRegular(st.st_mode));
  } else if (static_cast<unsigned long long>(st.st_size) > limit) {
    status = IoStatus::BadInput(path, "is too large for this program (" + std::to_string(st.st_size) +
                                          " bytes, at most " + std::to_string(limit) + ")");
  } else {
    bytes->resize(limit + 1);
    std::size_t got = 0;
    while (got <= limit) {
      const ssize_t n = ::read(fd, bytes->data() + got, limit + 1 - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        status = IoStatus::Fail(path, ErrorText(errno));
        break;
      }
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes->resize(got);
    if (status && got > limit)
      status = IoStatus::BadInput(path, "grew past " + std::to_string(limit) + " bytes while read");
  }
  ::close(fd);
  if (!status) bytes->clear();
  return status;
}

IoStatus WriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return IoStatus::Fail(path, ErrorText(errno));
  // Now that a reader is known to be there, wait for it as a normal write would.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  int error = 0;
  bool ok = WriteAll(fd, bytes, &error);
  if (::close(fd) != 0 && ok) ok = false, error = errno;
  return ok ? IoStatus::Ok() : IoStatus::Fail(path, ErrorText(error));
}

IoStatus WriteNewFile(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return IoStatus::Fail(path, ErrorText(errno));
  int error = 0;
  bool ok = WriteAll(fd, bytes, &error);
  if (ok && ::fsync(fd) != 0) ok = false, error = errno;
  if (::close(fd) != 0 && ok) ok = false, error = errno;
  if (!ok) {
    ::unlink(path.c_str());
    return IoStatus::Fail(path, ErrorText(error));
  }
  return IoStatus::Ok();
}

bool MayWrite(const std::string& path, std::string* reason) {
  // The effective ids, which the write itself uses (access() asks for the real ones).
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return true;
  *reason = ErrorText(errno);
  return false;
}

long CurrentProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRunning(long pid) {
  // EPERM: it runs, under another user.
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace kavir::platform
