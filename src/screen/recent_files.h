#pragma once
// The files most recently opened or saved, newest first, kept in KAVIR.ini
// (section RecentFiles, keys File1..File6).
#include <cstddef>
#include <string>
#include <vector>

#include "ini/ini_document.h"
#include "ini/io_status.h"
#include "setup/program_config.h"

namespace kavir {

class RecentFiles {
 public:
  static constexpr std::size_t kLimit = 6;
  static constexpr const char* kSection = "RecentFiles";

  const std::vector<std::string>& paths() const { return paths_; }
  // Puts path first (moving it up when listed), dropping the oldest beyond 6.
  void Add(const std::string& path);
  void Remove(const std::string& path);

  void ReadFrom(const IniDocument& config);
  void WriteTo(IniDocument& config) const;
  // Stores the list in the configuration; its other entries stay as they are.
  IoStatus Save(ProgramConfig& config) const;

 private:
  std::vector<std::string> paths_;
};

}  // namespace kavir
