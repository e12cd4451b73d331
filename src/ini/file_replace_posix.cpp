#include "file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "file_path.h"
#include "platform_file.h"

namespace kavir {

IoStatus ReplaceWithTemp(const std::string& temp, const std::string& target) {
  std::error_code ec;
  std::filesystem::rename(PathFromUtf8(temp), PathFromUtf8(target), ec);
  return ec ? IoStatus::Fail(target, ErrorText(ec)) : IoStatus::Ok();
}

MoveResult MoveWithoutReplacing(const std::string& temp, const std::string& target, std::string* reason) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return MoveResult::Moved;
  if (errno == EEXIST) return MoveResult::NameTaken;
  // Not every file system knows the flag; a hard link does the same.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    *reason = platform::ErrorText(errno);
    return MoveResult::Failed;
  }
#endif
  if (::link(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    if (error == EEXIST) return MoveResult::NameTaken;
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS) return MoveResult::NotSupported;
    *reason = platform::ErrorText(error);
    return MoveResult::Failed;
  }
  ::unlink(temp.c_str());
  return MoveResult::Moved;
}

bool IsDeviceName(std::string_view) { return false; }

}  // namespace kavir
