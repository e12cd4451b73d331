#pragma once
// One set-up into many radios: on one cable radio after radio, or on
// several cables side by side (a thread and a link per port). Each radio
// gets the whole write and a line in the log.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "batch_log.h"
#include "batch_setup.h"
#include "link/transport.h"
#include "radio_write.h"

namespace kavir {

inline constexpr const char* kConnectNextRadio = "connect the next radio";

struct BatchPort {
  std::string label;  // as the user named it, for the log
  int port_number = 1;
  std::string device;  // wins over port_number when not empty
};

// "" when every port is a device of its own; else which two name the same
// one (through a link, or as a number and a path), which two writes at once
// would share.
std::string SamePortTwice(const std::vector<BatchPort>& ports);

struct BatchOptions {
  int count = 0;  // radios written per port; 0 = until stopped
  bool verify = true;
  // Read each radio first: what it held goes to backups/ and the log
  // counts the settings the write changed.
  bool keep_radio_image = false;
  int poll_interval_ms = 250;  // a few polls a second: the radio is not flooded
  int silent_polls = 3;        // unanswered polls in a row that mean "unplugged"
};

// What a port needs, made in the port's own thread.
struct PortIo {
  std::unique_ptr<Transport> transport;
  std::unique_ptr<Clock> clock;
};
using PortOpener = std::function<PortIo(const BatchPort&)>;

// Called from the port threads, one call at a time.
class BatchEvents {
 public:
  virtual ~BatchEvents() = default;
  virtual void OnWaiting(const std::string& port) { (void)port; }
  virtual void OnRadioFound(const std::string& port, const std::string& model) { (void)port, (void)model; }
  virtual void OnRadioDone(const RadioRecord& record) { (void)record; }
  virtual void OnPortError(const std::string& port, const std::string& message) { (void)port, (void)message; }
};

struct BatchSummary {
  int verified = 0, written = 0, verify_failed = 0, skipped = 0, failed = 0;
  std::vector<std::string> errors;  // ports that would not open, log lines not saved
  bool stopped = false;
  int ports_short = 0;  // ports that ended before their count of radios
  bool verify = true;   // the job asked for a verify
  int Radios() const { return verified + written + verify_failed + skipped + failed; }
  // Every radio written (and verified, when the verify is on), nothing else.
  bool AllGood() const { return verify_failed + skipped + failed == 0 && errors.empty() && (!verify || written == 0); }
};

class BatchJob {
 public:
  BatchJob(BatchSetup setup, std::vector<BatchPort> ports, BatchOptions options, PortOpener opener);

  BatchLog* log = nullptr;  // each radio's line goes here
  BatchEvents* events = nullptr;
  RadioWriteFn write = WriteRadioImage;

  // Runs every port to its count, or until stopped; blocks.
  BatchSummary Run();
  // Ends the job after the radios in progress. Safe from any thread and
  // from a signal handler.
  void Stop() { stop_.store(true); }
  // Ends it now: the writes in progress are cancelled where they are, and
  // each such radio is logged as stopped with the packets it took. Safe
  // from any thread and from a signal handler.
  void StopNow() {
    stop_.store(true);
    abort_.store(true);
  }
  bool stopping() const { return stop_.load(); }

 private:
  void RunPort(const BatchPort& port);
  void Record(const RadioRecord& record);
  void Error(const std::string& port, const std::string& message);

  BatchSetup setup_;
  std::vector<BatchPort> ports_;
  BatchOptions options_;
  PortOpener opener_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> abort_{false};  // every port's link is cancelled by it
  std::mutex mutex_;                // summary and events
  BatchSummary summary_;
};

}  // namespace kavir
