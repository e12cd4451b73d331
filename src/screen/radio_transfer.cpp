#include "radio_transfer.h"

#include "codec/channel_record.h"
#include "codec/image_file.h"
#include "ini/translate.h"
#include "kavir_view.h"
#include "link/radio_texts.h"

namespace kavir {

TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link, const TransferThreads& threads, ReadPurpose purpose) {
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
  const int noted_tab = view.current_tab;
  SetupHolder holder;
  holder.take = [&] { return view.setup(); };
  holder.keep = [&](const Setup& attempt) {
    ui.Repaint();
    const IoStatus stored = view.ClearAndStoreSetup(view.files().write_ini, attempt);
    ui.Repaint();
    if (!stored) ui.ShowError(KeepFailureText(view.files(), stored), LinkText(kPromptCaption));
    return stored.ok;
  };
  WriteImageResult result;
  const TransferResult done = WriteSetup(link, ScreenData(view), holder, options, &result, threads);
  if (details) *details = result;
  // The packets went out: the screen shows its page again either way.
  if (const std::string status = WrittenStatus(result, options.verify); !status.empty()) {
    view.current_tab = noted_tab;
    view.ShowPage(noted_tab);
    ui.SetStatusText(status);
  }
  ui.SetCursor(Cursor::Normal);
  return done;
}

}  // namespace kavir
