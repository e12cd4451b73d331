#include "backups.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "../profile/atomic_file.h"
#include "../profile/file_path.h"
#include "../profile/local_time.h"
#include "../profile/working_files.h"

namespace kavir {

namespace fs = std::filesystem;

std::string BackupModelName(const std::string& model) {
  std::string out;
  for (unsigned char c : model) {
    bool bad = c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
    out += bad ? '_' : static_cast<char>(c);
  }
  if (out.empty() || out == "." || out == "..") out = "unknown";
  return out;
}

IoStatus SaveBackup(const std::string& program_dir, const std::string& kind,
                    const std::string& model, const BackupImage& image, std::time_t when,
                    std::string* path_out) {
  std::string dir = JoinPath(program_dir, "backups");
  std::error_code ec;
  fs::create_directories(PathFromUtf8(dir), ec);
  if (ec) return IoStatus::Fail(dir, ErrorText(ec));

  std::string base = JoinPath(dir, kind + "-" + BackupModelName(model) + "-" + LocalFileStamp(when));
  std::string path = base + ".bin";
  for (int i = 2; fs::exists(PathFromUtf8(path), ec) && i < 1000; ++i)
    path = base + "-" + std::to_string(i) + ".bin";

  // A backup is whole or absent.
  const IoStatus written = WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
  if (!written) return written;
  if (path_out) *path_out = path;
  return IoStatus::Ok();
}

}  // namespace kavir
