#pragma once
// A ScreenUi that records every call, and a program folder written for a test.
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "profile/ini_document.h"
#include "profile/working_files.h"
#include "screen/kavir_view.h"

namespace kavir::test {

struct FakeUi : ScreenUi {
  struct Prompt {
    std::string text, caption;
  };
  std::vector<Prompt> prompts;
  std::deque<bool> answers;  // next Yes/No answers; No when empty
  std::vector<std::string> errors;
  std::vector<std::string> status;
  std::vector<std::pair<int, int>> beeps;
  std::vector<std::string> progress;  // "begin:<text>:<range>:<pos>" and "end"
  std::vector<FileDialogParams> dialogs;
  std::string open_path, save_path;
  std::vector<int> pauses;
  int repaints = 0;
  std::function<bool(CKeySettingsDlg&)> key_settings;  // nullptr: Cancel
  std::vector<std::string> key_settings_model_names;

  bool AskYesNo(const std::string& text, const std::string& caption) override {
    prompts.push_back({text, caption});
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowError(const std::string& text, const std::string&) override { errors.push_back(text); }
  void SetStatusText(const std::string& text) override { status.push_back(text); }
  void Beep(int f, int d) override { beeps.emplace_back(f, d); }
  void BeginProgress(const std::string& text, short range, short pos) override {
    progress.push_back("begin:" + text + ":" + std::to_string(range) + ":" + std::to_string(pos));
  }
  void EndProgress() override { progress.push_back("end"); }
  std::string GetOpenFileName(const FileDialogParams& p) override {
    dialogs.push_back(p);
    return open_path;
  }
  std::string GetSaveFileName(const FileDialogParams& p) override {
    dialogs.push_back(p);
    return save_path;
  }
  void Repaint() override { ++repaints; }
  void SetCursor(Cursor) override {}
  void Pause(int ms) override { pauses.push_back(ms); }
  bool RunKeySettings(CKeySettingsDlg& dialog) override {
    key_settings_model_names.push_back(dialog.model_name());
    return key_settings ? key_settings(dialog) : false;
  }
};

using Entries = std::vector<std::pair<std::string, std::string>>;
// section -> entries in order
using IniContent = std::vector<std::pair<std::string, Entries>>;

// A fresh folder under the system temp folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes an INI file through the profile layer (GBK on disk).
void WriteIni(const std::string& path, const IniContent& content);
// Entries "1".."n" from a list of texts.
Entries List(const std::vector<std::string>& texts);
// The raw bytes of a file ("" when missing).
std::string ReadBytes(const std::string& path);

// A program folder with KAVIR.ini, QTDQT.ini and model files KV16U and
// KV16可定义, made for these tests.
struct ProgramDir {
  TempDir dir;
  WorkingFiles files;
  ProgramDir();
  // A view set up as at start-up (no port).
  std::unique_ptr<CKAVIRView> Start(FakeUi& ui) const;
};

// Value of section Previous, key, of a file ("<missing>" when absent).
std::string Stored(const std::string& path, const std::string& key);

}  // namespace kavir::test
