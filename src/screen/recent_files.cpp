#include "recent_files.h"

#include <algorithm>

#include "ini/atomic_file.h"

namespace kavir {

namespace {
std::string Key(std::size_t i) { return "File" + std::to_string(i + 1); }
}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kLimit) paths_.resize(kLimit);
}

void RecentFiles::Remove(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void RecentFiles::ReadFrom(const IniDocument& config) {
  paths_.clear();
  for (std::size_t i = 0; i < kLimit; ++i) {
    const std::string path = config.Find(kSection, Key(i)).value_or("");
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
  }
}

void RecentFiles::WriteTo(IniDocument& config) const {
  // Unused slots are written empty so that a shorter list leaves no stale name.
  for (std::size_t i = 0; i < kLimit; ++i)
    config.SetString(kSection, Key(i), i < paths_.size() ? paths_[i] : std::string());
}

IoStatus RecentFiles::Save(ProgramConfig& config) const {
  return config.Change([this](IniDocument& ini) { WriteTo(ini); });
}

}  // namespace kavir
