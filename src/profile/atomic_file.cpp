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

IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return IoStatus::Fail(path, "is a folder, not a file");

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
