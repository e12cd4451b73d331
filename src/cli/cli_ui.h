#pragma once
// The screen's user interface on a terminal: prompts are answered by a
// policy the command sets, status texts and errors go to stderr as lines,
// progress is a bar on stderr when stderr is a terminal.
#include <functional>
#include <string>
#include <vector>

#include "screen/screen_ui.h"

namespace kavir::cli {

class CliUi : public ScreenUi {
 public:
  // Answers a Yes/No prompt; the default answers No (nothing is changed).
  std::function<bool(const std::string& text, const std::string& caption)> answer;
  // Paths the next file dialogs return ("" = the user cancelled).
  std::string open_path;
  std::string save_path;
  // Status texts, prompts and their answers go to stderr when set (the
  // radio commands set it; show, resave and the file commands keep stdout
  // and stderr for their results and errors).
  bool verbose = false;
  // Errors are printed as they come unless the command reports them itself.
  bool print_errors = true;

  // Every error shown, in order; commands turn them into their exit code.
  const std::vector<std::string>& errors() const { return errors_; }

  bool AskYesNo(const std::string& text, const std::string& caption) override;
  // A question answered without asking: said on stderr when verbose.
  void Asked(const std::string& text, const std::string& caption, bool yes);
  void ShowError(const std::string& text, const std::string& caption) override;
  void ShowWarning(const std::string& text, const std::string& caption) override;
  void SetStatusText(const std::string& text) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void BeginProgress(const std::string& text, short range, short position) override;
  void EndProgress() override;
  std::string GetOpenFileName(const FileDialogParams& params) override;
  std::string GetSaveFileName(const FileDialogParams& params) override;
  void Repaint() override {}
  void SetCursor(Cursor) override {}
  void Pause(int) override {}  // no window to keep painted

 private:
  std::vector<std::string> errors_;
  bool bar_shown_ = false;
};

// True when stderr is a terminal.
bool StderrIsTerminal();

}  // namespace kavir::cli
