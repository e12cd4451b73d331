#pragma once
// Shared test support: temporary folders, file bytes, INI helpers, a user
// interface that records every call, and program folders to start a screen in.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "profile/file_path.h"
#include "profile/ini_document.h"
#include "profile/option_list.h"
#include "profile/working_files.h"
#include "screen/kavir_view.h"
#include "setup/setting_catalogue.h"

#if !defined(KAVIR_DATA_DIR) && defined(KAVIR_TEST_DATA_DIR)
#define KAVIR_DATA_DIR KAVIR_TEST_DATA_DIR
#endif

namespace kavir::test {

// A path as text that also converts to a filesystem path.
struct PathText : std::string {
  using std::string::string;
  PathText(std::string s) : std::string(std::move(s)) {}
  const std::string& string() const { return *this; }
  operator std::filesystem::path() const { return PathFromUtf8(*this); }
};

// A fresh folder under the system temp folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const PathText& path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  PathText path_;
};

std::string ReadBytes(const std::string& path);  // "" when missing
void WriteBytes(const std::string& path, const std::string& bytes);
std::string Hex(const std::uint8_t* bytes, std::size_t count);

using Entries = std::vector<std::pair<std::string, std::string>>;
using IniContent = std::vector<std::pair<std::string, Entries>>;  // sections in order
// Writes an INI file through the profile layer (GBK on disk).
void WriteIni(const std::string& path, const IniContent& content);
Entries List(const std::vector<std::string>& texts);  // entries "1".."n"
// Section Previous, key, of a file ("<missing>" when absent).
std::string Stored(const std::string& path, const std::string& key);

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

// A program folder with KAVIR.ini, QTDQT.ini and model files KV16U and
// KV16可定义 written for the tests (band 400..470, every box set).
struct ProgramDir {
  TempDir dir;
  WorkingFiles files;
  ProgramDir();
  std::unique_ptr<CKAVIRView> Start(FakeUi& ui) const;  // as at start-up, no port
};

// Copies of the shipped data files in a fresh folder.
struct ShippedDir {
  TempDir dir;
  WorkingFiles files;
  ShippedDir();
  std::string path() const { return dir.path(); }
  std::vector<std::string> Models() const;  // the Type list of KAVIR.ini
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

inline TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  for (;;) {
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("kavir-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(p)) {
      path_ = Utf8FromPath(p);
      break;
    }
  }
}

inline TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(PathFromUtf8(path_), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(PathFromUtf8(path_), ec);
}

inline std::string TempDir::File(const std::string& name) const { return JoinPath(path_, name); }

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = OpenFile(path, "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  if (std::FILE* f = OpenFile(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

inline std::string Hex(const std::uint8_t* bytes, std::size_t count) {
  std::string s;
  char buf[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
    s += buf;
  }
  return s;
}

inline void WriteIni(const std::string& path, const IniContent& content) {
  IniDocument doc;
  for (const auto& [section, entries] : content)
    for (const auto& [key, value] : entries) doc.SetString(section, key, value);
  IoStatus s = WriteIniFile(path, doc);
  ASSERT_TRUE(s.ok) << s.Message();
}

inline Entries List(const std::vector<std::string>& texts) {
  Entries e;
  for (std::size_t i = 0; i < texts.size(); ++i) e.emplace_back(std::to_string(i + 1), texts[i]);
  return e;
}

inline std::string Stored(const std::string& path, const std::string& key) {
  return ReadIniFile(path).Find("Previous", key).value_or("<missing>");
}

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

inline ProgramDir::ProgramDir() : files(WorkingFiles::FromDirectory(dir.path())) {
  std::vector<std::string> levels;
  for (int i = 1; i <= 10; ++i) levels.push_back(std::to_string(i));
  const Entries pf = List({"关", "监听", "固定报警键", "扫描"});
  WriteIni(files.kavir_ini, {{"Type", List({"KV16V", "KV16U", "KV16可定义"})},
                             {"Mode", List({"VHF", "UHF"})},
                             {"TimerOut", List({"关", "15S", "30S", "45S"})},
                             {"SquelchLevel", List(levels)},
                             {"Beep", List({"关", "开"})},
                             {"RunControl", List({"唤醒", "睡眠"})},
                             {"ChanMode", List({"当前信道", "固定设置的"})},
                             {"PF1S", pf},
                             {"PF2S", pf},
                             {"PF3S", pf},
                             {"PreviousType", {{"1", "KV16U"}}},
                             {"ComPort", {{"1", "1"}}}});
  const Entries tones = List({"关", "CTCSS:67.0", "CTCSS:88.0", "+DCS:023"});
  WriteIni(files.qtdqt_ini, {{"DeCode", tones},
                             {"Coding", tones},
                             {"BusyLock", List({"禁止", "载波控制"})},
                             {"TxPower", List({"高", "低"})},
                             {"ChannelScans", List({"是", "否"})},
                             {"ClockFreq", List({"1", "2"})},
                             {"ZoneWide", List({"宽带", "窄带"})}});
  Entries model = {{"Type", "KV16U"}, {"Mode", "UHF"},        {"TimerOut", "30S"},      {"SquelchLevel", "3"},
                   {"Beep", "开"},    {"RunControl", "唤醒"}, {"ChanMode", "当前信道"}, {"PF1S", "监听"},
                   {"PF2S", "关"},    {"PF3S", "扫描"},       {"BatterySupply", "1"},   {"FreqV", "400"},
                   {"FreqU", "470"}};
  const char* cells[][2] = {{"RxFreq", "430.12500"}, {"Decode", "CTCSS:67.0"}, {"TxFreq", "440.00000"},
                            {"Coding", "关"},        {"BusyLock", "禁止"},     {"TxPower", "高"},
                            {"ChannelScans", "是"},  {"ClockFreq", "1"},       {"ZoneWide", "宽带"}};
  for (int n = 1; n <= 16; ++n) {
    char ch[8];
    std::snprintf(ch, sizeof ch, "CH%02d.", n);
    for (const auto& c : cells) model.emplace_back(ch + std::string(c[0]), c[1]);
    model.emplace_back("CBR" + std::to_string(n), "1");
    model.emplace_back("CBT" + std::to_string(n), "1");
  }
  WriteIni(files.ModelFile("KV16U"), {{"Previous", model}});
  for (auto& [k, v] : model) {
    if (k == "Type") v = "KV16可定义";
    if (k == "FreqV") v = "350";
    if (k == "FreqU") v = "390";
    if (k == "TimerOut") v = "45S";
  }
  WriteIni(files.ModelFile("KV16可定义"), {{"Previous", model}});
}

inline std::unique_ptr<CKAVIRView> ProgramDir::Start(FakeUi& ui) const {
  auto view = std::make_unique<CKAVIRView>(files, ui);
  view->OnInitialUpdate(nullptr);
  return view;
}

inline ShippedDir::ShippedDir() : files(WorkingFiles::FromDirectory(dir.path())) {
  for (const auto& e : std::filesystem::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) std::filesystem::copy_file(e.path(), PathFromUtf8(dir.path()) / e.path().filename());
}

inline std::vector<std::string> ShippedDir::Models() const {
  return ReadOptionList(ReadIniFile(files.kavir_ini), "Type", kSettingListLimit);
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
