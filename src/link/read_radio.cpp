// The read: handshake, packets 1 to 16 on request, packets 17 to 48 on
// acknowledgement, each decoded into the set-up at once.
#include <cstdio>
#include <ctime>

#include "backups.h"
#include "codec/codec.h"
#include "codec/image_file.h"
#include "handshake.h"
#include "ini/atomic_file.h"
#include "ini/gbk.h"
#include "ini/ini_document.h"
#include "link_settings.h"
#include "packet_reader.h"
#include "radio_texts.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"
#include "transactions.h"
#include "transfer_summary.h"

namespace kavir {

std::string PartialReadPath(const WorkingFiles& files) { return files.InDir("Read.partial.ini"); }

std::string FormatPacketText(const char* format, int n) {
  // The translated text, with its "%02d" filled in as text: a catalogue
  // can never make this a format fault.
  std::string text = LinkText(format);
  char number[16];
  std::snprintf(number, sizeof number, "%02d", n);
  const auto at = text.find("%02d");
  if (at != std::string::npos) text.replace(at, 4, number);
  return text;
}

namespace {

enum class Step { Done, Retry, End };

class ReadAttempt {
 public:
  ReadAttempt(SerialLink& link, const ProgramData& data) : link_(link), events_(link.events()), data_(data) {}

  Step Run();
  const Setup& record() const { return record_; }

 private:
  // Read.ini as it stands goes to disk; false (and shown) when it cannot.
  bool SaveReadIni();
  bool SavePartial();
  Step Prompt(const TransferFailure& failure);
  Step PacketFailed(const PacketFailure& failure);
  Step NotAnImage(const std::string& wrong);
  bool CancelRequested() const { return link_.cancel_requested(); }
  // Stops at once: no prompt, no delay; what was read is kept aside.
  Step Cancel() {
    link_.report.cancelled = true;
    SavePartial();
    return Step::End;
  }
  SerialLink& link_;
  TransferEvents& events_;
  const ProgramData& data_;
  IniDocument read_ini_;  // Read.ini as it was, its profile keys cleared
  Setup record_;
  bool answered_ = false;
  int packets_ = 0;  // packets decoded so far
  Image image_{};
};

bool ReadAttempt::SaveReadIni() {
  IniDocument doc = read_ini_;
  StoreSetup(record_, doc);
  IoStatus status = WriteIniFile(data_.files.read_ini, doc);
  if (status) return true;
  events_.Error(TrText("Link", "读出的数据未能保存: ") + UserMessage(status));
  return false;
}

// A failed read never replaces Read.ini: what it got goes to a file whose
// name and first line say it is incomplete. It holds the keys of what came.
bool ReadAttempt::SavePartial() {
  IniDocument doc = read_ini_;
  std::vector<std::string> keys;
  if (answered_) keys = {"Type", "Mode", "FreqV", "FreqU"};
  for (int n = 1; n <= packets_; ++n)
    for (std::string& key : PacketKeys(n)) keys.push_back(std::move(key));
  if (!keys.empty()) {
    IniDocument all;
    StoreSetup(record_, all);
    for (const std::string& key : keys)
      doc.SetString(kProfileSection, key, all.Find(kProfileSection, key).value_or(""));
  }
  const std::string path = PartialReadPath(data_.files);
  IoStatus status = WriteFileAtomically(
      path, "; 读出未完成，这些数据不完整，不能当作读出的数据使用 (incomplete read)\r\n" + doc.Serialize());
  if (status) return true;
  events_.Error(TrText("Link", "读出的数据未能保存: ") + UserMessage(status));
  return false;
}

Step ReadAttempt::Prompt(const TransferFailure& failure) {
  if (CancelRequested()) return Cancel();
  // What was read so far is on disk while the user decides.
  if (!SavePartial()) return Step::End;
  return events_.Retry(failure) ? Step::Retry : Step::End;
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
  return Prompt(LinkFailure(link_, TransferFailure::Kind::ReadPacket, FormatPacketText(kReadPacketFailedFormat, n), n));
}

// Bytes that are no radio's image would show as nonsense settings: they are
// kept as they came, for a look or for the dealer, and Read.ini stays.
Step ReadAttempt::NotAnImage(const std::string& wrong) {
  const std::string model = ClipToGbkBytes(record_.model(), kValueBuffer - 1);
  std::string kept;
  const IoStatus backup = SaveBackup(data_.files.program_dir, "read", model, image_, std::time(nullptr), &kept);
  link_.report.backup_path = kept;
  std::string message =
      ArgText(TrText("Link", "电台回答了, 但读出的不是电台数据: %1。\nRead.ini 和屏幕上的数据没有改变。"), {wrong});
  message += backup ? ArgText(TrText("Link", "\n读到的 768 字节已保存为 %1。"), {kept})
                    : TrText("Link", "\n读到的字节未能保存: ") + UserMessage(backup);
  link_.report.not_an_image = true;
  events_.Error(message);
  return Step::End;
}

Step ReadAttempt::Run() {
  const WorkingFiles& files = data_.files;
  link_.set_priority(ThreadPriority::TimeCritical);
  link_.SuppressOpenErrorBox();
  const Timeouts t = link_.LoadTimeouts();
  events_.Refresh();

  // Read.ini is cleared in memory and goes to disk at the next prompt or
  // at the end: one write, the same content as per-key writes would leave.
  // Its other sections and keys stay.
  IoStatus load;
  read_ini_ = ReadIniFile(files.read_ini, &load);
  if (!load) {
    events_.Error(TrText("Link", "Read.ini 无法读取: ") + UserMessage(load));
    return Step::End;
  }
  ClearProfileKeys(read_ini_);
  // What came in during a prompt would have been taken in by the receive
  // event; take it now so the clear removes it.
  link_.PollInput();
  link_.ClearReceiveBuffer();
  link_.ClearTransmitBuffer();

  // Handshake: up to four frames.
  SendHandshake(link_, kReadHandshake, {t.handshake, LinkText(kHandshakeStatus), kProgressRange, 1});
  if (CancelRequested()) return Cancel();
  const std::optional<int> answered = HandshakeModel(link_);
  if (!answered) return Prompt(HandshakeFailure(link_));
  record_ = ModelRecord(*answered, data_);
  answered_ = true;

  // Each packet goes into the set-up as it comes, so a failed read keeps it.
  const PacketWaits waits{t.receive, kProgressRange, 1, kReceivingFormat, kTransferringFormat};
  const std::optional<PacketFailure> failure =
      ReceivePackets(link_, waits, image_, [this](int n, const std::uint8_t* packet) {
        DecodePacket(n, packet + 4, data_.lists, record_);
        packets_ = n;
      });
  if (failure) return PacketFailed(*failure);

  // A model file without an upper band limit: the read cannot be trusted.
  if (!HasBand(record_)) return Prompt(MakeFailure(TransferFailure::Kind::Band, LinkText(kBandFailed)));
  if (const std::string wrong = ImageProblem(image_); !wrong.empty()) return NotAnImage(wrong);
  // The image first: when Read.ini cannot be saved, the read is still kept.
  const std::string model = ClipToGbkBytes(record_.model(), kValueBuffer - 1);
  std::string kept;
  IoStatus backup = SaveBackup(files.program_dir, "read", model, image_, std::time(nullptr), &kept);
  if (!backup) events_.Error(TrText("Link", "读出的数据未能备份: ") + UserMessage(backup));
  link_.report.backup_path = kept;
  if (!SaveReadIni()) return Step::End;
  std::remove(PartialReadPath(files).c_str());  // stale now
  return Step::Done;
}

}  // namespace

ReadOutcome ReadRadio(SerialLink& link, const ProgramData& data, ReadPurpose purpose) {
  ReadOutcome out;
  link.BeginTransfer();
  link.set_config(data.config);
  if (!link.events().ConfirmRead(purpose)) {
    out.result = TransferResult::Cancelled;
    return out;
  }
  Step step;
  do {
    ReadAttempt attempt(link, data);
    step = attempt.Run();
    if (step == Step::Done) out.record = attempt.record();
    // The radio may still be sending what the failed attempt asked for.
    if (step == Step::Retry) link.DrainInput(kDrainQuietMs, kDrainMaxMs);
  } while (step == Step::Retry);
  link.set_priority(ThreadPriority::Normal);
  out.result = step == Step::Done ? TransferResult::Done : TransferResult::Failed;
  return out;
}

}  // namespace kavir
