#include "backups.h"

#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "ini/atomic_file.h"
#include "ini/file_path.h"
#include "ini/local_time.h"
#include "setup/working_files.h"

namespace kavir {

namespace fs = std::filesystem;

namespace {
constexpr int kMaxBackupsPerName = 999;
}  // namespace

std::string BackupModelName(const std::string& model) {
  std::string out;
  for (unsigned char c : model) {
    bool bad = c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
    out += bad ? '_' : static_cast<char>(c);
  }
  if (out.empty() || out == "." || out == "..") out = "unknown";
  return out;
}

IoStatus SaveBackup(const std::string& program_dir, const std::string& kind, const std::string& model,
                    const BackupImage& image, std::time_t when, std::string* path_out) {
  std::string dir = JoinPath(program_dir, "backups");
  std::error_code ec;
  fs::create_directories(PathFromUtf8(dir), ec);
  if (ec) return IoStatus::Fail(dir, ErrorText(ec));

  // Each name is created, never replaced: two programs saving in the same
  // second each take a name of their own.
  const std::string base = JoinPath(dir, kind + "-" + BackupModelName(model) + "-" + LocalFileStamp(when));
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  for (int i = 1; i <= kMaxBackupsPerName; ++i) {
    const std::string path = i == 1 ? base + ".bin" : base + "-" + std::to_string(i) + ".bin";
    // A name seen taken is passed over without writing anything.
    if (fs::exists(fs::symlink_status(PathFromUtf8(path), ec))) continue;
    bool taken = false;
    const IoStatus created = CreateFileAtomically(path, bytes, &taken);
    if (created) {
      if (path_out) *path_out = path;
      return created;
    }
    if (!taken) return created;
  }
  return IoStatus::Fail(base + ".bin",
                        "every name up to -" + std::to_string(kMaxBackupsPerName) + " is taken; nothing was replaced");
}

}  // namespace kavir
