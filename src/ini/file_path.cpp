#include "file_path.h"

namespace kavir {

std::string JoinPath(std::string_view dir, std::string_view name) {
#if defined(_WIN32)
  constexpr char kSep = '\\';
#else
  constexpr char kSep = '/';
#endif
  std::string path(dir);
  if (!path.empty() && path.back() != '/' && path.back() != kSep) path += kSep;
  path += name;
  return path;
}

}  // namespace kavir
