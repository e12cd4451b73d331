#include "radio_transfer.h"

#include "codec/channel_record.h"
#include "codec/image_file.h"
#include "link/radio_texts.h"
#include "profile/translate.h"

namespace kavir {

namespace {

void RunOn(const TransferThreads::Runner& runner, const std::function<void()>& fn) {
  if (runner)
    runner(fn);
  else
    fn();
}

}  // namespace

std::optional<Setup> RadioSetup(const CKAVIRView& view, const Image& image, int model) {
  if (!ImageProblem(image).empty()) return std::nullopt;
  const ProgramData data = ScreenData(view);
  const std::optional<Setup> record = ImageRecord(image, model, data, nullptr);
  if (!record) return std::nullopt;
  // Shown on a screen of its own, so the load rules apply as a read's do.
  HeadlessUi quiet;
  CKAVIRView shown(view.files(), quiet);
  shown.OnInitialUpdate(nullptr);
  shown.ShowSetup(*record, view.files().read_ini);
  return shown.ToSetup();
}

TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link, const TransferThreads& threads,
                           ReadPurpose purpose) {
  ScreenUi& ui = view.ui();
  // Without the option lists a read could only end in a failure.
  if (!view.option_lists_status().ok) {
    ui.ShowError(view.OptionListsMessage(), LinkText(kPromptCaption));
    return TransferResult::Failed;
  }
  const ProgramData data = ScreenData(view);
  ReadOutcome read;
  RunOn(threads.link, [&] { read = ReadRadio(link, data, purpose); });
  if (read.result == TransferResult::Done) {
    ui.BeginProgress(LinkText(kRefreshStatus), 10, 10);
    view.LoadRecord(read.record, view.files().read_ini);
    ui.EndProgress();
    ui.SetStatusText(LinkText(kDoneStatus));
  }
  ui.SetCursor(Cursor::Normal);
  return read.result;
}

TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const WriteRadioOptions& options,
                            WriteImageResult* details, const TransferThreads& threads) {
  ScreenUi& ui = view.ui();
  link.BeginTransfer();
  const int noted_tab = view.current_tab;
  const Setup setup = view.ToSetup();
  const std::string model = setup.model();

  // Nothing that would put wrong bytes into the radio is sent.
  std::vector<WriteProblem> problems = CheckBeforeWrite(setup, view.channel_lists);
  if (!problems.empty()) {
    link.report.refused = true;
    ui.ShowError(DescribeProblems(problems), LinkText(kPromptCaption));
    return TransferResult::Failed;
  }
  if (!link.events().ConfirmWrite(model)) return TransferResult::Cancelled;

  WriteImageOptions write;
  // An image restored as it is goes to radios of the model it names.
  write.model = options.own_bytes ? ImageModel(*options.own_bytes) : setup[Setting::Type].index + 1;
  write.model_name = model;
  write.other_model = options.other_model;
  write.verify = options.verify;
  write.keep_radio_image = options.keep_radio_image;
  // Every attempt takes the screen again, as a repeated write does; what
  // goes into Write.ini and into the radio is that one set-up. A failure
  // leaves the old Write.ini.
  auto prepare = [&](Image& image) {
    const Setup attempt = view.ToSetup();
    ui.Repaint();
    IoStatus stored = view.ClearAndStoreSetup(view.files().write_ini, attempt);
    ui.Repaint();
    if (!stored) {
      // Write.ini, or KAVIR.ini when the model could not be remembered: the one that failed.
      const std::string& failed = stored.path.empty() ? view.files().write_ini : stored.path;
      const std::string name = failed.substr(failed.find_last_of("/\\") + 1);
      ui.ShowError(ArgText(TrText("Screen", "%1 未能保存，没有写入电台: "), {name}) + stored.Message(),
                   LinkText(kPromptCaption));
      return false;
    }
    image = options.own_bytes ? *options.own_bytes : EncodeImage(attempt, view.radio_identity());
    return true;
  };
  if (options.review_changes) {
    write.review_radio = [&](const Image& radio, int radio_model) {
      bool go_on = true;
      RunOn(threads.screen, [&] {
        const std::optional<Setup> held = RadioSetup(view, radio, radio_model);
        // Blank cells listed as what the radio will hold, not as blanks.
        go_on = options.review_changes(held ? &*held : nullptr, AsWritten(view.ToSetup()));
      });
      return go_on;
    };
  }
  write.prepare_attempt = [&](Image& image) {
    bool ready = false;
    RunOn(threads.screen, [&] { ready = prepare(image); });
    return ready;
  };
  WriteImageResult result;
  RunOn(threads.link, [&] { result = WriteImage(link, Image{}, write); });
  if (details) *details = result;
  if (result.outcome == WriteOutcome::NotWanted) {
    ui.SetCursor(Cursor::Normal);
    return TransferResult::Cancelled;
  }
  // The packets went out: the screen shows its page again either way.
  const bool sent = result.ok() || result.outcome == WriteOutcome::VerifyDiffers ||
                    result.outcome == WriteOutcome::NotVerified;
  if (sent) {
    view.current_tab = noted_tab;
    view.ShowPage(noted_tab);
    ui.SetStatusText(result.ok() ? (write.verify ? LinkText(kVerifiedStatus) : LinkText(kDoneStatus)) : TrText("Screen", "写入后校验失败!"));
  }
  ui.SetCursor(Cursor::Normal);
  return result.ok() ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kavir
