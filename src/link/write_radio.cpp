// The write: store the screen into Write.ini, handshake, then 48 packets,
// each awaiting a five-byte acknowledgement.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "../codec/codec.h"
#include "../profile/ini_document.h"
#include "backups.h"
#include "link_settings.h"
#include "radio_texts.h"
#include "transactions.h"

namespace kavir {

namespace {

enum class Step { Done, Retry, End };

std::string FormatModelText(const char* format, const std::string& model) {
  std::string out = format;
  out.replace(out.find("%s"), 2, model);
  return out;
}

// The model the radio names (entry number of KAVIR.ini's Type list).
int AnsweredModel(const SerialLink& link) {
  return static_cast<int>(static_cast<std::int8_t>(link.receive_buffer[3])) + 1;
}

std::string OtherModelQuestion(const IniDocument& kavir_ini, int radio_model,
                               const std::string& screen_model) {
  std::string radio_name = kavir_ini.GetString("Type", std::to_string(radio_model), "", 20);
  if (radio_name.empty()) radio_name = "第 " + std::to_string(radio_model) + " 号机型";
  return kOtherModelLead + radio_name + "，而当前数据的机型是 " +
         (screen_model.empty() ? std::string("(未选)") : screen_model) +
         "。\t\t\n\n\t仍然要写入吗?  (   Y：写入      N：返回   ) ?\n";
}

class WriteSession {
 public:
  WriteSession(CKAVIRView& view, SerialLink& link, std::string model)
      : view_(view), link_(link), ui_(link.ui()), model_(std::move(model)) {}

  Step Attempt();

 private:
  std::uint32_t ArrivedSinceBase() const { return link_.receive_count - base_; }
  bool CancelRequested() const { return link_.cancel_requested(); }
  Step Cancel() {
    link_.report.cancelled = true;
    return Step::End;
  }
  Step Prompt(const std::string& text) {
    if (CancelRequested()) return Cancel();
    return ui_.AskYesNo(text, kPromptCaption) ? Step::Retry : Step::End;
  }

  CKAVIRView& view_;
  SerialLink& link_;
  ScreenUi& ui_;
  std::string model_;
  std::uint32_t base_ = 0;
  bool backed_up_ = false;
  bool other_model_accepted_ = false;
};

Step WriteSession::Attempt() {
  const WorkingFiles& files = view_.files();
  link_.set_priority(ThreadPriority::TimeCritical);
  link_.ResetOpenErrorReport();

  // Clear and store as one write; a failure leaves the old Write.ini.
  ui_.Repaint();
  IoStatus stored = view_.ClearAndStoreProfile(files.write_ini);
  ui_.Repaint();
  if (!stored) {
    ui_.ShowError("Write.ini 未能保存，没有写入电台: " + stored.Message(), kPromptCaption);
    return Step::End;
  }
  IoStatus loaded;
  IniDocument write_ini = ReadIniFile(files.write_ini, &loaded);
  if (!loaded) {
    ui_.ShowError("Write.ini 无法读取，没有写入电台: " + loaded.Message(), kPromptCaption);
    return Step::End;
  }
  IniDocument kavir_ini = ReadIniFile(files.kavir_ini);
  const Timeouts t = ReadTimeouts(kavir_ini);

  // What is about to go into the radio is kept before a byte is sent.
  if (!backed_up_) {
    Image image = EncodeImage(write_ini, view_);
    BackupImage copy;
    std::copy(image.begin(), image.end(), copy.begin());
    IoStatus backup = SaveBackup(files.program_dir, "write", model_, copy, std::time(nullptr),
                                 &link_.report.backup_path);
    if (!backup) {
      ui_.ShowError("写入前的备份未能保存，没有写入电台: " + backup.Message(), kPromptCaption);
      return Step::End;
    }
    backed_up_ = true;
  }

  // What came in during a prompt would have been taken in by the receive
  // event; take it now so the clear removes it.
  link_.PollInput();
  link_.ClearReceiveBuffer();
  link_.ClearTransmitBuffer();

  int attempt = 1;
  base_ = link_.receive_count;
  link_.SendCommand(6, kWriteHandshake, 0x00);
  link_.WaitForBytes(20, t.handshake, kHandshakeStatus, kProgressRange, 1);
  while (attempt <= 3 && ArrivedSinceBase() < 20 && !CancelRequested()) {
    link_.SendCommand(6, kWriteHandshake, 0x00);
    link_.WaitForBytes(20, t.handshake, kHandshakeStatus, kProgressRange, 1);
    ++attempt;
  }
  if (CancelRequested()) return Cancel();
  // Judged as the read's answer is: 20 bytes since the clear, "PM".
  if (link_.receive_count < 20 || link_.receive_buffer[0] != 'P' || link_.receive_buffer[1] != 'M')
    return Prompt(kHandshakeFailed);

  const ComboBox* type = view_.Combo("Type");
  const int screen_model = type ? type->selected + 1 : 0;
  const int radio_model = AnsweredModel(link_);
  if (radio_model != screen_model && !other_model_accepted_) {
    if (!ui_.AskYesNo(OtherModelQuestion(kavir_ini, radio_model, model_), kPromptCaption))
      return Step::End;
    other_model_accepted_ = true;
  }

  for (int n = 1; n <= 48; ++n) {
    if (CancelRequested()) return Cancel();
    link_.ClearReceiveBuffer();
    attempt = 1;
    base_ = link_.receive_count;
    const std::string text = FormatPacketText(kTransferringFormat, n);
    Frame frame = EncodePacket(n, write_ini, view_);
    link_.SendBytes(frame.data(), frame.size());
    link_.WaitForBytes(5, t.transmit, text, kProgressRange, static_cast<short>(n + 1));
    while (attempt <= 3 && ArrivedSinceBase() < 5 && !CancelRequested()) {
      link_.WaitForBytes(5, t.transmit, text, kProgressRange, static_cast<short>(n + 1));
      ++attempt;
    }
    if (ArrivedSinceBase() >= 5) {
      link_.report.packets_written = std::max(link_.report.packets_written, n);
    } else if (CancelRequested()) {
      return Cancel();
    } else if (attempt > 3) {
      return Prompt(FormatPacketText(kWritePacketFailedFormat, n));
    }
  }
  return Step::Done;
}

}  // namespace

TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link) {
  ScreenUi& ui = link.ui();
  link.BeginTransfer();
  const int noted_tab = view.current_tab;
  const ComboBox* type = view.Combo("Type");
  const std::string model = type ? type->SelectedText() : std::string();

  // Nothing that would put wrong bytes into the radio is sent.
  std::vector<WriteProblem> problems = CheckBeforeWrite(view);
  if (!problems.empty()) {
    ui.ShowError(DescribeProblems(problems), kPromptCaption);
    return TransferResult::Failed;
  }
  if (!ui.AskYesNo(FormatModelText(kWriteConfirmFormat, model), kPromptCaption))
    return TransferResult::Cancelled;

  WriteSession session(view, link, model);
  Step step;
  do {
    step = session.Attempt();
  } while (step == Step::Retry);

  if (step == Step::Done) {
    view.current_tab = 0;
    view.current_tab = noted_tab;
    view.ShowPage(noted_tab);
    ui.SetStatusText(kDoneStatus);
  }
  link.set_priority(ThreadPriority::Normal);
  ui.SetCursor(Cursor::Normal);
  return step == Step::Done ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kavir
