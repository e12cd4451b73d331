#pragma once
// Test support for every layer: temporary folders, file bytes and INI files.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ini/file_path.h"
#include "ini/ini_document.h"

namespace kavir::test {

// A path as text that also converts to a filesystem path.
struct PathText : std::string {
  using std::string::string;
  PathText(std::string s) : std::string(std::move(s)) {}
  const std::string& string() const { return *this; }
  operator std::filesystem::path() const { return PathFromUtf8(*this); }
};

// A fresh folder under the system temp folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const PathText& path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  PathText path_;
};

std::string ReadBytes(const std::string& path);  // "" when missing
void WriteBytes(const std::string& path, const std::string& bytes);
std::string Hex(const std::uint8_t* bytes, std::size_t count);

using Entries = std::vector<std::pair<std::string, std::string>>;
using IniContent = std::vector<std::pair<std::string, Entries>>;  // sections in order
// Writes an INI file through the INI layer (GBK on disk).
void WriteIni(const std::string& path, const IniContent& content);
Entries List(const std::vector<std::string>& texts);  // entries "1".."n"
// Section Previous, key, of a file ("<missing>" when absent).
std::string Stored(const std::string& path, const std::string& key);

inline TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  for (;;) {
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("kavir-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(p)) {
      path_ = Utf8FromPath(p);
      break;
    }
  }
}

inline TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(PathFromUtf8(path_), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(PathFromUtf8(path_), ec);
}

inline std::string TempDir::File(const std::string& name) const { return JoinPath(path_, name); }

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = OpenFile(path, "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  if (std::FILE* f = OpenFile(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

inline std::string Hex(const std::uint8_t* bytes, std::size_t count) {
  std::string s;
  char buf[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
    s += buf;
  }
  return s;
}

inline void WriteIni(const std::string& path, const IniContent& content) {
  IniDocument doc;
  for (const auto& [section, entries] : content)
    for (const auto& [key, value] : entries) doc.SetString(section, key, value);
  IoStatus s = WriteIniFile(path, doc);
  ASSERT_TRUE(s.ok) << s.Message();
}

// Sets one value in a file, as a user editing it would: the rest stays.
inline IoStatus WriteValue(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) {
  IniFile file(path);
  if (!file.load_status()) return file.load_status();
  file.doc().SetString(section, key, value);
  return file.Save();
}

inline Entries List(const std::vector<std::string>& texts) {
  Entries e;
  for (std::size_t i = 0; i < texts.size(); ++i) e.emplace_back(std::to_string(i + 1), texts[i]);
  return e;
}

inline std::string Stored(const std::string& path, const std::string& key) {
  return ReadIniFile(path).Find("Previous", key).value_or("<missing>");
}

}  // namespace kavir::test
