#include "recent_files.h"

#include <algorithm>

#include "profile/atomic_file.h"

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
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
      paths_.push_back(path);
  }
}

void RecentFiles::WriteTo(IniDocument& config) const {
  // Unused slots are written empty so that a shorter list leaves no stale name.
  for (std::size_t i = 0; i < kLimit; ++i)
    config.SetString(kSection, Key(i), i < paths_.size() ? paths_[i] : std::string());
}

void RecentFiles::Load(const std::string& kavir_ini) { ReadFrom(ReadIniFile(kavir_ini)); }

IoStatus RecentFiles::Save(const std::string& kavir_ini) const {
  // KAVIR.ini is never made from nothing: a stub would lack every list.
  if (KindOfFile(kavir_ini) == FileKind::Missing) return IoStatus::Fail(kavir_ini, "is missing");
  IniFile config(kavir_ini);
  // A configuration that cannot be read is not overwritten.
  if (!config.load_status().ok) return config.load_status();
  WriteTo(config.doc());
  return config.Save();
}

}  // namespace kavir
