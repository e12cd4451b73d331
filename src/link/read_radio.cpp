// The read: handshake, packets 1 to 16 on request, packets 17 to 48 on
// acknowledgement, each decoded into Read.ini at once.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "../codec/codec.h"
#include "../profile/atomic_file.h"
#include "../profile/ini_document.h"
#include "../profile/profile.h"
#include "backups.h"
#include "link_settings.h"
#include "radio_texts.h"
#include "transactions.h"

namespace kavir {

std::string PartialReadPath(const WorkingFiles& files) { return files.InDir("Read.partial.ini"); }

std::string FormatPacketText(const char* format, int n) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, n);
  return buf;
}

namespace {

enum class Step { Done, Retry, End };

class ReadAttempt {
 public:
  ReadAttempt(CKAVIRView& view, SerialLink& link) : view_(view), link_(link), ui_(link.ui()) {}

  Step Run();

 private:
  std::uint32_t ArrivedSinceBase() const { return link_.receive_count - base_; }
  // Read.ini as it stands goes to disk; false (and shown) when it cannot.
  bool SaveReadIni();
  bool SavePartial();
  Step Prompt(const std::string& text);
  Step PacketFailure(int n) { return Prompt(FormatPacketText(kReadPacketFailedFormat, n)); }
  bool CancelRequested() const { return link_.cancel_requested(); }
  // Stops at once: no prompt, no delay; what was read is kept aside.
  Step Cancel() {
    link_.report.cancelled = true;
    SavePartial();
    return Step::End;
  }
  void KeepData(int n) {
    std::memcpy(image_.data() + 16 * (n - 1), link_.receive_buffer.data() + 4, 16);
  }

  CKAVIRView& view_;
  SerialLink& link_;
  ScreenUi& ui_;
  IniDocument read_ini_;
  IniDocument kavir_ini_;
  std::uint32_t base_ = 0;
  BackupImage image_{};
};

bool ReadAttempt::SaveReadIni() {
  IoStatus status = WriteIniFile(view_.files().read_ini, read_ini_);
  if (status) return true;
  ui_.ShowError("读出的数据未能保存: " + status.Message(), kPromptCaption);
  return false;
}

// A failed read never replaces Read.ini: what it got goes to a file whose
// name and first line say it is incomplete.
bool ReadAttempt::SavePartial() {
  const std::string path = PartialReadPath(view_.files());
  IoStatus status = WriteFileAtomically(
      path, "; 读出未完成，这些数据不完整，不能当作读出的数据使用 (incomplete read)\r\n" +
                read_ini_.Serialize());
  if (status) return true;
  ui_.ShowError("读出的数据未能保存: " + status.Message(), kPromptCaption);
  return false;
}

Step ReadAttempt::Prompt(const std::string& text) {
  if (CancelRequested()) return Cancel();
  // What was read so far is on disk while the user decides.
  if (!SavePartial()) return Step::End;
  return ui_.AskYesNo(text, kPromptCaption) ? Step::Retry : Step::End;
}

Step ReadAttempt::Run() {
  const WorkingFiles& files = view_.files();
  link_.set_priority(ThreadPriority::TimeCritical);
  link_.ResetOpenErrorReport();
  kavir_ini_ = ReadIniFile(files.kavir_ini);
  const Timeouts t = link_.LoadTimeouts();
  ui_.Repaint();

  // Read.ini is cleared in memory and goes to disk at the next prompt or
  // at the end: one write, the same content as per-key writes would leave.
  IoStatus load;
  read_ini_ = ReadIniFile(files.read_ini, &load);
  if (!load) {
    ui_.ShowError("Read.ini 无法读取: " + load.Message(), kPromptCaption);
    return Step::End;
  }
  ClearProfileKeys(read_ini_);
  // What came in during a prompt would have been taken in by the receive
  // event; take it now so the clear removes it.
  link_.PollInput();
  link_.ClearReceiveBuffer();
  link_.ClearTransmitBuffer();

  // Handshake: up to four frames.
  int attempt = 1;
  base_ = link_.receive_count;
  link_.SendCommand(5, kReadHandshake, 0x00);
  link_.WaitForBytes(20, t.handshake, kHandshakeStatus, kProgressRange, 1);
  while (attempt <= 3 && ArrivedSinceBase() < 20 && !CancelRequested()) {
    link_.SendCommand(5, kReadHandshake, 0x00);
    link_.WaitForBytes(20, t.handshake, kHandshakeStatus, kProgressRange, 1);
    ++attempt;
  }
  if (CancelRequested()) return Cancel();
  if (EvaluateHandshakeInto(read_ini_, link_.receive_buffer.data(), link_.StoredCount(),
                            link_.receive_count, files) != 1)
    return Prompt(kHandshakeFailed);

  // Packets 1 to 16, each on request.
  link_.ClearReceiveBuffer();
  for (int n = 1; n <= 16; ++n) {
    if (CancelRequested()) return Cancel();
    attempt = 1;
    base_ = link_.receive_count;
    const std::string text = FormatPacketText(kReceivingFormat, n);
    link_.SendCommand(5, kGood, 0x01);
    link_.WaitForBytes(20, t.receive, text, kProgressRange, static_cast<short>(n + 1));
    while (attempt <= 3 && ArrivedSinceBase() < 20 && !CancelRequested()) {
      // Asked again only when nothing came: a partial answer followed by
      // the radio's next packet would pass for this one.
      if (ArrivedSinceBase() == 0) link_.SendCommand(5, kGood, 0x01);
      link_.WaitForBytes(20, t.receive, text, kProgressRange, static_cast<short>(n + 1));
      ++attempt;
    }
    if (CancelRequested()) return Cancel();
    // A packet cut short is a failure: its missing bytes are not zeros.
    if (attempt > 3 && ArrivedSinceBase() < 20) {
      link_.SendCommand(5, kGood, 0x01);
      link_.SpinDelay(15 * (48 - n));
      return PacketFailure(n);
    }
    if (link_.receive_buffer[1] != 0x00 || link_.receive_buffer[2] != 16 * (n - 1)) {
      link_.SendCommand(5, kGood, 0x01);
      link_.SpinDelay(35 * (48 - n));
      return PacketFailure(n);
    }
    DecodePacket(2 * n, link_.receive_buffer.data(), read_ini_, kavir_ini_);
    KeepData(n);
    link_.ClearReceiveBuffer();
  }

  // Packets 17 to 48: the radio sends, the program acknowledges.
  link_.SendText(5, kGood);
  for (int n = 17; n <= 48; ++n) {
    if (CancelRequested()) return Cancel();
    attempt = 1;
    base_ = link_.receive_count;
    const std::string text = FormatPacketText(kTransferringFormat, n);
    link_.WaitForBytes(20, t.receive, text, kProgressRange, static_cast<short>(n + 1));
    while (attempt <= 3 && ArrivedSinceBase() < 20 && !CancelRequested()) {
      link_.WaitForBytes(20, t.receive, text, kProgressRange, static_cast<short>(n + 1));
      ++attempt;
    }
    if (CancelRequested()) return Cancel();
    if (attempt > 3 && ArrivedSinceBase() < 5 && (n == 17 || n == 18)) {
      link_.SpinDelay(20 * (48 - n));
      return PacketFailure(n);
    }
    link_.SendText(5, kGood);
    const std::uint8_t page = n <= 32 ? 0x01 : 0x02;
    const int offset = n <= 32 ? 16 * (n - 17) : 16 * (n - 33);
    if (ArrivedSinceBase() < 20 || link_.receive_buffer[1] != page ||
        link_.receive_buffer[2] != offset) {
      link_.SpinDelay(20 * (48 - n));
      return PacketFailure(n);
    }
    DecodePacket(2 * n, link_.receive_buffer.data(), read_ini_, kavir_ini_);
    KeepData(n);
    link_.ClearReceiveBuffer();
  }

  // A model file without an upper band limit: the read cannot be trusted.
  if (LeadingInt(read_ini_.GetString("Previous", "FreqU", "", 10), 0) == 0)
    return Prompt(kBandFailed);
  // The image first: when Read.ini cannot be saved, the read is still kept.
  std::string model = read_ini_.GetString("Previous", "Type", "", 20);
  std::string kept;
  IoStatus backup = SaveBackup(files.program_dir, "read", model, image_, std::time(nullptr), &kept);
  if (!backup) ui_.ShowError("读出的数据未能备份: " + backup.Message(), kPromptCaption);
  link_.report.backup_path = kept;
  if (!SaveReadIni()) return Step::End;
  std::remove(PartialReadPath(files).c_str());  // stale now

  ui_.BeginProgress(kRefreshStatus, 10, 10);
  view_.LoadProfile(files.read_ini);
  ui_.EndProgress();
  ui_.SetStatusText(kDoneStatus);
  return Step::Done;
}

}  // namespace

TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link) {
  ScreenUi& ui = link.ui();
  // Without the option lists a read could only end in a failure.
  if (!view.option_lists_status().ok) {
    ui.ShowError(view.OptionListsMessage(), kPromptCaption);
    return TransferResult::Failed;
  }
  link.BeginTransfer();
  if (!ui.AskYesNo(kReadConfirm, kPromptCaption)) return TransferResult::Cancelled;
  Step step;
  do {
    ReadAttempt attempt(view, link);
    step = attempt.Run();
    // The radio may still be sending what the failed attempt asked for.
    if (step == Step::Retry) link.DrainInput(kDrainQuietMs, kDrainMaxMs);
  } while (step == Step::Retry);
  link.set_priority(ThreadPriority::Normal);
  ui.SetCursor(Cursor::Normal);
  return step == Step::Done ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kavir
