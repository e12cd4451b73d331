#pragma once
// The screen's and the link's requests to the user, answered with widgets
// of the main frame: message boxes, the status line, the progress bar, file
// dialogs and the key settings dialog.
#include <QPair>
#include <QString>

#include "screen/screen_ui.h"

namespace kavir::app {

class CMainFrame;

// "dat Files (*.dat) | *.dat | All Files (*.*) | *.* ||" -> Qt's
// "dat Files (*.dat);;All Files (*.*)".
QString QtFileFilter(const std::string& filter);

class QtScreenUi : public ScreenUi {
 public:
  explicit QtScreenUi(CMainFrame& frame) : frame_(frame) {}

  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool Ask(const std::string& text, const std::string& caption, const Answers& answers) override;
  void ShowError(const std::string& text, const std::string& caption) override;
  void SetStatusText(const std::string& text) override;
  void Beep(int frequency_hz, int duration_ms) override;
  void BeginProgress(const std::string& text, short range, short position) override;
  void EndProgress() override;
  std::string GetOpenFileName(const FileDialogParams& params) override;
  std::string GetSaveFileName(const FileDialogParams& params) override;
  void Repaint() override;
  void SetCursor(Cursor cursor) override;
  void Pause(int milliseconds) override;
  bool RunKeySettings(CKeySettingsDlg& dialog) override;
  SaveChoice AskSaveChanges(const std::string& text, const std::string& caption) override;

  int beep_count() const { return beep_count_; }

 private:
  std::string RunFileDialog(const FileDialogParams& params, bool save);

  CMainFrame& frame_;
  QString last_status_;
  bool wait_cursor_ = false;
  int beep_count_ = 0;
};

}  // namespace kavir::app
