// The read: handshake, packets 1 to 16 on request, packets 17 to 48 on
// acknowledgement, each decoded into Read.ini at once.
#include <cstdio>
#include <ctime>

#include "../codec/codec.h"
#include "../profile/atomic_file.h"
#include "../profile/ini_document.h"
#include "../profile/profile.h"
#include "backups.h"
#include "handshake.h"
#include "link_settings.h"
#include "packet_reader.h"
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
  // Read.ini as it stands goes to disk; false (and shown) when it cannot.
  bool SaveReadIni();
  bool SavePartial();
  Step Prompt(const std::string& text);
  Step PacketFailed(const PacketFailure& failure);
  bool CancelRequested() const { return link_.cancel_requested(); }
  // Stops at once: no prompt, no delay; what was read is kept aside.
  Step Cancel() {
    link_.report.cancelled = true;
    SavePartial();
    return Step::End;
  }
  CKAVIRView& view_;
  SerialLink& link_;
  ScreenUi& ui_;
  IniDocument read_ini_;
  IniDocument kavir_ini_;
  Image image_{};
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

// The radio is given time before the prompt, the longer the more packets
// were still to come; a packet asked for is asked once more first, and one
// the radio sent is acknowledged unless packet 17 or 18 never came at all.
Step ReadAttempt::PacketFailed(const PacketFailure& failure) {
  using Kind = PacketFailure::Kind;
  if (failure.kind == Kind::Cancelled) return Cancel();
  const int n = failure.packet;
  if (n <= 16) {
    link_.SendCommand(5, kGood, 0x01);
    link_.SpinDelay((failure.kind == Kind::Incomplete ? 15 : 35) * (48 - n));
  } else {
    const bool silent = failure.kind == Kind::Incomplete && failure.arrived < 5 && n <= 18;
    if (failure.kind == Kind::Incomplete && !silent) link_.SendText(5, kGood);
    link_.SpinDelay(20 * (48 - n));
  }
  return Prompt(FormatPacketText(kReadPacketFailedFormat, n));
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
  SendHandshake(link_, kReadHandshake, {t.handshake, kHandshakeStatus, kProgressRange, 1});
  if (CancelRequested()) return Cancel();
  const std::optional<int> answered = HandshakeModel(link_);
  if (!answered) return Prompt(kHandshakeFailed);
  PutModelKeys(read_ini_, *answered, files);

  // Each packet goes into Read.ini as it comes, so a failed read keeps it.
  const PacketWaits waits{t.receive, kProgressRange, 1, kReceivingFormat, kTransferringFormat};
  const std::optional<PacketFailure> failure =
      ReceivePackets(link_, waits, image_, [this](int n, const std::uint8_t* packet) {
        DecodePacket(2 * n, packet, read_ini_, kavir_ini_);
      });
  if (failure) return PacketFailed(*failure);

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
