#include "file_replace.h"

#include <filesystem>

#include "file_path.h"

namespace kavir {

IoStatus ReplaceWithTemp(const std::string& temp, const std::string& target) {
  std::error_code ec;
  std::filesystem::rename(PathFromUtf8(temp), PathFromUtf8(target), ec);
  return ec ? IoStatus::Fail(target, ErrorText(ec)) : IoStatus::Ok();
}

bool IsDeviceName(std::string_view) { return false; }

}  // namespace kavir
