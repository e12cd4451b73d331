#include "batch_log.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "profile/file_path.h"

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
    case RadioOutcome::Verified: return "written and verified";
    case RadioOutcome::Written: return "written (not verified)";
    case RadioOutcome::VerifyFailed: return reason.empty() ? "verify failed" : "verify failed: " + reason;
    case RadioOutcome::OtherModel: return "skipped: other model";
    case RadioOutcome::Failed: return "failed: " + (reason.empty() ? std::string("unknown") : reason);
  }
  return "failed: unknown";
}

std::string LocalTimeText(std::time_t when) {
  const std::tm tm = Local(when);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string DefaultLogName(std::time_t when) {
  const std::tm tm = Local(when);
  char buf[80];
  std::snprintf(buf, sizeof buf, "batch-%04d%02d%02d-%02d%02d%02d.csv", tm.tm_year + 1900,
                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
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
         CsvField(ResultText(r.outcome, r.reason)) + "," + r.sha256 + "," + seconds;
}

BatchLog::~BatchLog() {
  if (file_) std::fclose(file_);
}

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
  std::FILE* f = OpenFile(path, "ab");
  if (!f) {
    *error = path + ": " + std::strerror(errno);
    if (io_failed) *io_failed = true;
    return false;
  }
  std::fseek(f, 0, SEEK_END);
  if (std::ftell(f) == 0) {
    const std::string head = std::string("\xEF\xBB\xBF") + kLogHeader + "\r\n";
    if (std::fwrite(head.data(), 1, head.size(), f) != head.size() || !SyncToDisk(f)) {
      *error = path + ": " + std::strerror(errno);
      if (io_failed) *io_failed = true;
      std::fclose(f);
      return false;
    }
  }
  if (file_) std::fclose(file_);
  file_ = f;
  path_ = path;
  return true;
}

bool BatchLog::Append(const RadioRecord& record, std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!file_) {
    *error = "the log is not open";
    return false;
  }
  const std::string line = CsvLine(record) + "\r\n";
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || !SyncToDisk(file_)) {
    *error = path_ + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace kavir
