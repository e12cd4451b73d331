#pragma once
// A fresh temporary folder per test, removed afterwards.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "profile/file_path.h"

namespace kavir::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("kavir-test-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return Utf8FromPath(path_ / PathFromUtf8(name)); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  if (std::FILE* f = OpenFile(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}
inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = OpenFile(path, "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace kavir::testing
