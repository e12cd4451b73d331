#include "shipped_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "profile/option_list.h"

namespace fs = std::filesystem;

namespace kavir::data_test {
namespace {

// Removes the copy when the test program ends.
struct TempCopy {
  fs::path dir;
  WorkingFiles files;
  TempCopy() {
    std::mt19937_64 rng(std::random_device{}() ^
                        static_cast<unsigned long long>(
                            std::chrono::steady_clock::now().time_since_epoch().count()));
    do {
      dir = fs::temp_directory_path() / ("kavir-data-" + std::to_string(rng() % 100000000));
    } while (fs::exists(dir));
    fs::create_directories(dir);
    for (const auto& entry : fs::directory_iterator(fs::u8path(KAVIR_DATA_DIR))) {
      if (entry.is_regular_file()) fs::copy_file(entry.path(), dir / entry.path().filename());
    }
    auto u8 = dir.u8string();
    files = WorkingFiles::FromDirectory(std::string(u8.begin(), u8.end()));
  }
  ~TempCopy() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

TempCopy& Copy() {
  static TempCopy copy;
  return copy;
}

}  // namespace

const WorkingFiles& Files() { return Copy().files; }

std::string RawBytes(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

IniDocument Load(const std::string& path) {
  IoStatus status;
  IniDocument doc = ReadIniFile(path, &status);
  EXPECT_TRUE(status.ok) << status.Message();
  return doc;
}

const IniDocument& Kavir() {
  static const IniDocument doc = Load(Files().kavir_ini);
  return doc;
}

const IniDocument& Qtdqt() {
  static const IniDocument doc = Load(Files().qtdqt_ini);
  return doc;
}

std::vector<std::string> IniFiles() {
  std::vector<std::string> out;
  for (const auto& entry : fs::directory_iterator(Copy().dir)) {
    if (entry.path().extension() == ".ini") {
      auto u8 = entry.path().u8string();
      out.emplace_back(u8.begin(), u8.end());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> SettingList(std::string_view key) {
  return ReadOptionList(Kavir(), key, kSettingListLimit);
}

bool Contains(const std::vector<std::string>& list, std::string_view text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

int SelectedIndex(const std::vector<std::string>& list, std::string_view stored) {
  if (stored.empty() || list.empty()) return -1;
  auto begins_with = [&](const std::string& option) {
    if (option.size() < stored.size()) return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(option[i])) !=
          std::tolower(static_cast<unsigned char>(stored[i])))
        return false;
    }
    return true;
  };
  const int n = static_cast<int>(list.size());
  for (int step = 1; step <= n; ++step) {
    const int i = step % n;
    if (begins_with(list[static_cast<std::size_t>(i)])) return i;
  }
  return -1;
}

const std::vector<std::string>& SettingKeys() {
  static const std::vector<std::string> keys = {
      "Type",       "Mode",          "TimerOut",   "Prealet",   "ChannelMonitor",
      "SquelchLevel", "Beep",        "Voice",      "Alarm",     "RunControl",
      "CloneEnable", "TuningMode",   "TxChanSel",  "ScanDirection", "ScanAlert",
      "ScanDelAdd", "TempDel",       "RxRestart",  "TxRestart", "RxCH",
      "AssignCHSet", "ScanSpeed",    "ScanOperation", "ChanMode", "ChanSet",
      "LookA",      "RxStay",        "PF1S",       "PF2S",      "PF3S"};
  return keys;
}

}  // namespace kavir::data_test
