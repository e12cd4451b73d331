#pragma once
// Test support from the set-up up: program folders with KAVIR.ini, QTDQT.ini
// and model files, written for the tests or copied from the shipped data.
#include <filesystem>
#include <string>
#include <vector>

#include "files.h"
#include "setup/option_lists.h"
#include "setup/working_files.h"

#if !defined(KAVIR_DATA_DIR) && defined(KAVIR_TEST_DATA_DIR)
#define KAVIR_DATA_DIR KAVIR_TEST_DATA_DIR
#endif

namespace kavir::test {

// A program folder with KAVIR.ini, QTDQT.ini and model files KV16U and
// KV16可定义 written for the tests (band 400..470, every box set).
struct ProgramFiles {
  TempDir dir;
  WorkingFiles files;
  ProgramFiles();
};

// Copies of the shipped data files in a fresh folder.
struct ShippedDir {
  TempDir dir;
  WorkingFiles files;
  ShippedDir();
  std::string path() const { return dir.path(); }
  std::vector<std::string> Models() const;  // the Type list of KAVIR.ini
};

inline ProgramFiles::ProgramFiles() : files(WorkingFiles::FromDirectory(dir.path())) {
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

inline ShippedDir::ShippedDir() : files(WorkingFiles::FromDirectory(dir.path())) {
  for (const auto& e : std::filesystem::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) std::filesystem::copy_file(e.path(), PathFromUtf8(dir.path()) / e.path().filename());
}

inline std::vector<std::string> ShippedDir::Models() const {
  return ReadOptionList(ReadIniFile(files.kavir_ini), "Type", kSettingListLimit);
}

}  // namespace kavir::test
