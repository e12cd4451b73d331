#include "file_path.h"

#include "utf16_win.h"

namespace kavir {

namespace fs = std::filesystem;

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

fs::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// The \\?\ form lifts the 260-character limit of the file calls, but only
// for an absolute, normalised path with backslashes; std::filesystem does not
// take it apart correctly, so it is made only right before a system call.
std::wstring SystemPath(std::string_view utf8) {
  constexpr std::size_t kLongPath = 247;  // MAX_PATH less room for a file name
  fs::path path = PathFromUtf8(utf8);
  if (path.native().size() <= kLongPath || path.native().starts_with(kLongPrefix)) return path.native();
  std::error_code ec;
  if (!path.is_absolute()) path = fs::absolute(path, ec);
  if (ec) return PathFromUtf8(utf8).native();
  std::wstring normal = path.lexically_normal().make_preferred().native();
  if (normal.size() > 2 && IsSeparator(normal[0]) && IsSeparator(normal[1]))
    return std::wstring(kLongUncPrefix) + normal.substr(2);
  return std::wstring(kLongPrefix) + normal;
}

std::string Utf8FromPath(const fs::path& path) {
  std::wstring_view native = path.native();
  std::wstring unc;
  if (native.starts_with(kLongUncPrefix)) {
    unc = L"\\\\" + std::wstring(native.substr(kLongUncPrefix.size()));
    native = unc;
  } else if (native.starts_with(kLongPrefix)) {
    native.remove_prefix(kLongPrefix.size());
  }
  return win::Utf8FromWide(native);
}

std::FILE* OpenFile(std::string_view utf8_path, const char* mode) {
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(SystemPath(utf8_path).c_str(), wide_mode.c_str());
}

std::string ErrorText(const std::error_code& ec) {
  if (ec.category() != std::system_category()) return ec.message();
  wchar_t* text = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(ec.value()), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (n == 0 || !text) return "system error " + std::to_string(ec.value());
  std::wstring_view view(text, n);
  while (!view.empty() && (view.back() == L'\r' || view.back() == L'\n' || view.back() == L' ' || view.back() == L'.' ||
                           view.back() == L'\x3002'))
    view.remove_suffix(1);
  std::string utf8 = win::Utf8FromWide(view);
  LocalFree(text);
  return utf8;
}

std::string ErrnoText(int err) { return ErrorText(std::error_code(err, std::generic_category())); }

}  // namespace kavir
