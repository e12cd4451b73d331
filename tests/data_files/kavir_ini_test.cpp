// KAVIR.ini against what the screen and the radio image codec need of it.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "profile/gbk.h"
#include "profile/option_list.h"
#include "shipped_data.h"

namespace kavir::data_test {
namespace {

TEST(ShippedFiles, AreGbkWithWindowsLineEnds) {
  const auto files = IniFiles();
  ASSERT_GE(files.size(), 5u) << "KAVIR.ini, QTDQT.ini and three model files expected";
  for (const auto& path : files) {
    SCOPED_TRACE(path);
    const std::string bytes = RawBytes(path);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark: the files are GBK";
    EXPECT_TRUE(GbkToUtf8(bytes).has_value()) << "not valid GBK";
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    std::size_t bare_lf = 0, bare_cr = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bare_lf += bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      bare_cr += bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
    }
    EXPECT_EQ(bare_lf, 0u) << "lines must end with CR LF";
    EXPECT_EQ(bare_cr, 0u) << "lines must end with CR LF";
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "last line ends with CR LF";
  }
}

// Each list is a clean run 1..n: an entry after a gap would be invisible to
// the screen, a text over 19 bytes would be cut, a duplicate could never be
// told apart in the radio, and every option must be the one a load selects.
TEST(SettingLists, AreCompleteRunsOfDistinctSelectableTexts) {
  for (const auto& key : SettingKeys()) {
    SCOPED_TRACE(key);
    const auto list = SettingList(key);
    ASSERT_FALSE(list.empty());
    EXPECT_LE(list.size(), static_cast<std::size_t>(kSettingListLimit));
    const auto keys = Kavir().Keys(key);
    ASSERT_EQ(keys.size(), list.size()) << "entries beyond the end of the list";
    std::set<std::string> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(keys[i], std::to_string(i + 1));
      const auto raw = Kavir().Find(key, std::to_string(i + 1));
      ASSERT_TRUE(raw.has_value());
      EXPECT_LE(GbkLength(*raw), 19u) << *raw;
      EXPECT_EQ(*raw, list[i]) << "text changed by the 19-byte read";
      EXPECT_NE(raw->front(), ' ');
      EXPECT_NE(raw->back(), ' ');
      EXPECT_TRUE(seen.insert(list[i]).second) << "duplicate " << list[i];
      EXPECT_EQ(SelectedIndex(list, list[i]), static_cast<int>(i))
          << "a load of " << list[i] << " would select another option";
    }
  }
}

struct KeyText {
  const char* key;
  const char* text;
};

TEST(SettingLists, HoldTheTextsTheDecoderWritesForFixedSettings) {
  const KeyText fixed[] = {
      {"ChanMode", "固定设置的"}, {"RxStay", "3.0S"},       {"RxRestart", "3.0S"},
      {"TxRestart", "3.0S"},      {"TxChanSel", "当前信道"}, {"RxCH", "当前信道"},
      {"AssignCHSet", "关"},      {"TempDel", "关"},         {"ScanDelAdd", "关"},
      {"ScanSpeed", "快(100ms)"}, {"ScanDirection", "向上"}, {"TuningMode", "关"},
      {"RunControl", "唤醒"}};
  for (const auto& f : fixed) EXPECT_TRUE(Contains(SettingList(f.key), f.text)) << f.key << " " << f.text;
}

TEST(SettingLists, HoldTheDefaultTextsOfLookedUpSettings) {
  const KeyText defaults[] = {
      {"ScanOperation", "无扫描"}, {"ChannelMonitor", "无监听"}, {"ChanSet", "关"},
      {"LookA", "0.5S"},          {"ScanAlert", "关"},          {"SquelchLevel", "1"},
      {"TimerOut", "关"},         {"Prealet", "关"},            {"Alarm", "关"},
      {"Beep", "关"},             {"Voice", "关"},              {"CloneEnable", "禁止"},
      {"PF1S", "关"},             {"PF2S", "关"},               {"PF3S", "固定报警键"}};
  for (const auto& d : defaults) EXPECT_TRUE(Contains(SettingList(d.key), d.text)) << d.key << " " << d.text;
}

// How the radio image holds option index i, and how a read turns the stored
// value back into an entry number (none for the fixed settings).
struct Field {
  const char* key;
  std::function<int(int)> store;
  int max_stored;
  std::function<int(int)> entry;  // empty: the decoder writes a fixed text
};

int TimerEntry(int t) { return (t == 0 || t == 255) ? 1 : (t <= 2 ? 2 : t - 1); }
int WarningEntry(int p) { return p == 0 ? 1 : (p <= 8 ? 2 : p - 8); }

TEST(SettingLists, FitTheirFieldsInTheRadioImage) {
  auto same = [](int i) { return i; };
  auto plus_one = [](int v) { return v + 1; };
  const std::vector<Field> fields = {
      {"ChannelMonitor", same, 3, plus_one},
      {"ScanOperation", same, 2, plus_one},
      {"ChanMode", same, 2, {}},
      {"ChanSet", same, 255, plus_one},
      {"LookA", [](int i) { return i + 5; }, 255, [](int b) { return b - 4; }},
      {"RxStay", [](int i) { return i + 5; }, 255, {}},
      {"RxRestart", plus_one, 255, {}},
      {"TxRestart", plus_one, 255, {}},
      {"RxCH", same, 5, {}},
      {"TxChanSel", same, 5, {}},
      {"AssignCHSet", same, 255, {}},
      {"ScanDirection", same, 1, {}},
      {"ScanSpeed", same, 1, {}},
      {"ScanAlert", same, 1, plus_one},
      {"ScanDelAdd", same, 1, {}},
      {"TempDel", same, 1, {}},
      // stored as a whole byte, read back from its low four bits
      {"SquelchLevel", same, 255, [](int b) { return (b & 0x0F) + 1; }},
      {"TimerOut", [](int i) { return i == 0 ? 0 : i + 2; }, 255, TimerEntry},
      {"Prealet", [](int i) { return i == 0 ? 0 : i + 9; }, 255, WarningEntry},
      {"Voice", same, 3, plus_one},
      {"Beep", same, 1, plus_one},
      {"Alarm", same, 3, plus_one},
      {"RunControl", same, 1, {}},
      {"CloneEnable", same, 3, plus_one},
      {"TuningMode", same, 1, {}},
      {"PF1S", same, 255, plus_one},
      {"PF2S", same, 255, plus_one},
  };
  for (const auto& f : fields) {
    SCOPED_TRACE(f.key);
    const auto list = SettingList(f.key);
    ASSERT_FALSE(list.empty());
    std::set<int> stored_values;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
      const int stored = f.store(i);
      EXPECT_LE(stored, f.max_stored) << "option " << i + 1 << " " << list[static_cast<std::size_t>(i)];
      EXPECT_TRUE(stored_values.insert(stored).second) << "two options share one radio value";
      if (f.entry) {
        EXPECT_EQ(f.entry(stored), i + 1) << "option " << i + 1 << " reads back as another";
      }
    }
  }
}

TEST(ModelLists, ModeRunsParallelToType) {
  const auto types = SettingList("Type");
  const auto modes = SettingList("Mode");
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(modes.size(), types.size()) << "entry n of Mode belongs to model n";
  for (const auto& m : modes) EXPECT_FALSE(m.empty());
}

TEST(ModelLists, NamesAreUsableFileNames) {
  // ASCII letters and digits, plus the characters that mark a user-defined band
  const std::string user_band = "可定义";
  for (const auto& name : SettingList("Type")) {
    SCOPED_TRACE(name);
    std::string rest = name;
    for (std::size_t pos; (pos = rest.find(user_band)) != std::string::npos;) rest.erase(pos, user_band.size());
    ASSERT_FALSE(rest.empty());
    for (char c : rest) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << "character '" << c << "'";
  }
}

TEST(ConfigurationSections, HoldBatteryStartModelPortAndWaits) {
  const IniDocument& k = Kavir();
  EXPECT_EQ(k.Find("BatterySupply", "1").value_or("?"), "0");
  EXPECT_EQ(k.Find("BatterySupply", "2").value_or("?"), "1");
  EXPECT_EQ(k.Keys("BatterySupply").size(), 2u);

  const std::string start_model = k.GetString("PreviousType", "1", "", 20);
  EXPECT_TRUE(Contains(SettingList("Type"), start_model)) << "start-up model " << start_model;

  const int port = k.GetInt("ComPort", "1", -1);
  EXPECT_GE(port, 1);
  EXPECT_LE(port, 4);

  for (const char* key : {"Shk", "Rx", "Tx"}) EXPECT_EQ(k.GetInt("WaitFor", key, -1), 80) << key;
}

}  // namespace
}  // namespace kavir::data_test
