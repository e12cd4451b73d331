// The write transaction: check the screen, confirm, store it into Write.ini
// and write the image built from it (write_image.cpp).
#include <cstdio>
#include <ctime>

#include "../codec/codec.h"
#include "../profile/ini_document.h"
#include "backups.h"
#include "link_settings.h"
#include "radio_texts.h"
#include "transactions.h"
#include "write_image.h"

namespace kavir {

namespace {

std::string FormatModelText(const char* format, const std::string& model) {
  std::string out = format;
  out.replace(out.find("%s"), 2, model);
  return out;
}

}  // namespace

TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const WriteRadioOptions& options,
                            WriteImageResult* details) {
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

  // Write.ini is cleared and stored again at every attempt, and the image
  // built from it; a failure leaves the old Write.ini.
  WriteImageOptions write;
  write.model = type ? type->selected + 1 : 0;
  write.model_name = model;
  write.other_model = options.other_model;
  write.verify = options.verify;
  write.prepare_attempt = [&](Image& image) {
    ui.Repaint();
    IoStatus stored = view.ClearAndStoreProfile(view.files().write_ini);
    ui.Repaint();
    if (!stored) {
      ui.ShowError("Write.ini 未能保存，没有写入电台: " + stored.Message(), kPromptCaption);
      return false;
    }
    IoStatus loaded;
    IniDocument write_ini = ReadIniFile(view.files().write_ini, &loaded);
    if (!loaded) {
      ui.ShowError("Write.ini 无法读取，没有写入电台: " + loaded.Message(), kPromptCaption);
      return false;
    }
    image = options.own_bytes ? *options.own_bytes : EncodeImage(write_ini, view);
    return true;
  };
  WriteImageResult result = WriteImage(link, Image{}, write);
  if (details) *details = result;
  // The packets went out: the screen shows its page again either way.
  const bool sent = result.ok() || result.outcome == WriteOutcome::VerifyDiffers ||
                    result.outcome == WriteOutcome::NotVerified;
  if (sent) {
    view.current_tab = 0;
    view.current_tab = noted_tab;
    view.ShowPage(noted_tab);
    ui.SetStatusText(result.ok() ? (write.verify ? kVerifiedStatus : kDoneStatus)
                                 : "写入后校验失败!");
  }
  ui.SetCursor(Cursor::Normal);
  return result.ok() ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kavir
