#include "serial_link.h"

#include <algorithm>
#include <cstring>

#include "codec/codec.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "link_settings.h"
#include "radio_texts.h"

namespace kavir {

namespace {
// Longest stretch a wait blocks before the idle hook and the cancel flag
// are looked at again.
constexpr int kIdleSliceMs = 20;
}  // namespace

SerialLink::SerialLink(Transport& transport, Clock& clock, TransferEvents& events, WorkingFiles files)
    : transport_(transport), clock_(clock), events_(events), files_(std::move(files)) {}

bool SerialLink::TryOpen() {
  std::string error;
  if (transport_.Open(port_number, device, &error)) {
    last_open_error_.clear();
    open_error_shown_ = false;
    return true;
  }
  last_open_error_ = error.empty() ? "cannot open " + transport_.DeviceName(port_number, device) : error;
  return false;
}

bool SerialLink::OpenTransport() {
  if (TryOpen()) return true;
  if (!open_error_shown_) {
    open_error_shown_ = true;
    events_.Error(last_open_error_);
  }
  return false;
}

std::string SerialLink::RecheckPort() {
  if (transport_.IsOpen() || last_open_error_.empty()) return {};
  const std::string before = last_open_error_;
  if (TryOpen()) {
    transport_.TakeReceived();
    return TrText("Link", "就绪");
  }
  return last_open_error_ == before ? std::string() : LinkText(kPortMissingStatus) + last_open_error_;
}

std::string SerialLink::TakePortLoss() {
  if (!port_lost_) return {};
  port_lost_ = false;
  if (transport_.IsOpen() || TryOpen())
    return ArgText(LinkText(kPortBackFormat), {transport_.DeviceName(port_number, device)});
  return ArgText(LinkText(kPortLostFormat), {last_open_error_});
}

void SerialLink::OpenPort() {
  if (!transport_.IsOpen() && OpenTransport()) {
    // Whatever the line held before is not an answer to anything.
    transport_.TakeReceived();
  }
}

void SerialLink::SendFrame() {
  if (!transport_.IsOpen() && !OpenTransport()) return;  // shown; the wait runs out
  transport_.Send(transmit_buffer.data(), transmit_count);
  NoteIfLost();
}

void SerialLink::SendBytes(const std::uint8_t* bytes, std::size_t count) {
  // A write's data packet changes the radio: from the first one on, a stop
  // before writing is refused; one that came first keeps it from going out.
  if (count == static_cast<std::size_t>(kFrameSize) && bytes[0] == 'W') {
    int stage = kUntouched;
    stage_.compare_exchange_strong(stage, kWriting);
    if (stage_.load() == kStopped) return;
  }
  count = std::min(count, kTransmitBufferSize);
  std::memcpy(transmit_buffer.data(), bytes, count);
  transmit_count = static_cast<std::uint32_t>(count);
  SendFrame();
}

void SerialLink::SendCommand(int length, const char* text, std::uint8_t last_byte) {
  if (length < 0) length = 0;
  std::size_t n = std::min<std::size_t>(length, kTransmitBufferSize - 1);
  std::memcpy(transmit_buffer.data(), text, n);
  transmit_buffer[n] = last_byte;
  transmit_count = static_cast<std::uint32_t>(n + 1);
  SendFrame();
}

void SerialLink::SendText(int length, const char* text) {
  if (length < 0) length = 0;
  std::size_t n = std::min<std::size_t>(length, kTransmitBufferSize);
  std::memcpy(transmit_buffer.data(), text, n);
  transmit_count = static_cast<std::uint32_t>(n);
  SendFrame();
}

void SerialLink::PollInput() {
  if (!transport_.IsOpen()) return;
  std::vector<std::uint8_t> bytes = transport_.TakeReceived();
  NoteIfLost();
  if (!bytes.empty()) AppendReceived(static_cast<int>(bytes.size()), bytes.data());
}

void SerialLink::AppendReceived(int n, const std::uint8_t* bytes) {
  if (n <= 0) return;
  for (int i = 0; i < n; ++i) {
    std::uint64_t index = static_cast<std::uint64_t>(receive_count) + i;
    if (index >= kReceiveBufferSize) break;
    receive_buffer[index] = bytes[i];
  }
  receive_count += static_cast<std::uint32_t>(n);
}

void SerialLink::ClearReceiveBuffer() {
  std::fill(receive_buffer.begin(), receive_buffer.begin() + StoredCount(), 0);
  receive_count = 0;
}

void SerialLink::ClearTransmitBuffer() {
  std::size_t used = std::min<std::size_t>(transmit_count, kTransmitBufferSize);
  std::fill(transmit_buffer.begin(), transmit_buffer.begin() + used, 0);
  transmit_count = 0;
}

void SerialLink::WaitForBytes(int wanted, int timeout_ms, const std::string& text, short range, short position) {
  const std::uint32_t start_count = receive_count;
  events_.Progress(text, range, position);
  auto arrived = [&] {
    return static_cast<std::int64_t>(static_cast<std::uint32_t>(receive_count - start_count)) >=
           static_cast<std::int64_t>(wanted);
  };
  // A deadline on a monotonic clock: any time-out works as written, and the
  // wait ends whatever the line does.
  const std::int64_t deadline = clock_.NowMs() + std::max(timeout_ms, 0);
  PollInput();
  while (!arrived() && !cancel_requested()) {
    std::int64_t remaining = deadline - clock_.NowMs();
    if (remaining <= 0) break;
    // Short slices: the idle hook runs and a cancel is seen within 20 ms.
    int slice = static_cast<int>(std::min<std::int64_t>(remaining, kIdleSliceMs));
    if (transport_.IsOpen()) {
      transport_.WaitReadable(slice);
      NoteIfLost();
    } else {
      clock_.SleepMs(slice);  // nothing can arrive; still honour the time-out
    }
    if (idle_hook) idle_hook();
    PollInput();
  }
  events_.ProgressEnd();
}

void SerialLink::SpinDelay(int n) {
  for (int i = 0; i >= 0 && i <= n && !cancel_requested(); ++i) {
    events_.Waiting(i);
    clock_.SleepMs(1);
    if (idle_hook && i % kIdleSliceMs == 0) idle_hook();
  }
}

void SerialLink::DrainInput(int quiet_ms, int max_ms) {
  if (transport_.IsOpen()) {
    transport_.TakeReceived();
    const std::int64_t end = clock_.NowMs() + std::max(max_ms, 0);
    std::int64_t quiet_since = clock_.NowMs();
    while (!cancel_requested() && transport_.IsOpen()) {
      const std::int64_t now = clock_.NowMs();
      const std::int64_t left = std::min(quiet_since + quiet_ms, end) - now;
      if (left <= 0) break;
      transport_.WaitReadable(static_cast<int>(std::min<std::int64_t>(left, kIdleSliceMs)));
      if (idle_hook) idle_hook();
      if (!transport_.TakeReceived().empty()) quiet_since = clock_.NowMs();
      NoteIfLost();
    }
  }
  ClearReceiveBuffer();
}

Timeouts SerialLink::LoadTimeouts() {
  std::string warning;
  const Timeouts t = ReadTimeouts(config_.ini(), &warning);
  if (!warning.empty() && warning != timeout_warning_shown_) events_.Error(warning);
  timeout_warning_shown_ = warning;
  return t;
}

void SerialLink::OpenStartupPort() {
  PortChoice choice = ReadPortChoice(config_.ini());
  port_number = choice.port_number;
  device = choice.device;
  // Before the cable is plugged in the port is usually missing: the status
  // bar says so, and the message box waits for a read or a write.
  if (transport_.IsOpen()) return;
  if (TryOpen())
    transport_.TakeReceived();
  else
    events_.Status(LinkText(kPortMissingStatus) + last_open_error_);
}

void SerialLink::OnPortSettings(PortDialogUi& dialog, ProgramConfig& config) {
  if (transport_.IsOpen()) transport_.Close();
  PortSettings settings = ReadPortSettings(config.ini());
  settings.port_number = port_number >= 1 && port_number <= 4 ? port_number : 1;
  settings.device = device;
  if (!dialog.RunPortDialog(settings)) return;  // closed until the next send
  if (std::string problem = CheckPortSettings(settings); !problem.empty()) {
    events_.Error(TrText("Link", "串口设置没有改变: ") + problem);
    return;
  }

  port_number = settings.port_number;
  device = settings.device;
  transport_.SetBaudRate(settings.baud);
  open_error_shown_ = false;
  OpenPort();
  // The old port's error is no longer news.
  events_.Status(transport_.IsOpen() ? TrText("Link", "就绪") : LinkText(kPortMissingStatus) + last_open_error_);

  const IoStatus status = config.Change([&](IniDocument& ini) { StorePortSettings(ini, settings); });
  config_ = config;
  if (!status) events_.Error(TrText("Link", "串口设置未能保存: ") + UserMessage(status));
}

}  // namespace kavir
