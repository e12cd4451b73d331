#include "batch_job.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <thread>

#include "ini/file_path.h"
#include "link/backups.h"
#include "link/port_device.h"
#include "link/ports/port_records.h"
#include "link/radio_texts.h"
#include "sha256.h"

namespace kavir {

namespace {

constexpr int kSleepSliceMs = 50;  // a stop is seen within this while waiting

// Asks with the read handshake whether a radio is on the line; its model
// number when one answers.
std::optional<int> Poll(SerialLink& link, const Timeouts& t) {
  link.PollInput();
  link.ClearReceiveBuffer();
  link.SendCommand(5, kReadHandshake, 0x00);
  link.WaitForBytes(20, t.handshake, LinkText(kHandshakeStatus), kProgressRange, 1);
  return HandshakeModel(link);
}

bool Answered(const SerialLink& link) { return link.receive_count > 0; }

// The device a port stands for, links followed; as named when it cannot be
// resolved (it is then refused at its open).
std::string DeviceOf(const BatchPort& port) {
  std::string name = port.device.empty() ? PortDeviceName(port.port_number) : port.device;
#ifdef _WIN32
  // COM3, com3 and \\.\COM3 are one port.
  if (name.rfind("\\\\.\\", 0) == 0) name = name.substr(4);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
#else
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(PathFromUtf8(name), ec);
  return ec ? name : Utf8FromPath(real);
#endif
}

}  // namespace

std::string SamePortTwice(const std::vector<BatchPort>& ports) {
  std::map<std::string, const BatchPort*> seen;
  for (const BatchPort& port : ports) {
    const std::string device = DeviceOf(port);
    const auto [at, added] = seen.emplace(device, &port);
    if (!added)
      return ShownDevice(at->second->label) + " and " + ShownDevice(port.label) + " are the same device (" +
             ShownDevice(device) + "): each port can be named once";
  }
  return {};
}

BatchJob::BatchJob(BatchSetup setup, std::vector<BatchPort> ports, BatchOptions options, PortOpener opener)
    : setup_(std::move(setup)), ports_(std::move(ports)), options_(options), opener_(std::move(opener)) {
  summary_.verify = options_.verify;
}

BatchSummary BatchJob::Run() {
  // Two writes through one device would mix both radios' answers.
  if (const std::string same = SamePortTwice(ports_); !same.empty()) {
    Error("ports", same + "; nothing was written");
    return summary_;
  }
  // The image every radio gets is kept before the first one: no radio's
  // settings come from a file that is not on record.
  const IoStatus backup = SaveBackup(setup_.files.program_dir, "write", setup_.model_name, setup_.image,
                                     std::time(nullptr), &setup_.backup_path);
  if (!backup) {
    Error("backups", "the image was not kept, nothing was written: " + backup.Message());
    return summary_;
  }
  std::vector<std::thread> threads;
  for (const BatchPort& port : ports_) threads.emplace_back([this, &port] { RunPort(port); });
  for (std::thread& t : threads) t.join();
  std::lock_guard<std::mutex> lock(mutex_);
  summary_.stopped = stop_.load();
  return summary_;
}

void BatchJob::Record(const RadioRecord& record) {
  std::lock_guard<std::mutex> lock(mutex_);
  switch (record.outcome) {
    case RadioOutcome::Verified:
      ++summary_.verified;
      break;
    case RadioOutcome::Written:
      ++summary_.written;
      break;
    case RadioOutcome::VerifyFailed:
      ++summary_.verify_failed;
      break;
    case RadioOutcome::OtherModel:
      ++summary_.skipped;
      break;
    case RadioOutcome::Failed:
      ++summary_.failed;
      break;
  }
  std::string error;
  if (log && !log->Append(record, &error)) {
    summary_.errors.push_back("log: " + error);
    if (events) events->OnPortError(record.port, "log: " + error);
  }
  if (events) events->OnRadioDone(record);
}

void BatchJob::Error(const std::string& port, const std::string& message) {
  std::lock_guard<std::mutex> lock(mutex_);
  summary_.errors.push_back(port + ": " + message);
  if (events) events->OnPortError(port, message);
}

void BatchJob::RunPort(const BatchPort& port) {
  PortIo io = opener_(port);
  QuietEvents quiet;
  SerialLink link(*io.transport, *io.clock, quiet, setup_.files);
  link.set_config(setup_.data.config);
  link.port_number = port.port_number;
  link.device = port.device;
  link.set_shared_cancel(&abort_);
  // Several ports share the machine: no port's thread starves the others.
  link.set_priority = [](ThreadPriority) {};
  link.OpenPort();
  if (!io.transport->IsOpen()) {
    Error(port.label, link.last_open_error());
    return;
  }
  Clock& clock = *io.clock;
  auto pause = [&] {
    for (int slept = 0; slept < options_.poll_interval_ms && !stop_.load(); slept += kSleepSliceMs)
      clock.SleepMs(std::min(kSleepSliceMs, options_.poll_interval_ms - slept));
  };

  // A device that went away (cable pulled, adapter reset) is said at once;
  // the port goes on only when it opens again.
  bool gone = false;
  auto lost = [&] {
    if (gone || io.transport->IsOpen()) return gone;
    link.OpenPort();
    gone = !io.transport->IsOpen();
    Error(port.label, gone ? "the device went away and does not open again (" + link.last_open_error() +
                                 "): no more radios on this port"
                           : "the device went away and was opened again");
    return gone;
  };

  int written = 0;
  while (!stop_.load() && (options_.count <= 0 || written < options_.count) && !lost()) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (events) events->OnWaiting(port.label);
    }
    std::optional<int> model;
    while (!stop_.load() && !(model = Poll(link, setup_.timeouts)) && !lost()) pause();
    if (!model) break;  // stopped between radios, or the device is gone

    const std::int64_t start = clock.NowMs();
    RadioRecord record;
    record.port = port.label;
    record.model = setup_.ModelName(*model);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (events) events->OnRadioFound(port.label, record.model);
    }
    RadioWriteResult result;
    if (*model != setup_.model) {
      result.outcome = RadioOutcome::OtherModel;  // never written, no question
      result.radio_model = *model;
    } else {
      result = write(link, setup_, RadioWriteOptions{options_.verify, options_.keep_radio_image});
      if (result.radio_model > 0) record.model = setup_.ModelName(result.radio_model);
    }
    record.outcome = result.outcome;
    record.reason = result.reason;
    // A write that did not go through changed what it changed: not known.
    if (result.outcome == RadioOutcome::Verified || result.outcome == RadioOutcome::Written)
      record.changed = result.changed;
    // Said first, so a radio left half-written is seen for what happened to it.
    if (abort_.load() && (result.outcome == RadioOutcome::Failed || result.outcome == RadioOutcome::VerifyFailed))
      record.reason = "stopped at once: " + record.reason;
    if (result.read_back) record.sha256 = Sha256Hex(result.read_back->data(), result.read_back->size());
    record.duration_ms = clock.NowMs() - start;
    record.time = LocalTimeText(std::time(nullptr));
    Record(record);
    if (result.outcome == RadioOutcome::Verified || result.outcome == RadioOutcome::Written) ++written;
    if (options_.count > 0 && written >= options_.count) break;

    // The radio just done may still be attached: it is not written twice.
    int silent = 0;
    while (!stop_.load() && silent < options_.silent_polls && !lost()) {
      Poll(link, setup_.timeouts);
      silent = Answered(link) ? 0 : silent + 1;
      pause();
    }
  }
  if (options_.count > 0 && written < options_.count) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++summary_.ports_short;
  }
  io.transport->Close();
}

}  // namespace kavir
