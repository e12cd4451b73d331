#include "licence_choice.h"

#include <filesystem>
#include <system_error>

#include "ini/atomic_file.h"
#include "ini/file_path.h"

namespace kavir {

namespace {

constexpr const char* kSection = "Licence";

// The same profile is one key however its path was written (relative to
// another folder, with "./" or "..").
std::string FullPath(const std::string& profile) {
  if (profile.empty()) return {};
  std::error_code failed;
  const std::filesystem::path given = PathFromUtf8(profile);
  const std::filesystem::path full = std::filesystem::absolute(given, failed);
  return Utf8FromPath((failed ? given : full).lexically_normal());
}

bool UsableKey(const std::string& key) {
  if (key.empty() || key.front() == '[' || key.front() == ';') return false;
  return key.find_first_of("=\r\n") == std::string::npos;
}

}  // namespace

std::string RememberedLicence(const IniDocument& kavir_ini, const std::string& profile) {
  const std::string key = FullPath(profile);
  if (!UsableKey(key)) return {};
  return kavir_ini.Find(kSection, key).value_or(std::string());
}

bool RememberLicence(IniDocument& kavir_ini, const std::string& profile, const std::string& licence) {
  // A value runs to the line's end: a line break in it would start a key of its own.
  const std::string key = FullPath(profile);
  if (!UsableKey(key) || licence.find_first_of("\r\n") != std::string::npos) return false;
  kavir_ini.SetString(kSection, key, licence.empty() ? licence : FullPath(licence));
  return true;
}

std::optional<Licence> LoadLicenceFile(const std::string& path, std::string* error) {
  IoStatus read;
  const std::string bytes = ReadWholeFile(path, &read);
  if (!read) {
    if (error) *error = read.Message();
    return std::nullopt;
  }
  LicenceReading reading = ReadLicence(bytes);
  if (!reading.licence && error) *error = path + ": " + reading.error.message;
  return std::move(reading.licence);
}

}  // namespace kavir
