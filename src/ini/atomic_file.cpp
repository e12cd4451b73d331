#include "atomic_file.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

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

constexpr char kTempLead[] = ".kavir~";
constexpr char kTempTail[] = ".tmp";
constexpr auto kStaleAfter = std::chrono::minutes(1);

// A short name beside path that no other save picks at the same time: any
// name the file system takes can be saved. It names the process that
// writes it, so a name left by a killed save can be told from one in use.
std::string TempNameFor(const std::string& path) {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  char tag[40];
  std::snprintf(tag, sizeof tag, "%s%ld-%08llx%s", kTempLead, platform::CurrentProcessId(),
                static_cast<unsigned long long>(rng() & 0xFFFFFFFFULL), kTempTail);
  const fs::path folder = PathFromUtf8(path).parent_path();
  return Utf8FromPath(folder / PathFromUtf8(tag));
}

bool AllDigits(std::string_view s, std::size_t most) {
  if (s.empty() || s.size() > most) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A temporary file a save of ours left behind: ".kavir~<pid>-<hex>.tmp" of
// a process that is gone, or "<name>.tmp<digits>" beside <name> (the
// earlier naming), untouched for a minute.
bool StaleTemporary(const fs::directory_entry& e) {
  const std::string name = Utf8FromPath(e.path().filename());
  const std::string lead = kTempLead, tail = kTempTail;
  bool ours = false;
  if (name.rfind(lead, 0) == 0 && name.size() > lead.size() + tail.size() &&
      name.compare(name.size() - tail.size(), tail.size(), tail) == 0) {
    const std::string middle = name.substr(lead.size(), name.size() - lead.size() - tail.size());
    const std::size_t dash = middle.find('-');
    ours = dash != std::string::npos && AllDigits(middle.substr(0, dash), 10) &&
           !platform::ProcessRunning(std::stol(middle.substr(0, dash)));
  } else if (const std::size_t at = name.rfind(tail);
             at != std::string::npos && at > 0 && AllDigits(std::string_view(name).substr(at + tail.size()), 10)) {
    std::error_code ec;
    ours = fs::is_regular_file(e.path().parent_path() / PathFromUtf8(name.substr(0, at)), ec);
  }
  std::error_code ec;
  if (!ours || !e.is_regular_file(ec)) return false;
  const auto written = fs::last_write_time(e.path(), ec);
  return !ec && fs::file_time_type::clock::now() - written > kStaleAfter;
}

// Left-overs of saves that were killed go with the next save in the folder.
void RemoveStaleTemporaries(const std::string& path) {
  std::error_code ec;
  fs::path folder = PathFromUtf8(path).parent_path();
  if (folder.empty()) folder = ".";
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (StaleTemporary(*it)) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
}

// Why the temporary file could not be made: the folder when it is the
// folder that may not be written, not the file the user named.
IoStatus TempFailed(const std::string& requested, const std::string& path, const std::string& reason) {
  fs::path folder = PathFromUtf8(path).parent_path();
  if (folder.empty()) folder = ".";
  std::string why;
  if (!platform::MayWrite(Utf8FromPath(folder), &why))
    return IoStatus::Fail(
        requested, "the folder " + Utf8FromPath(folder) + " cannot be written (" + why + "); nothing was written");
  return IoStatus::Fail(requested, reason);
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
      *reason = ec == std::errc::too_many_symbolic_link_levels ? "symbolic link loop: the link points back to itself"
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
    case FileKind::Folder:
      return IoStatus::BadInput(requested, "is a folder, not a file");
    case FileKind::Unreachable:
      return IoStatus::Fail(requested, reason);
    case FileKind::Other:
      return platform::WriteInPlace(path, bytes);
    case FileKind::Missing:
      break;
    case FileKind::Regular: {
      std::error_code ec;
      const fs::perms perms = fs::status(PathFromUtf8(path), ec).permissions();
      constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
      if (!ec && (perms & kWrite) == fs::perms::none)
        return IoStatus::Fail(requested,
                              "is read-only; nothing was written (make it writable or save under another name)");
      if (!platform::MayWrite(path, &reason)) return IoStatus::Fail(requested, reason + "; nothing was written");
      break;
    }
  }

  RemoveStaleTemporaries(path);
  const std::string temp = TempNameFor(path);
  IoStatus written = platform::WriteNewFile(temp, bytes);
  if (!written) return TempFailed(requested, path, written.reason);
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
  RemoveStaleTemporaries(path);
  const std::string temp = TempNameFor(path);
  IoStatus written = platform::WriteNewFile(temp, bytes);
  if (!written) return TempFailed(path, path, written.reason);
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
