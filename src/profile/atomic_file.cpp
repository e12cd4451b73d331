#include "atomic_file.h"

#include <filesystem>
#include <random>

#include "file_path.h"
#include "file_replace.h"
#include "platform_file.h"

namespace kavir {

namespace fs = std::filesystem;

namespace {

// The path of the file a chain of symbolic links ends at (which may not
// exist yet); "" and the reason for a loop.
std::string FollowLinks(const std::string& path, std::string* reason) {
  fs::path p = PathFromUtf8(path);
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return Utf8FromPath(p);
    const fs::path target = fs::read_symlink(p, ec);
    if (ec) {
      *reason = ErrorText(ec);
      return {};
    }
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  *reason = "symbolic link loop: the link points back to itself";
  return {};
}

// A name beside path that no other save picks at the same time.
std::string TempNameFor(const std::string& path) {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  return path + ".tmp" + std::to_string(rng() % 1000000000ULL);
}

}  // namespace

FileKind KindOfFile(const std::string& path, std::string* reason) {
  // The system follows links here: /dev/stdout names a pipe by a link that
  // is not a path.
  std::error_code ec;
  const fs::file_status st = fs::status(PathFromUtf8(path), ec);
  if (st.type() == fs::file_type::not_found) return FileKind::Missing;
  if (ec) {
    if (reason)
      *reason = ec == std::errc::too_many_symbolic_link_levels
                    ? "symbolic link loop: the link points back to itself"
                    : ErrorText(ec);
    return FileKind::Unreachable;
  }
  if (fs::is_regular_file(st)) return FileKind::Regular;
  if (fs::is_directory(st)) return FileKind::Folder;
  return FileKind::Other;
}

IoStatus WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  if (requested.empty()) return IoStatus::BadInput(requested, "no file name given");
  std::string reason;
  // Devices and pipes (a terminal, /dev/stdout, Windows' NUL) cannot be
  // replaced by a rename; they are written as they are.
  if (IsDeviceName(requested) || KindOfFile(requested) == FileKind::Other)
    return platform::WriteInPlace(requested, bytes);
  // Through a symbolic link the file it names is replaced, never the link.
  const std::string path = FollowLinks(requested, &reason);
  if (path.empty()) return IoStatus::Fail(requested, reason);
  switch (KindOfFile(path, &reason)) {
    case FileKind::Folder: return IoStatus::BadInput(requested, "is a folder, not a file");
    case FileKind::Unreachable: return IoStatus::Fail(requested, reason);
    case FileKind::Other: return platform::WriteInPlace(path, bytes);
    case FileKind::Missing: break;
    case FileKind::Regular: {
      std::error_code ec;
      const fs::perms perms = fs::status(PathFromUtf8(path), ec).permissions();
      constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
      if (!ec && (perms & kWrite) == fs::perms::none)
        return IoStatus::Fail(requested, "is read-only; nothing was written (make it writable or save under another name)");
      if (!platform::MayWrite(path, &reason))
        return IoStatus::Fail(requested, reason + "; nothing was written");
      break;
    }
  }

  const std::string temp = TempNameFor(path);
  IoStatus written = platform::WriteNewFile(temp, bytes);
  if (!written) return IoStatus::Fail(requested, written.reason);
  std::error_code ec;
  const fs::file_status old = fs::status(PathFromUtf8(path), ec);
  // The replaced file keeps who may read and write it.
  if (!ec && fs::exists(old)) fs::permissions(PathFromUtf8(temp), old.permissions(), ec);
  const IoStatus replaced = ReplaceWithTemp(temp, path);
  if (!replaced) {
    fs::remove(PathFromUtf8(temp), ec);
    return IoStatus::Fail(requested, replaced.reason);
  }
  return IoStatus::Ok();
}

IoStatus CreateFileAtomically(const std::string& path, std::string_view bytes, bool* taken) {
  *taken = false;
  const std::string temp = TempNameFor(path);
  IoStatus written = platform::WriteNewFile(temp, bytes);
  if (!written) return IoStatus::Fail(path, written.reason);
  std::string reason;
  const MoveResult moved = MoveWithoutReplacing(temp, path, &reason);
  if (moved == MoveResult::Moved) return IoStatus::Ok();
  std::error_code ec;
  fs::remove(PathFromUtf8(temp), ec);
  switch (moved) {
    case MoveResult::NameTaken:
      *taken = true;
      return IoStatus::Fail(path, "a file of that name exists");
    case MoveResult::NotSupported: {
      // A share without hard links: the name is created exclusively and
      // written in place; a failed write removes it again.
      IoStatus direct = platform::WriteNewFile(path, bytes);
      *taken = !direct && KindOfFile(path) != FileKind::Missing;
      return direct;
    }
    default:
      return IoStatus::Fail(path, reason);
  }
}

std::string ReadWholeFile(const std::string& path, IoStatus* status) {
  std::string bytes;
  std::string reason;
  const FileKind kind = KindOfFile(path, &reason);
  if (kind == FileKind::Unreachable) {
    *status = IoStatus::BadInput(path, reason);
    return bytes;
  }
  *status = platform::ReadRegularFile(path, kMaxInputBytes, &bytes);
  return bytes;
}

void IgnoreFileSizeSignal() { platform::IgnoreFileSizeSignal(); }

}  // namespace kavir
