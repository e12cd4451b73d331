#pragma once
// A program folder, a recording user interface, and the in-process radio
// wired to a link and a screen, for the link tests.
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "link/serial_link.h"
#include "profile/file_path.h"
#include "profile/ini_document.h"
#include "profile/working_files.h"
#include "screen/kavir_view.h"
#include "sim/virtual_radio.h"

namespace kavir::test {

namespace fs = std::filesystem;

// A fresh folder holding copies of the shipped data files; removed after.
class ProgramFolder {
 public:
  ProgramFolder() {
    std::mt19937_64 rng(std::random_device{}());
    dir_ = fs::temp_directory_path() / ("kavir-link-" + std::to_string(rng()));
    fs::create_directories(dir_);
    for (const auto& e : fs::directory_iterator(KAVIR_TEST_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), dir_ / e.path().filename());
  }
  ~ProgramFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string path() const { return Utf8FromPath(dir_); }
  WorkingFiles files() const { return WorkingFiles::FromDirectory(path()); }

 private:
  fs::path dir_;
};

struct RecordingUi : ScreenUi {
  sim::VirtualClock* clock = nullptr;
  std::vector<std::string> events;  // every call, in order
  struct Prompt {
    std::string text, caption;
    std::int64_t at_ms;
  };
  std::vector<Prompt> prompts;
  std::deque<bool> answers;  // No when empty
  std::function<void(const std::string& text)> on_prompt;
  std::vector<std::string> errors;
  std::vector<std::string> status;
  std::vector<Cursor> cursors;

  bool AskYesNo(const std::string& text, const std::string& caption) override {
    prompts.push_back({text, caption, clock ? clock->NowMs() : 0});
    events.push_back("ask:" + text);
    if (on_prompt) on_prompt(text);
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowError(const std::string& text, const std::string&) override {
    errors.push_back(text);
    events.push_back("error:" + text);
  }
  void SetStatusText(const std::string& text) override {
    status.push_back(text);
    events.push_back("status:" + text);
  }
  void Beep(int, int) override {}
  void BeginProgress(const std::string& text, short range, short pos) override {
    events.push_back("begin:" + text + ":" + std::to_string(range) + ":" + std::to_string(pos));
  }
  void EndProgress() override { events.push_back("end"); }
  std::string GetOpenFileName(const FileDialogParams&) override { return {}; }
  std::string GetSaveFileName(const FileDialogParams&) override { return {}; }
  void Repaint() override { events.push_back("repaint"); }
  void SetCursor(Cursor c) override { cursors.push_back(c); }
  void Pause(int) override {}
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(const char* text, int last = -1) {
  Bytes b(text, text + std::char_traits<char>::length(text));
  if (last >= 0) b.push_back(static_cast<std::uint8_t>(last));
  return b;
}

// Screen, link and radio on one virtual clock. The radio holds the image a
// write of the screen's start-up profile would send, so a read brings the
// shipped model file's settings back.
struct Rig {
  ProgramFolder folder;
  WorkingFiles files = folder.files();
  sim::VirtualClock clock;
  RecordingUi ui;
  sim::VirtualRadio radio{clock, sim::RadioImage{}, 1};
  SerialLink link{radio, clock, ui, files};
  CKAVIRView view{files, ui};
  std::vector<ThreadPriority> priorities;

  Rig() {
    ui.clock = &clock;
    link.set_priority = [this](ThreadPriority p) { priorities.push_back(p); };
    view.OnInitialUpdate(&link);
    radio.radio().set_image(ScreenImage());
  }

  // The image a write of the screen as it stands would send.
  sim::RadioImage ScreenImage() {
    std::string path = JoinPath(folder.path(), "screen-image.ini");
    view.ClearAndStoreProfile(path);
    Image image = EncodeImage(ReadIniFile(path), view);
    sim::RadioImage out;
    std::copy(image.begin(), image.end(), out.begin());
    return out;
  }

  // Frames the program sent, as byte strings.
  std::vector<Bytes> Sent() const {
    std::vector<Bytes> out;
    for (const auto& f : radio.sent()) out.push_back(f.bytes);
    return out;
  }
  std::string ReadIniValue(const std::string& key) const {
    return ReadIniFile(files.read_ini).GetString("Previous", key, "<missing>", 260);
  }
};

}  // namespace kavir::test
