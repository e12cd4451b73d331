#include "batch_log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ini/atomic_file.h"
#include "ini/file_path.h"
#include "ini/platform_file.h"
#include "setup/working_files.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavir {

namespace {

std::tm Local(std::time_t when) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &when);
#else
  localtime_r(&when, &tm);
#endif
  return tm;
}

// Past the C library's buffer and the system's cache: on the disk.
bool SyncToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0 || errno == EINVAL;  // a pipe or device cannot sync
#endif
}

}  // namespace

std::string ResultText(RadioOutcome outcome, const std::string& reason) {
  switch (outcome) {
    case RadioOutcome::Verified:
      return "written and verified";
    case RadioOutcome::Written:
      return "written (not verified)";
    case RadioOutcome::VerifyFailed:
      return reason.empty() ? "verify failed" : "verify failed: " + reason;
    case RadioOutcome::OtherModel:
      return "skipped: other model";
    case RadioOutcome::Failed:
      return "failed: " + (reason.empty() ? std::string("unknown") : reason);
  }
  return "failed: unknown";
}

std::string LocalTimeText(std::time_t when) {
  const std::tm tm = Local(when);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string DefaultLogName(std::time_t when) {
  const std::tm tm = Local(when);
  char buf[80];
  std::snprintf(buf, sizeof buf, "batch-%04d%02d%02d-%02d%02d%02d.csv", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvLine(const RadioRecord& r) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(r.duration_ms) / 1000.0);
  return CsvField(r.time) + "," + CsvField(r.port) + "," + CsvField(r.model) + "," +
         CsvField(ResultText(r.outcome, r.reason)) + "," + r.sha256 + "," + seconds + "," +
         (r.changed ? std::to_string(*r.changed) : std::string());
}

namespace {

const std::string kLogHead = std::string("\xEF\xBB\xBF") + kLogHeader + "\r\n";

// Appends bytes to path (made when missing), on the disk when it returns.
bool AppendToFile(const std::string& path, const std::string& bytes, std::string* error) {
  std::FILE* f = OpenFile(path, "ab");
  if (!f) {
    *error = path + ": " + std::strerror(errno);
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && SyncToDisk(f);
  if (!ok) *error = path + ": " + std::strerror(errno);
  return std::fclose(f) == 0 && ok;
}

// What follows the last line end of path (at most the last 64 KiB): ""
// for an empty or unreadable file or one that ends with a line.
std::string CutTail(const std::string& path) {
  std::FILE* f = OpenFile(path, "rb");
  if (!f) return {};
  std::string tail;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    const long from = size > 65536 ? size - 65536 : 0;
    if (size > 0 && std::fseek(f, from, SEEK_SET) == 0) {
      tail.resize(static_cast<std::size_t>(size - from));
      tail.resize(std::fread(tail.data(), 1, tail.size(), f));
    }
  }
  std::fclose(f);
  const std::size_t end = tail.rfind('\n');
  return end == std::string::npos ? tail : tail.substr(end + 1);
}

// What ends a line that was cut off (a full disk, a crash, another
// program): marked as incomplete, in a cell of its own after any open quote
// is closed, so that no reader takes it for a whole record.
std::string CloseCutLine(const std::string& tail) {
  if (tail.empty()) return {};
  const bool in_quotes = std::count(tail.begin(), tail.end(), '"') % 2 == 1;
  return std::string(in_quotes ? "\"" : "") + "," + kIncompleteRecord + "\r\n";
}

// Back to size bytes; false when that cannot be done.
bool CutBack(const std::string& path, std::uintmax_t size) {
  std::error_code ec;
  std::filesystem::resize_file(PathFromUtf8(path), size, ec);
  return !ec;
}

}  // namespace

bool BatchLog::Open(const std::string& path, std::string* error, bool* io_failed) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (path.empty()) {
    *error = "the log needs a file name";
    return false;
  }
  // A pipe nobody reads would block the batch before its first radio, and a
  // device keeps no record: the log must be a file.
  std::error_code ec;
  const auto kind = std::filesystem::status(PathFromUtf8(path), ec).type();
  if (kind != std::filesystem::file_type::not_found && kind != std::filesystem::file_type::regular &&
      kind != std::filesystem::file_type::none) {
    *error = path + ": not a regular file; the log must be a file";
    return false;
  }
  const bool existed = kind != std::filesystem::file_type::not_found;
  const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), ec);
  const bool size_known = !ec;
  const bool empty = ec || size == 0;
  // An earlier log cut off mid-line does not swallow the first record.
  const std::string lead = empty ? kLogHead : CloseCutLine(CutTail(path));
  if (!AppendToFile(path, lead, error)) {
    if (io_failed) *io_failed = true;
    // No log is started: a file made for it goes again, one that was there
    // is left as it was.
    bool undone = false;
    if (!existed)
      undone = (std::filesystem::remove(PathFromUtf8(path), ec), !ec);
    else if (kind == std::filesystem::file_type::regular && size_known)
      undone = CutBack(path, size);
    *error += existed ? (undone ? "; the log was left as it was" : "; the log may now end with a cut line")
                      : (undone ? "; no log was made (the file was removed)" : "; an empty or cut log file was left");
    return false;
  }
  path_ = path;
  size_ = std::filesystem::file_size(PathFromUtf8(path), ec);
  return true;
}

bool BatchLog::Create(const std::string& dir, std::time_t when, std::string* error, bool* io_failed) {
  const std::string name = DefaultLogName(when);
  const std::string stem = name.substr(0, name.size() - 4);
  for (int n = 1; n < 1000; ++n) {
    const std::string path = JoinPath(dir, n == 1 ? name : stem + "-" + std::to_string(n) + ".csv");
    const IoStatus made = platform::WriteNewFile(path, kLogHead);
    if (made) {
      std::lock_guard<std::mutex> lock(mutex_);
      path_ = path;
      size_ = kLogHead.size();
      return true;
    }
    if (KindOfFile(path) == FileKind::Missing) {  // not taken: it could not be made
      *error = made.Message() + "; no log was made";
      if (io_failed) *io_failed = true;
      return false;
    }
  }
  *error = JoinPath(dir, name) + ": every name up to -999 is taken";
  return false;
}

bool BatchLog::Append(const RadioRecord& record, std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (path_.empty()) {
    *error = "the log is not open";
    return false;
  }
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path_), ec);
  std::string lost;
  std::string lead;
  if (ec || size == 0) {
    lead = kLogHead;
    lost = "the log was gone or emptied: made again with its header; its earlier lines are lost";
  } else if (size < size_) {
    lost = "the log was cut or replaced: lines written before may be lost";
  }
  // A record cut off (a full disk) or a line of another program does not
  // swallow this one, and is not taken for a whole record.
  if (lead.empty()) lead = CloseCutLine(CutTail(path_));
  const std::uintmax_t before = ec ? 0 : size;
  const bool written = AppendToFile(path_, lead + CsvLine(record) + "\r\n", error);
  if (!written) {
    // What went in of the record would read as a record that lies: it goes.
    *error += CutBack(path_, before)
                  ? "; this radio's record is not in the log"
                  : "; this radio's record is cut off in the log (marked incomplete at the next record)";
  }
  size_ = std::filesystem::file_size(PathFromUtf8(path_), ec);
  if (!written) return false;
  if (lost.empty()) return true;
  *error = path_ + ": " + lost;
  return false;
}

}  // namespace kavir
