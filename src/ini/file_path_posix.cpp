#include "file_path.h"

namespace kavir {

namespace fs = std::filesystem;

fs::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8FromPath(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

std::FILE* OpenFile(std::string_view utf8_path, const char* mode) {
  return std::fopen(std::string(utf8_path).c_str(), mode);
}

std::string ErrorText(const std::error_code& ec) { return ec.message(); }

std::string ErrnoText(int err) { return ErrorText(std::error_code(err, std::generic_category())); }

}  // namespace kavir
