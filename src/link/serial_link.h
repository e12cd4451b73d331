#pragma once
// The link between the programming screen and one radio: the port, the
// 52-byte transmit buffer, the 512-byte receive buffer and the waits.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "link_settings.h"
#include "setup/program_config.h"
#include "setup/working_files.h"
#include "thread_priority.h"
#include "transfer_events.h"
#include "transport.h"

namespace kavir {

inline constexpr std::size_t kTransmitBufferSize = 52;
inline constexpr std::size_t kReceiveBufferSize = 512;
// Before a transfer starts again: how long the line must stay quiet, and
// the longest a babbling radio can hold the retry up.
inline constexpr int kDrainQuietMs = 100;
inline constexpr int kDrainMaxMs = 2000;

// What the last read or write did, for the message at its end.
struct TransferReport {
  bool cancelled = false;           // ended by RequestCancel
  int packets_written = 0;          // write packets the radio acknowledged
  std::string backup_path;          // the image kept in backups/ ("" for none)
  std::string before_write_backup;  // what the radio held before a write ("" for none)
  std::string radio_identity;       // the radio's own identity texts, kept when they differ from the configured ones
  bool refused = false;             // stopped before anything was sent; the reason was shown
  bool not_an_image = false;        // a read got 768 bytes that are no radio's image; the reason was shown
  // The read-back after a write.
  enum class Verify { NotRun, Match, Differs, NoReadBack };
  Verify verify = Verify::NotRun;
  std::size_t differing_bytes = 0;
};

// The "串口配置" dialog, run modally by whoever shows windows.
class PortDialogUi {
 public:
  virtual ~PortDialogUi() = default;
  // settings come in as KAVIR.ini has them (a port number outside 1 to 4
  // shows as 1) and go out as chosen: a device typed or picked, or ""
  // when a COM button was chosen. False on Cancel.
  virtual bool RunPortDialog(PortSettings& settings) = 0;
};

class SerialLink {
 public:
  SerialLink(Transport& transport, Clock& clock, TransferEvents& events, WorkingFiles files);

  // ---- the link operations ----
  void OpenPort();
  void SendFrame();
  void SendCommand(int length, const char* text, std::uint8_t last_byte);
  void SendText(int length, const char* text);
  void PollInput();
  void AppendReceived(int n, const std::uint8_t* bytes);
  void ClearReceiveBuffer();
  void ClearTransmitBuffer();
  void WaitForBytes(int wanted, int timeout_ms, const std::string& text, short range, short position);
  void SpinDelay(int n);
  // Takes and drops what the radio still sends until the line has been
  // quiet for quiet_ms (max_ms at most), then clears the receive buffer: a
  // new attempt must not take the tail of the last one for its answer.
  void DrainInput(int quiet_ms, int max_ms);
  // At start: the port the configuration names, opened when it is there.
  void OpenStartupPort();
  // The dialog starts from config; what is chosen is stored through it
  // (and becomes this link's configuration).
  void OnPortSettings(PortDialogUi& dialog, ProgramConfig& config);
  // KAVIR.ini as the link's owner holds it; a transfer takes its owner's
  // at its start, so nothing changes it halfway.
  void set_config(ProgramConfig config) { config_ = std::move(config); }
  const ProgramConfig& config() const { return config_; }

  // ---- state the transactions and codec use ----
  std::array<std::uint8_t, kTransmitBufferSize> transmit_buffer{};
  std::uint32_t transmit_count = 0;
  std::array<std::uint8_t, kReceiveBufferSize> receive_buffer{};
  std::uint32_t receive_count = 0;  // every byte since the last clear
  int port_number = 1;
  std::string device;  // named device; wins over port_number

  // Puts a whole frame into the transmit buffer and sends it.
  void SendBytes(const std::uint8_t* bytes, std::size_t count);
  // Bytes stored in the receive buffer (at most 512).
  std::size_t StoredCount() const { return receive_count < kReceiveBufferSize ? receive_count : kReceiveBufferSize; }

  // Cancel: the desktop program's Cancel button calls RequestCancel; waits
  // and delays end at once and the transaction stops before its next frame,
  // ending as a failure. Safe to call from another thread.
  void RequestCancel() { cancel_.store(true); }
  bool cancel_requested() const { return cancel_.load() || (shared_cancel_ && shared_cancel_->load()); }
  // A cancel shared by several links (a batch stopped at once): once set it
  // cancels this link's transfers as RequestCancel does, and a new transfer
  // does not clear it. It must outlive the link.
  void set_shared_cancel(const std::atomic<bool>* flag) { shared_cancel_ = flag; }
  // A stop that holds only while the radio has had none of a write's data
  // packets: true when taken (the transfer is cancelled and no packet goes
  // out, now or in a transfer begun later on this link); false once the
  // first packet has gone, when the write is better finished. Safe in a
  // signal handler and from another thread.
  bool RequestCancelBeforeWriting() {
    int stage = kUntouched;
    if (!stage_.compare_exchange_strong(stage, kStopped) && stage != kStopped) return false;
    cancel_.store(true);
    return true;
  }
  // A write's data packet went out in this transfer.
  bool writing_started() const { return stage_.load() == kWriting; }
  // A transaction starts with a clear flag and an empty report, unless a
  // stop before writing was asked for.
  void BeginTransfer() {
    int stage = stage_.load();
    while (stage != kStopped && !stage_.compare_exchange_weak(stage, kUntouched)) {
    }
    cancel_.store(stage_.load() == kStopped);
    report = TransferReport{};
    port_lost_ = false;
  }
  TransferReport report;

  // Called about every 20 ms while a wait or a delay runs, so a window can
  // keep painting (the desktop program processes paint events here and
  // holds back user input). Not called by the command line.
  std::function<void()> idle_hook;
  // Thread priority for the transactions; the platform's by default.
  std::function<void(ThreadPriority)> set_priority = SetCurrentThreadPriority;
  // A port that will not open is shown once per transfer attempt, not at
  // every frame; the transactions call this at each attempt start.
  void ResetOpenErrorReport() { open_error_shown_ = false; }
  // For an attempt whose own prompt names a port that will not open
  // (HandshakeFailedPrompt): no box of its own as well.
  void SuppressOpenErrorBox() { open_error_shown_ = true; }
  // The time-outs of the configuration; a value that cannot be used is shown once
  // (until it changes) and replaced as ReadTimeouts says.
  Timeouts LoadTimeouts();
  // Why the port would not open the last time ("" when it did).
  const std::string& last_open_error() const { return last_open_error_; }
  // A port that would not open, tried again without a box (its holder may
  // have quit, the cable may be in now): the status text that is true now,
  // "" while the port is open or nothing changed.
  std::string RecheckPort();
  // When the open port went away since the last call (cable pulled, device
  // gone): a line that names it and says why it does not open again, which
  // is tried once, quietly. "" when it stayed.
  std::string TakePortLoss();

  Transport& transport() { return transport_; }
  Clock& clock() { return clock_; }
  TransferEvents& events() { return events_; }
  const WorkingFiles& files() const { return files_; }

 private:
  bool TryOpen();  // no message
  bool OpenTransport();
  // After a call on the open transport: it closed the port itself.
  void NoteIfLost() { port_lost_ = port_lost_ || !transport_.IsOpen(); }

  Transport& transport_;
  Clock& clock_;
  TransferEvents& events_;
  WorkingFiles files_;
  ProgramConfig config_;
  bool open_error_shown_ = false;
  bool port_lost_ = false;
  std::string last_open_error_;
  std::string timeout_warning_shown_;
  std::atomic<bool> cancel_{false};
  const std::atomic<bool>* shared_cancel_ = nullptr;
  enum : int { kUntouched, kWriting, kStopped };
  std::atomic<int> stage_{kUntouched};
};

}  // namespace kavir
