#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "file_path.h"
#include "file_replace.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavir {

namespace {

// Devices and pipes (a terminal, /dev/stdout) cannot be replaced by a
// rename; they are written as they are.
IoStatus WriteInPlace(const std::string& path, std::string_view bytes) {
  std::FILE* f = OpenFile(path, "wb");
  if (!f) return IoStatus::Fail(path, ErrnoText(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) ok = false, err = errno;
  return ok ? IoStatus::Ok() : IoStatus::Fail(path, err ? ErrnoText(err) : "write error");
}

}  // namespace

IoStatus WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path requested_path = PathFromUtf8(requested);
  if (fs::is_directory(requested_path, ec))
    return IoStatus::Fail(requested, "is a folder, not a file");
  if (IsDeviceName(requested)) return WriteInPlace(requested, bytes);
  const fs::file_status target = fs::status(requested_path, ec);  // follows links
  if (fs::exists(target) && !fs::is_regular_file(target)) return WriteInPlace(requested, bytes);
  // Through a symbolic link the file it names is replaced, never the link.
  std::string path = requested;
  if (fs::is_symlink(fs::symlink_status(requested_path, ec))) {
    const fs::path resolved = fs::weakly_canonical(requested_path, ec);
    if (ec) return IoStatus::Fail(requested, ErrorText(ec));
    path = Utf8FromPath(resolved);
  }

  thread_local std::mt19937_64 rng{std::random_device{}()};
  const std::string temp = path + ".tmp" + std::to_string(rng() % 1000000000ULL);
  std::FILE* f = OpenFile(temp, "wb");
  if (!f) return IoStatus::Fail(path, ErrnoText(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = ok ? 0 : errno;
  if (ok && std::fflush(f) != 0) ok = false, err = errno;
#if defined(_WIN32)
  if (ok && _commit(_fileno(f)) != 0) ok = false, err = errno;
#else
  if (ok && fsync(fileno(f)) != 0) ok = false, err = errno;
#endif
  if (std::fclose(f) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    fs::remove(PathFromUtf8(temp), ec);
    return IoStatus::Fail(path, err ? ErrnoText(err) : "write error");
  }
  const IoStatus replaced = ReplaceWithTemp(temp, path);
  if (!replaced) fs::remove(PathFromUtf8(temp), ec);
  return replaced;
}

std::string ReadWholeFile(const std::string& path, IoStatus* status) {
  namespace fs = std::filesystem;
  *status = IoStatus::Ok();
  std::error_code ec;
  const fs::path file = PathFromUtf8(path);
  if (!fs::exists(file, ec)) {
    *status = IoStatus::Fail(path, "no such file");
    return {};
  }
  if (fs::is_directory(file, ec)) {
    *status = IoStatus::Fail(path, "is a folder, not a file");
    return {};
  }
  std::FILE* in = OpenFile(path, "rb");
  if (!in) {
    *status = IoStatus::Fail(path, ErrnoText(errno));
    return {};
  }
  std::string bytes;
  char buffer[16384];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, n);
  if (std::ferror(in)) *status = IoStatus::Fail(path, "read error");
  std::fclose(in);
  return bytes;
}

}  // namespace kavir
