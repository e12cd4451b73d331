#include "file_replace.h"

#include <windows.h>

#include <array>
#include <chrono>
#include <thread>

#include "file_path.h"

namespace kavir {

namespace {

constexpr int kAttempts = kHeldFileAttempts;
constexpr auto kPause = kHeldFilePause;

bool HeldByAnother(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

IoStatus ReplaceWithTemp(const std::string& temp, const std::string& target) {
  const std::wstring from = SystemPath(temp);
  const std::wstring to = SystemPath(target);
  const DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return IoStatus::Fail(target, "the file is read-only");
  DWORD error = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kPause);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return IoStatus::Ok();
    error = GetLastError();
    if (!HeldByAnother(error)) break;
  }
  const std::string reason = ErrorText(std::error_code(static_cast<int>(error), std::system_category()));
  if (HeldByAnother(error))
    return IoStatus::Fail(target, reason +
                                      "; the file may be open in another program: "
                                      "close it there and save again");
  return IoStatus::Fail(target, reason);
}

MoveResult MoveWithoutReplacing(const std::string& temp, const std::string& target, std::string* reason) {
  const std::wstring from = SystemPath(temp);
  const std::wstring to = SystemPath(target);
  DWORD error = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kPause);
    // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return MoveResult::Moved;
    error = GetLastError();
    // A folder of that name may come back as access denied, not as existing.
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ||
        GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES)
      return MoveResult::NameTaken;
    if (!HeldByAnother(error)) break;
  }
  *reason = ErrorText(std::error_code(static_cast<int>(error), std::system_category()));
  return MoveResult::Failed;
}

bool IsDeviceName(std::string_view utf8_path) {
  if (utf8_path.starts_with("\\\\.\\")) return true;
  const std::size_t slash = utf8_path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? utf8_path : utf8_path.substr(slash + 1);
  name = name.substr(0, name.find('.'));  // "nul.txt" is the device too
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string lower;
  for (char c : name) lower += Lower(c);
  static constexpr std::array<std::string_view, 6> kPlain = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (std::string_view device : kPlain)
    if (lower == device) return true;
  return lower.size() == 4 && (lower.starts_with("com") || lower.starts_with("lpt")) && lower[3] >= '1' &&
         lower[3] <= '9';
}

}  // namespace kavir
