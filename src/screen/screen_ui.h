#pragma once
// What the screen and the radio transactions ask of the user interface. The
// desktop program implements it with widgets, the command line with a
// terminal, the tests with a fake that records every call.
#include <string>
#include <vector>

#include "ini/translate.h"
#include "key_settings.h"
#include "setup/program_config.h"

namespace kavir {

struct FileDialogParams {
  std::string initial_name = "*.dat";
  std::string default_extension = "dat";
  std::string filter = TrText("Screen", "dat 文件 (*.dat) | *.dat | 所有文件 (*.*) | *.* ||");
  bool hide_read_only = true;
  bool confirm_overwrite = true;
};

// Opening anything the screen can show: a profile or a radio image.
inline FileDialogParams SetupOrImageDialog() {
  FileDialogParams p;
  p.filter = TrText("Screen",
                    "数据文件和镜像 (*.dat *.img *.bin) | *.dat;*.img;*.bin | dat 文件 (*.dat) | *.dat | "
                    "镜像文件 (*.img *.bin) | *.img;*.bin | 所有文件 (*.*) | *.* ||");
  return p;
}

enum class SaveChoice { Save, Discard, Cancel };

enum class Cursor { Normal, Wait, SizeNWSE, SizeNS, SizeNESW, SizeWE, AppStarting };

// Opens the serial port at set-up; the link fills it in.
class PortStarter {
 public:
  virtual ~PortStarter() = default;
  virtual void OpenStartupPort(const ProgramConfig& config) = 0;
};

class ScreenUi {
 public:
  virtual ~ScreenUi() = default;

  // Modal Yes/No message box; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // The same with the answers' own words on the buttons ("重试" / "返回");
  // when Yes would do harm, No is what Enter gives.
  struct Answers {
    std::string yes, no;
    bool yes_is_default = true;
  };
  virtual bool Ask(const std::string& text, const std::string& caption, const Answers& answers) {
    (void)answers;
    return AskYesNo(text, caption);
  }
  // A message the user must see (errors the core reports), with an OK button.
  virtual void ShowError(const std::string& text, const std::string& caption) = 0;
  // The same for what went through but needs a look (a file opened with
  // doubtful values); a command line says it without failing.
  virtual void ShowWarning(const std::string& text, const std::string& caption) { ShowError(text, caption); }
  // Status-bar message line; the text is shown after 14 blanks.
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void Beep(int frequency_hz, int duration_ms) = 0;
  virtual void BeginProgress(const std::string& text, short range, short position) = 0;
  virtual void EndProgress() = 0;
  // File dialogs: the chosen full path, or "" when cancelled.
  virtual std::string GetOpenFileName(const FileDialogParams& params) = 0;
  virtual std::string GetSaveFileName(const FileDialogParams& params) = 0;
  // The screen changed (values, colours, page): repaint what shows it.
  virtual void Repaint() = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // Waits the given time while the window stays painted (Open and Save As).
  virtual void Pause(int milliseconds) = 0;
  // Runs the key settings dialog modally; true when closed with OK. Without
  // a dialog the answer is Cancel, which changes nothing.
  virtual bool RunKeySettings(CKeySettingsDlg& dialog) {
    (void)dialog;
    return false;
  }
  // Unsaved changes are about to be replaced: 保存 / 不保存 / 取消. A user
  // interface that cannot ask goes on as it always did.
  virtual SaveChoice AskSaveChanges(const std::string& text, const std::string& caption) {
    (void)text;
    (void)caption;
    return SaveChoice::Discard;
  }
};

// A user interface with no window: every prompt is answered No, errors are
// kept in order, everything else does nothing. Programs without a screen
// derive from it and override what they need.
class HeadlessUi : public ScreenUi {
 public:
  std::vector<std::string> errors;

  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void ShowError(const std::string& text, const std::string&) override { errors.push_back(text); }
  void SetStatusText(const std::string&) override {}
  void Beep(int, int) override {}
  void BeginProgress(const std::string&, short, short) override {}
  void EndProgress() override {}
  std::string GetOpenFileName(const FileDialogParams&) override { return {}; }
  std::string GetSaveFileName(const FileDialogParams&) override { return {}; }
  void Repaint() override {}
  void SetCursor(Cursor) override {}
  void Pause(int) override {}
};

}  // namespace kavir
