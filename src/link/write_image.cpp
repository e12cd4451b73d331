// Handshake, 48 packets each awaiting a five-byte acknowledgement, then the
// read-back that proves the radio holds what was sent.
#include "write_image.h"

#include <algorithm>
#include <ctime>
#include <optional>

#include "backups.h"
#include "codec/image_file.h"
#include "handshake.h"
#include "ini/ini_document.h"
#include "radio_texts.h"
#include "transactions.h"
#include "transfer_summary.h"

namespace kavir {

namespace {

// With the verify the progress bar runs over both transfers.
constexpr short kWriteAndVerifyRange = 2 * kProgressRange;

std::string ModelName(const IniDocument& kavir_ini, int model) {
  std::string name = kavir_ini.GetString("Type", std::to_string(model), "", 20);
  return name.empty() ? ArgText(TrText("Link", "第 %1 号机型"), {std::to_string(model)}) : name;
}

std::string OtherModelQuestion(const std::string& radio_name, const std::string& image_model) {
  return LinkText(kOtherModelLead) +
         ArgText(TrText("Link", "%1，而当前数据的机型是 %2。\t\t\n\n\t仍然要写入吗?  (   Y：写入      N：返回   ) ?\n"),
                 {radio_name, image_model.empty() ? TrText("Link", "(未选)") : image_model});
}

enum class Step { Done, Retry, End };

class WriteRun {
 public:
  WriteRun(SerialLink& link, const Image& image, const WriteImageOptions& options)
      : link_(link), events_(link.events()), image_(image), options_(options) {}

  WriteImageResult Run();

 private:
  Step Attempt();
  bool CancelRequested() const { return link_.cancel_requested(); }
  Step Cancel() {
    link_.report.cancelled = true;
    result_.cancelled = true;
    result_.message = TrText("Link", "已取消");
    return Step::End;
  }
  Step Prompt(const TransferFailure& failure) {
    if (CancelRequested()) return Cancel();
    result_.message = failure.prompt;
    if (!events_.Retry(failure)) return Step::End;
    // The radio may still be answering the failed attempt.
    link_.DrainInput(kDrainQuietMs, kDrainMaxMs);
    return Step::Retry;
  }
  Step KeepRadioImage(const IniDocument& kavir_ini, const Timeouts& t);
  void KeepRadioIdentity(const Image& radio);
  void Verify();
  std::uint32_t ArrivedSinceBase() const { return link_.receive_count - base_; }

  SerialLink& link_;
  TransferEvents& events_;
  Image image_;
  const WriteImageOptions& options_;
  WriteImageResult result_;
  short range_ = kProgressRange;
  short first_ = 1;  // progress position of the write's handshake
  std::uint32_t base_ = 0;
  bool other_model_accepted_ = false;
  std::optional<Image> radio_image_;  // what the radio held before the write
};

WriteImageResult WriteRun::Run() {
  link_.BeginTransfer();
  if (options_.verify) range_ = kWriteAndVerifyRange;
  if (options_.keep_radio_image) {
    range_ = static_cast<short>(range_ + kProgressRange);
    first_ = static_cast<short>(first_ + kProgressRange);
  }
  Step step;
  do {
    step = Attempt();
  } while (step == Step::Retry);
  if (step == Step::Done) {
    result_.message.clear();
    result_.outcome = WriteOutcome::Done;
    if (options_.verify) Verify();
  }
  link_.set_priority(ThreadPriority::Normal);
  return result_;
}

Step WriteRun::Attempt() {
  link_.set_priority(ThreadPriority::TimeCritical);
  link_.SuppressOpenErrorBox();
  const IniDocument& kavir_ini = link_.config().ini();
  const Timeouts t = link_.LoadTimeouts();

  // What the radio holds is read (and reviewed) before anything of this
  // write is prepared: a write not wanted leaves Write.ini as it was.
  if (options_.keep_radio_image && result_.before_write_backup.empty()) {
    if (const Step step = KeepRadioImage(kavir_ini, t); step != Step::Done) return step;
  }
  if (options_.prepare_attempt && !options_.prepare_attempt(image_)) return Step::End;
  // Every attempt's image, a retry's too, keeps the radio's own identity.
  if (radio_image_) KeepRadioIdentity(*radio_image_);

  // What is about to go into the radio is kept before a byte of it is sent.
  if (options_.backup && result_.sent_backup.empty()) {
    BackupImage copy;
    std::copy(image_.begin(), image_.end(), copy.begin());
    IoStatus backup = SaveBackup(link_.files().program_dir, "write", options_.model_name, copy, std::time(nullptr),
                                 &result_.sent_backup);
    link_.report.backup_path = result_.sent_backup;
    if (!backup) {
      result_.message = TrText("Link", "写入前的备份未能保存，没有写入电台: ") + UserMessage(backup);
      events_.Error(result_.message);
      return Step::End;
    }
  }

  // What came in during a prompt would have been taken in by the receive
  // event; take it now so the clear removes it.
  link_.PollInput();
  link_.ClearReceiveBuffer();
  link_.ClearTransmitBuffer();

  SendHandshake(link_, kWriteHandshake, {t.handshake, LinkText(kHandshakeStatus), range_, first_});
  if (CancelRequested()) return Cancel();
  // Judged as the read's answer is: 20 bytes since the clear, "PM".
  const std::optional<int> answered = HandshakeModel(link_);
  if (!answered) return Prompt(HandshakeFailure(link_));

  result_.radio_model = *answered;
  if (options_.model && result_.radio_model != *options_.model && !other_model_accepted_) {
    const std::string radio_name = ModelName(kavir_ini, result_.radio_model);
    const bool go_on = options_.other_model == OtherModel::Accept ||
                       (options_.other_model == OtherModel::Ask &&
                        events_.AcceptOtherModel(radio_name, options_.model_name,
                                                 OtherModelQuestion(radio_name, options_.model_name)));
    if (!go_on) {
      result_.outcome = WriteOutcome::OtherModelRefused;
      result_.message = ArgText(TrText("Link", "电台是 %1，数据是 %2 的: 没有写入电台。"),
                                {ModelName(kavir_ini, result_.radio_model),
                                 options_.model_name.empty() ? TrText("Link", "(未选)") : options_.model_name});
      return Step::End;
    }
    other_model_accepted_ = true;
  }

  for (int n = 1; n <= kPacketCount; ++n) {
    if (CancelRequested()) return Cancel();
    link_.ClearReceiveBuffer();
    int attempt = 1;
    base_ = link_.receive_count;
    const std::string text = FormatPacketText(kTransferringFormat, n);
    Frame frame{0x57, static_cast<std::uint8_t>((16 * (n - 1)) >> 8), static_cast<std::uint8_t>((16 * (n - 1)) & 0xFF),
                0x10};
    std::copy_n(image_.begin() + 16 * (n - 1), 16, frame.begin() + 4);
    link_.SendBytes(frame.data(), frame.size());
    link_.WaitForBytes(5, t.transmit, text, range_, static_cast<short>(first_ + n));
    while (attempt <= 3 && ArrivedSinceBase() < 5 && !CancelRequested()) {
      link_.WaitForBytes(5, t.transmit, text, range_, static_cast<short>(first_ + n));
      ++attempt;
    }
    if (ArrivedSinceBase() >= 5)
      link_.report.packets_written = std::max(link_.report.packets_written, n);
    else if (CancelRequested())
      return Cancel();
    else if (attempt > 3)
      return Prompt(
          LinkFailure(link_, TransferFailure::Kind::WritePacket, FormatPacketText(kWritePacketFailedFormat, n), n));
  }
  return Step::Done;
}

// The radio is read as a read does, but only into backups/: what it held
// can be written back whatever this write puts into it.
Step WriteRun::KeepRadioImage(const IniDocument& kavir_ini, const Timeouts& t) {
  const ReadBackProgress progress{range_, 1, kBeforeWriteHandshakeStatus, kBeforeWriteFormat};
  // As long as a read's four handshake frames: the radio is not restarting.
  const VerifyResult before = ReadBackImage(link_, progress, 4 * std::max(t.handshake, 20));
  if (CancelRequested()) return Cancel();
  if (before.outcome == VerifyResult::Outcome::NoReadBack)
    return Prompt(
        LinkFailure(link_, TransferFailure::Kind::BeforeWriteRead,
                    LinkText(kBeforeWriteReadFailedLead) + before.failure + LinkText(kBeforeWriteReadFailedTail)));
  BackupImage copy;
  std::copy(before.read_back.begin(), before.read_back.end(), copy.begin());
  IoStatus saved = SaveBackup(link_.files().program_dir, "before-write", ModelName(kavir_ini, before.radio_model), copy,
                              std::time(nullptr), &result_.before_write_backup);
  if (!saved) {
    result_.before_write_backup.clear();
    result_.message = ArgText(TrText("Link", "电台原有的数据未能保存，没有写入电台: %1"), {UserMessage(saved)});
    events_.Error(result_.message);
    return Step::End;
  }
  link_.report.before_write_backup = result_.before_write_backup;
  radio_image_ = before.read_back;
  if (options_.review_radio && !options_.review_radio(before.read_back, before.radio_model)) {
    result_.outcome = WriteOutcome::NotWanted;
    return Step::End;
  }
  // The radio closes its read session before it takes a write handshake.
  link_.DrainInput(kDrainQuietMs, kDrainMaxMs);
  return Step::Done;
}

// The radio's model code, tag and maker's signature are its own: they go
// back as they were, not the texts this program would put into a radio it
// knows nothing of. A radio that holds no image (never programmed) takes
// the image's.
void WriteRun::KeepRadioIdentity(const Image& radio) {
  if (!ImageProblem(radio).empty()) return;
  const RadioIdentity own = IdentityOf(radio), planned = IdentityOf(image_);
  CopyIdentity(radio, image_);
  if (own == planned) return;
  result_.radio_identity =
      ArgText(TrText("Link", "机型标识 \"%1\", \"%2\", 厂家签名 \"%3\""), {own.model_code, own.tag, own.signature});
  link_.report.radio_identity = result_.radio_identity;
}

void WriteRun::Verify() {
  const ReadBackProgress progress{range_, static_cast<short>(first_ + kProgressRange)};
  for (;;) {
    result_.verify = VerifyWrite(link_, image_, progress, kVerifyHandshakeMs, result_.radio_model);
    if (result_.verify.outcome != VerifyResult::Outcome::NoReadBack) break;
    if (CancelRequested()) {
      link_.report.cancelled = result_.cancelled = true;
      link_.report.verify = TransferReport::Verify::NoReadBack;
      result_.outcome = WriteOutcome::NotVerified;
      result_.message = TrText("Link", "数据已经写入电台, 校验已取消。请再读一次电台确认。");
      return;
    }
    const TransferFailure failure =
        LinkFailure(link_, TransferFailure::Kind::VerifyRead,
                    LinkText(kVerifyReadFailedLead) + result_.verify.failure + LinkText(kVerifyReadFailedTail));
    if (!events_.Retry(failure)) {
      link_.report.verify = TransferReport::Verify::NoReadBack;
      result_.outcome = WriteOutcome::NotVerified;
      result_.message = ArgText(TrText("Link", "数据已经写入电台, 但读回校验失败 (%1)。请再读一次电台确认。"),
                                {result_.verify.failure});
      return;
    }
    link_.DrainInput(kDrainQuietMs, kDrainMaxMs);
  }
  if (result_.verify.ok()) {
    link_.report.verify = TransferReport::Verify::Match;
    return;
  }
  link_.report.verify = TransferReport::Verify::Differs;
  link_.report.differing_bytes = result_.verify.differences.size();

  // Both images are kept, so the difference can be looked at later.
  result_.outcome = WriteOutcome::VerifyDiffers;
  const std::time_t now = std::time(nullptr);
  BackupImage sent, read_back;
  std::copy(image_.begin(), image_.end(), sent.begin());
  std::copy(result_.verify.read_back.begin(), result_.verify.read_back.end(), read_back.begin());
  std::string sent_path;
  IoStatus a = SaveBackup(link_.files().program_dir, "verify-sent", options_.model_name, sent, now, &sent_path);
  IoStatus b = SaveBackup(link_.files().program_dir, "verify-read", options_.model_name, read_back, now,
                          &result_.read_back_backup);
  if (a) result_.sent_backup = sent_path;
  const std::size_t count = result_.verify.differences.size();
  std::string message = LinkText(kVerifyFailedLead) +
                        ArgText(TrText("Link", "%1 个字节不同:\n"), {std::to_string(count)}) +
                        DescribeDifferences(result_.verify.differences);
  if (a && b)
    message +=
        ArgText(TrText("Link", "两份数据已保存: %1 (写入), %2 (读回)。\n"), {sent_path, result_.read_back_backup});
  else
    message += TrText("Link", "两份数据未能保存: ") + UserMessage(a ? b : a) + "\n";
  message += TrText("Link", "请重新写入; 仍然不同时电台可能有故障。");
  result_.message = message;
  events_.Error(message);
}

}  // namespace

WriteImageResult WriteImage(SerialLink& link, const Image& image, const WriteImageOptions& options) {
  WriteRun run(link, image, options);
  return run.Run();
}

}  // namespace kavir
