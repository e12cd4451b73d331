#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return IoStatus::Fail(path, std::strerror(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) ok = false, err = errno;
  return ok ? IoStatus::Ok() : IoStatus::Fail(path, err ? std::strerror(err) : "write error");
}

}  // namespace

IoStatus WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(requested, ec)) return IoStatus::Fail(requested, "is a folder, not a file");
  const fs::file_status target = fs::status(requested, ec);  // follows links
  if (fs::exists(target) && !fs::is_regular_file(target)) return WriteInPlace(requested, bytes);
  // Through a symbolic link the file it names is replaced, never the link.
  std::string path = requested;
  if (fs::is_symlink(fs::symlink_status(requested, ec))) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (ec) return IoStatus::Fail(requested, ec.message());
    path = resolved.string();
  }

  thread_local std::mt19937_64 rng{std::random_device{}()};
  const std::string temp = path + ".tmp" + std::to_string(rng() % 1000000000ULL);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return IoStatus::Fail(path, std::strerror(errno));
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
    std::remove(temp.c_str());
    return IoStatus::Fail(path, err ? std::strerror(err) : "write error");
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::remove(temp.c_str());
    return IoStatus::Fail(path, ec.message());
  }
  return IoStatus::Ok();
}

std::string ReadWholeFile(const std::string& path, IoStatus* status) {
  namespace fs = std::filesystem;
  *status = IoStatus::Ok();
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    *status = IoStatus::Fail(path, "no such file");
    return {};
  }
  if (fs::is_directory(path, ec)) {
    *status = IoStatus::Fail(path, "is a folder, not a file");
    return {};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *status = IoStatus::Fail(path, std::strerror(errno));
    return {};
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) *status = IoStatus::Fail(path, "read error");
  return buffer.str();
}

}  // namespace kavir
