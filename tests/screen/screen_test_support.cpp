#include "screen_test_support.h"

#include <atomic>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "profile/file_path.h"

namespace kavir::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const fs::path base = fs::temp_directory_path();
  std::random_device random;
  for (;;) {
    fs::path p = base / ("kavir_screen_" + std::to_string(random()) + "_" +
                         std::to_string(counter++));
    if (fs::create_directory(p)) {
      path_ = Utf8FromPath(p);
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(PathFromUtf8(path_), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(PathFromUtf8(path_), ec);
}

std::string TempDir::File(const std::string& name) const { return JoinPath(path_, name); }

void WriteIni(const std::string& path, const IniContent& content) {
  IniDocument doc;
  for (const auto& [section, entries] : content)
    for (const auto& [key, value] : entries) doc.SetString(section, key, value);
  IoStatus s = WriteIniFile(path, doc);
  ASSERT_TRUE(s.ok) << s.Message();
}

Entries List(const std::vector<std::string>& texts) {
  Entries e;
  for (std::size_t i = 0; i < texts.size(); ++i) e.emplace_back(std::to_string(i + 1), texts[i]);
  return e;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = OpenFile(path, "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

std::string Stored(const std::string& path, const std::string& key) {
  return ReadIniFile(path).Find("Previous", key).value_or("<missing>");
}

ProgramDir::ProgramDir() : files(WorkingFiles::FromDirectory(dir.path())) {
  std::vector<std::string> levels;
  for (int i = 1; i <= 10; ++i) levels.push_back(std::to_string(i));
  const Entries pf = List({"关", "监听", "固定报警键", "扫描"});
  WriteIni(files.kavir_ini, {
                                {"Type", List({"KV16V", "KV16U", "KV16可定义"})},
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
                                {"ComPort", {{"1", "1"}}},
                            });
  const Entries tones = List({"关", "CTCSS:67.0", "CTCSS:88.0", "+DCS:023"});
  WriteIni(files.qtdqt_ini, {
                                {"DeCode", tones},
                                {"Coding", tones},
                                {"BusyLock", List({"禁止", "载波控制"})},
                                {"TxPower", List({"高", "低"})},
                                {"ChannelScans", List({"是", "否"})},
                                {"ClockFreq", List({"1", "2"})},
                                {"ZoneWide", List({"宽带", "窄带"})},
                            });
  Entries model = {{"Type", "KV16U"}, {"Mode", "UHF"},        {"TimerOut", "30S"},
                   {"SquelchLevel", "3"}, {"Beep", "开"},     {"RunControl", "唤醒"},
                   {"ChanMode", "当前信道"}, {"PF1S", "监听"}, {"PF2S", "关"},
                   {"PF3S", "扫描"},   {"BatterySupply", "1"}, {"FreqV", "400"},
                   {"FreqU", "470"}};
  for (int n = 1; n <= 16; ++n) {
    char ch[8];
    std::snprintf(ch, sizeof ch, "CH%02d.", n);
    const std::string p = ch;
    model.emplace_back(p + "RxFreq", "430.12500");
    model.emplace_back(p + "Decode", "CTCSS:67.0");
    model.emplace_back(p + "TxFreq", "440.00000");
    model.emplace_back(p + "Coding", "关");
    model.emplace_back(p + "BusyLock", "禁止");
    model.emplace_back(p + "TxPower", "高");
    model.emplace_back(p + "ChannelScans", "是");
    model.emplace_back(p + "ClockFreq", "1");
    model.emplace_back(p + "ZoneWide", "宽带");
    model.emplace_back("CBR" + std::to_string(n), "1");
    model.emplace_back("CBT" + std::to_string(n), "1");
  }
  WriteIni(files.ModelFile("KV16U"), {{"Previous", model}});
  Entries custom = model;
  for (auto& [k, v] : custom) {
    if (k == "Type") v = "KV16可定义";
    if (k == "FreqV") v = "350";
    if (k == "FreqU") v = "390";
    if (k == "TimerOut") v = "45S";
  }
  WriteIni(files.ModelFile("KV16可定义"), {{"Previous", custom}});
}

std::unique_ptr<CKAVIRView> ProgramDir::Start(FakeUi& ui) const {
  auto view = std::make_unique<CKAVIRView>(files, ui);
  view->OnInitialUpdate(nullptr);
  return view;
}

}  // namespace kavir::test
