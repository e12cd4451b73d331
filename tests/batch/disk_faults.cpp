// A disk that fills up, for the batch log's error paths: write and fwrite
// from our code pass through here (linked with --wrap; Linux only).
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#include "system_faults.h"

namespace {

// How many of count bytes fit; ENOSPC is set when not all of them do.
std::size_t Fits(std::size_t count) {
  long long space = kavir::test::faults::disk_space.load();
  if (space < 0) return count;
  const std::size_t fits = static_cast<std::size_t>(space) < count ? static_cast<std::size_t>(space) : count;
  kavir::test::faults::disk_space = space - static_cast<long long>(fits);
  return fits;
}

}  // namespace

extern "C" {
ssize_t __real_write(int fd, const void* buf, std::size_t count);
std::size_t __real_fwrite(const void* ptr, std::size_t size, std::size_t n, std::FILE* f);

ssize_t __wrap_write(int fd, const void* buf, std::size_t count) {
  const std::size_t fits = Fits(count);
  if (fits == 0 && count > 0) {
    errno = ENOSPC;
    return -1;
  }
  return __real_write(fd, buf, fits);
}

// The bytes that fit reach the file when it is flushed, as a full disk
// leaves them.
std::size_t __wrap_fwrite(const void* ptr, std::size_t size, std::size_t n, std::FILE* f) {
  if (size != 1) return __real_fwrite(ptr, size, n, f);
  const std::size_t fits = Fits(n);
  const std::size_t done = fits > 0 ? __real_fwrite(ptr, 1, fits, f) : 0;
  if (done < n) errno = ENOSPC;
  return done;
}
}
