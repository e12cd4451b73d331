#include "setup/option_texts.h"

#include <filesystem>
#include <system_error>

#include "ini/file_path.h"
#include "ini/platform_file.h"
#include "setup/working_files.h"

namespace kavir {
namespace {

std::string Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return std::string(s.substr(first, last - first + 1));
}

}  // namespace

OptionTexts OptionTexts::Load(const std::string& path, IoStatus* status) {
  OptionTexts texts;
  std::error_code ec;
  if (!std::filesystem::exists(PathFromUtf8(path), ec)) {
    if (status) *status = IoStatus::Ok();
    return texts;
  }
  std::string bytes;
  const IoStatus read = platform::ReadRegularFile(path, 1 << 20, &bytes);
  if (status) *status = read;
  if (!read.ok) return texts;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = Trimmed(std::string_view(bytes).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string stored = Trimmed(std::string_view(line).substr(0, eq));
    const std::string shown = Trimmed(std::string_view(line).substr(eq + 1));
    if (!stored.empty() && !shown.empty()) texts.Add(stored, shown);
  }
  return texts;
}

void OptionTexts::Add(const std::string& stored, const std::string& shown) {
  shown_[stored] = shown;
  stored_.emplace(shown, stored);  // the first of two stored texts shown alike wins
}

const std::string& OptionTexts::Shown(const std::string& stored) const {
  const auto it = shown_.find(stored);
  return it == shown_.end() ? stored : it->second;
}

const std::string& OptionTexts::Stored(const std::string& shown) const {
  const auto it = stored_.find(shown);
  return it == stored_.end() ? shown : it->second;
}

std::string OptionTextsFile(const std::string& program_dir, const std::string& lang) {
  return JoinPath(program_dir, "options_" + lang + ".txt");
}

}  // namespace kavir
