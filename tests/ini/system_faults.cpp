#include "system_faults.h"

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

extern "C" {
int __real_close(int fd);
int __real_renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, unsigned flags);
int __real_link(const char* oldpath, const char* newpath);
ssize_t __real_read(int fd, void* buf, std::size_t count);

int __wrap_close(int fd) {
  const int error = kavir::test::faults::close_error.exchange(0);
  const int result = __real_close(fd);
  if (error == 0) return result;
  errno = error;
  return -1;
}

int __wrap_renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, unsigned flags) {
  if (const int error = kavir::test::faults::noreplace_error.load()) {
    errno = error;
    return -1;
  }
  return __real_renameat2(olddirfd, oldpath, newdirfd, newpath, flags);
}

int __wrap_link(const char* oldpath, const char* newpath) {
  if (const int error = kavir::test::faults::link_error.load()) {
    errno = error;
    return -1;
  }
  return __real_link(oldpath, newpath);
}

ssize_t __wrap_read(int fd, void* buf, std::size_t count) {
  if (kavir::test::faults::interrupted_reads > 0) {
    --kavir::test::faults::interrupted_reads;
    errno = EINTR;
    return -1;
  }
  const int piece = kavir::test::faults::read_piece.load();
  if (piece > 0 && count > static_cast<std::size_t>(piece)) count = static_cast<std::size_t>(piece);
  return __real_read(fd, buf, count);
}
}
