#pragma once
// The batch log: one CSV line per radio, on disk as soon as the radio is
// done, so a job stopped halfway (or a machine that loses power) keeps a
// line for every radio finished.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>

#include "radio_write.h"

namespace kavir {

struct RadioRecord {
  std::string time;  // local time the radio was done, "YYYY-MM-DD HH:MM:SS"
  std::string port;
  std::string model;  // the model the radio named ("" when it named none)
  RadioOutcome outcome = RadioOutcome::Failed;
  std::string reason;  // of a failure
  std::string sha256;  // of the image read back ("" without a read-back)
  std::int64_t duration_ms = 0;
  // Settings the write changed, from what the radio held before (none when
  // it was not read first).
  std::optional<std::size_t> changed;
};

// "written and verified", "verify failed", "skipped: other model",
// "failed: <reason>", "written (not verified)".
std::string ResultText(RadioOutcome outcome, const std::string& reason);
// "YYYY-MM-DD HH:MM:SS" in local time.
std::string LocalTimeText(std::time_t when);
// batch-YYYYMMDD-HHMMSS.csv, local time.
std::string DefaultLogName(std::time_t when);
// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);
// The line of a record, without its line end.
std::string CsvLine(const RadioRecord& record);

// "changed" came last so that lines of earlier logs keep their columns.
inline constexpr const char* kLogHeader = "time,port,model,result,sha256,seconds,changed";
// The cell that ends a line cut off before its end (a full disk, a crash):
// the line is no whole record.
inline constexpr const char* kIncompleteRecord = "incomplete record";

class BatchLog {
 public:
  BatchLog() = default;
  BatchLog(const BatchLog&) = delete;
  BatchLog& operator=(const BatchLog&) = delete;

  // Opens path for appending: an earlier log of the same name keeps its
  // lines (a last one cut off is marked incomplete); a new or empty file
  // gets a byte-order mark (spreadsheets then read the Chinese model names)
  // and the header. A file that could not be started is not left behind. *io_failed (when given)
  // is set when the file could not be opened or written, not when the path
  // can never be a log.
  bool Open(const std::string& path, std::string* error, bool* io_failed = nullptr);
  // A new log in dir under DefaultLogName(when), or -2, -3 ... when a file
  // has that name: made exclusively, so two batches never share one.
  bool Create(const std::string& dir, std::time_t when, std::string* error, bool* io_failed = nullptr);
  // The record's line, written through the path and flushed to the disk.
  // It always starts on a line of its own; a line cut off before it is
  // marked incomplete. A log that is gone or was cut is made again with
  // its header; the record is written and *error says what was lost (false
  // then too). A record that could not be written whole is taken out again
  // (false, and *error says so). Any thread.
  bool Append(const RadioRecord& record, std::string* error);
  const std::string& path() const { return path_; }

 private:
  std::mutex mutex_;
  std::string path_;
  std::uintmax_t size_ = 0;  // what this log held after its last line
};

}  // namespace kavir
