#include "screen_events.h"

#include "link/radio_texts.h"

namespace kavir {

namespace {

ScreenUi::Answers YesNo() { return {TrText("Screen", "是"), TrText("Screen", "否")}; }

}  // namespace

bool ScreenEvents::ConfirmRead(ReadPurpose purpose) {
  return ui_.Ask(ReadConfirmText(purpose), LinkText(kPromptCaption), YesNo());
}

bool ScreenEvents::ConfirmWrite(const std::string& model) {
  return ui_.Ask(WriteConfirmText(model), LinkText(kPromptCaption), YesNo());
}

bool ScreenEvents::AcceptOtherModel(const std::string&, const std::string&, const std::string& prompt) {
  // Yes writes into a radio of another model: Enter must not give it.
  return ui_.Ask(prompt, LinkText(kPromptCaption), {TrText("Screen", "写入"), TrText("Screen", "返回"), false});
}

bool ScreenEvents::Retry(const TransferFailure& failure) {
  return ui_.Ask(failure.prompt, LinkText(kPromptCaption), {TrText("Screen", "重试"), TrText("Screen", "返回")});
}

void ScreenEvents::Error(const std::string& text) { ui_.ShowError(text, LinkText(kPromptCaption)); }
void ScreenEvents::Status(const std::string& text) { ui_.SetStatusText(text); }
void ScreenEvents::Progress(const std::string& text, short range, short position) {
  ui_.BeginProgress(text, range, position);
}
void ScreenEvents::ProgressEnd() { ui_.EndProgress(); }

void ScreenEvents::Waiting(int step) {
  static constexpr Cursor kShapes[5] = {Cursor::SizeNWSE, Cursor::SizeNS, Cursor::SizeNESW, Cursor::SizeWE,
                                        Cursor::AppStarting};
  ui_.SetCursor(kShapes[step % 5]);
}

void ScreenEvents::Refresh() { ui_.Repaint(); }

}  // namespace kavir
