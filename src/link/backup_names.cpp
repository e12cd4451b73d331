#include "backup_names.h"

#include <cstring>

#include "backups.h"
#include "ini/file_path.h"

namespace kavir {

int ModelFromBackupName(const std::string& path, const std::vector<std::string>& models) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  std::string rest;
  for (const char* kind : {"read-", "write-"})
    if (name.rfind(kind, 0) == 0) rest = name.substr(std::strlen(kind));
  if (rest.empty()) return 0;
  // The longest model name that the name goes on with, followed by '-'.
  int best = 0;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < models.size(); ++i) {
    const std::string m = BackupModelName(models[i]) + "-";
    if (rest.rfind(m, 0) == 0 && m.size() > best_length) {
      best = static_cast<int>(i) + 1;
      best_length = m.size();
    }
  }
  return best;
}

}  // namespace kavir
