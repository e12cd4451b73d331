#pragma once
// Test support for the screen and what uses it: a user interface that records
// every call, and program folders to start a screen in.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "program_files.h"
#include "screen/kavir_view.h"
#include "setup/setting_catalogue.h"

namespace kavir::test {

// Records every call; Yes/No answers come from `answers` (No when empty).
struct FakeUi : ScreenUi {
  struct Prompt {
    std::string text, caption;
    std::int64_t at_ms = 0;
  };
  std::function<std::int64_t()> now;  // time stamp for prompts
  std::vector<std::string> events;    // every call, in order
  std::vector<Prompt> prompts;
  std::deque<bool> answers;
  std::function<void(const std::string&)> on_prompt;
  std::vector<std::string> errors, status, progress;  // progress: "begin:<text>:<range>:<pos>", "end"
  std::vector<std::pair<int, int>> beeps;
  std::vector<FileDialogParams> dialogs;
  std::string open_path, save_path;
  std::vector<int> pauses;
  std::vector<Cursor> cursors;
  int repaints = 0;
  std::function<bool(CKeySettingsDlg&)> key_settings;  // nullptr: Cancel
  std::vector<std::string> key_settings_model_names;

  bool AskYesNo(const std::string& text, const std::string& caption) override;
  void ShowError(const std::string& text, const std::string&) override;
  void SetStatusText(const std::string& text) override;
  void Beep(int f, int d) override { beeps.emplace_back(f, d); }
  void BeginProgress(const std::string& text, short range, short pos) override;
  void EndProgress() override;
  std::string GetOpenFileName(const FileDialogParams& p) override;
  std::string GetSaveFileName(const FileDialogParams& p) override;
  void Repaint() override;
  void SetCursor(Cursor c) override { cursors.push_back(c); }
  void Pause(int ms) override { pauses.push_back(ms); }
  bool RunKeySettings(CKeySettingsDlg& dialog) override;
};

// The program folder of ProgramFiles, with a screen to start on it.
struct ProgramDir : ProgramFiles {
  std::unique_ptr<CKAVIRView> Start(FakeUi& ui) const;  // as at start-up, no port
};

// The shipped data with a screen started on it.
struct ShippedScreen : ShippedDir {
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view;
  ShippedScreen();
  void Load(const std::string& model_name);
  IniDocument Stored() const;  // what a store would write
  IniDocument Kavir() const;
  void SetChannel(int n, const std::vector<std::string>& cells);  // columns 1..9
};

inline bool FakeUi::AskYesNo(const std::string& text, const std::string& caption) {
  prompts.push_back({text, caption, now ? now() : 0});
  events.push_back("ask:" + text);
  if (on_prompt) on_prompt(text);
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}
inline void FakeUi::ShowError(const std::string& text, const std::string&) {
  errors.push_back(text);
  events.push_back("error:" + text);
}
inline void FakeUi::SetStatusText(const std::string& text) {
  status.push_back(text);
  events.push_back("status:" + text);
}
inline void FakeUi::BeginProgress(const std::string& text, short range, short pos) {
  progress.push_back("begin:" + text + ":" + std::to_string(range) + ":" + std::to_string(pos));
  events.push_back(progress.back());
}
inline void FakeUi::EndProgress() {
  progress.push_back("end");
  events.push_back("end");
}
inline std::string FakeUi::GetOpenFileName(const FileDialogParams& p) {
  dialogs.push_back(p);
  return open_path;
}
inline std::string FakeUi::GetSaveFileName(const FileDialogParams& p) {
  dialogs.push_back(p);
  return save_path;
}
inline void FakeUi::Repaint() {
  ++repaints;
  events.push_back("repaint");
}
inline bool FakeUi::RunKeySettings(CKeySettingsDlg& dialog) {
  key_settings_model_names.push_back(dialog.model_name());
  return key_settings ? key_settings(dialog) : false;
}

inline std::unique_ptr<CKAVIRView> ProgramDir::Start(FakeUi& ui) const {
  auto view = std::make_unique<CKAVIRView>(files, ui);
  view->OnInitialUpdate(nullptr);
  return view;
}

inline ShippedScreen::ShippedScreen() {
  view = std::make_unique<CKAVIRView>(files, ui);
  view->OnInitialUpdate(nullptr);
}

inline void ShippedScreen::Load(const std::string& model_name) { view->LoadProfile(files.ModelFile(model_name)); }

inline IniDocument ShippedScreen::Stored() const {
  IniDocument doc;
  view->StoreInto(doc);
  return doc;
}

inline IniDocument ShippedScreen::Kavir() const { return ReadIniFile(files.kavir_ini); }

inline void ShippedScreen::SetChannel(int n, const std::vector<std::string>& cells) {
  view->Edit([&](Setup& s) {
    for (int c = 1; c <= 9 && c <= static_cast<int>(cells.size()); ++c) s.channel(n).fields[c - 1] = cells[c - 1];
  });
}

// Edits of the set-up on show, each one undoable step as the user's would be.
inline void SetCell(CKAVIRView& view, int n, int col, const std::string& text) {
  view.Edit([&](Setup& s) { s.channel(n).fields[col - 1] = text; });
}
inline void SetBoxes(CKAVIRView& view, int n, bool ch, bool tx) {
  view.Edit([&](Setup& s) { s.channel(n).enabled = ch, s.channel(n).tx_enabled = tx; });
}
// Selects option `index` (-1: none) of the drop-down with this key, without
// the questions a model change asks.
inline void Select(CKAVIRView& view, std::string_view key, int index) {
  view.Edit([&](Setup& s) { s[*FindSetting(key)].index = index; });
}

}  // namespace kavir::test
