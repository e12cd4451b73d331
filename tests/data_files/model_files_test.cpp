// The model files: one per model of the Type list, each a complete profile
// whose values the screen can select and the radio can hold.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/conversions.h"
#include "profile/gbk.h"
#include "profile/option_list.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "shipped_data.h"

namespace kavir::data_test {
namespace {

struct Model {
  std::string name;
  std::string mode;
  IniDocument doc;
  std::string Get(std::string_view key) const {
    return doc.Find(kProfileSection, key).value_or("<missing>");
  }
};

std::vector<Model> Models() {
  std::vector<Model> out;
  const auto types = SettingList("Type");
  const auto modes = SettingList("Mode");
  for (std::size_t i = 0; i < types.size(); ++i) {
    out.push_back({types[i], i < modes.size() ? modes[i] : "", Load(Files().ModelFile(types[i]))});
  }
  return out;
}

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

TEST(ModelFiles, HoldEveryProfileKeyInClearingOrder) {
  const auto models = Models();
  ASSERT_GE(models.size(), 3u);
  for (const auto& m : models) {
    SCOPED_TRACE(m.name);
    EXPECT_FALSE(RawBytes(Files().ModelFile(m.name)).empty());
    EXPECT_EQ(m.doc.Keys(kProfileSection), ProfileKeys());
    EXPECT_EQ(m.Get("Type"), m.name);
    EXPECT_EQ(m.Get("Mode"), m.mode);
    for (const auto& key : ProfileKeys()) {
      EXPECT_LE(GbkLength(m.Get(key)), 19u) << key;
    }
  }
}

TEST(ModelFiles, SettingValuesAreOptionsALoadSelects) {
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    for (const auto& key : SettingKeys()) {
      const auto list = SettingList(key);
      const std::string value = m.Get(key);
      ASSERT_TRUE(Contains(list, value)) << key << "=" << value;
      EXPECT_EQ(list[static_cast<std::size_t>(SelectedIndex(list, value))], value) << key;
    }
    const std::string battery = m.Get("BatterySupply");
    EXPECT_TRUE(battery == "0" || battery == "1") << battery;
  }
}

TEST(ModelFiles, BandLimitsAreWholeMegahertzOfThreeDigits) {
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    const std::string lo = m.Get("FreqV"), hi = m.Get("FreqU");
    ASSERT_TRUE(AllDigits(lo)) << lo;
    ASSERT_TRUE(AllDigits(hi)) << hi;
    EXPECT_GE(std::stoi(lo), 100);
    EXPECT_LT(std::stoi(lo), std::stoi(hi));
    EXPECT_LE(std::stoi(hi), 999);
    // the read takes the upper limit under its other spelling
    EXPECT_EQ(m.doc.GetString(kProfileSection, "Frequ", "", kBandBuffer), hi);
  }
}

TEST(ModelFiles, ShipVhfUhfAndUserDefinedBands) {
  bool vhf = false, uhf = false, user_defined = false;
  for (const auto& m : Models()) {
    vhf |= m.Get("FreqV") == "136" && m.Get("FreqU") == "174";
    uhf |= m.Get("FreqV") == "400" && m.Get("FreqU") == "470";
    user_defined |= m.name.find("可定义") != std::string::npos;
  }
  EXPECT_TRUE(vhf);
  EXPECT_TRUE(uhf);
  EXPECT_TRUE(user_defined);
}

TEST(ModelFiles, ChannelFrequenciesLieOnTheRasterInsideTheBand) {
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    const std::int64_t lo = std::stoll(m.Get("FreqV")) * 100000;
    const std::int64_t hi = std::stoll(m.Get("FreqU")) * 100000;
    for (int n = 1; n <= kChannelCount; ++n) {
      for (const char* suffix : {"RxFreq", "TxFreq"}) {
        const std::string key = ChannelKey(n, suffix);
        const std::string f = m.Get(key);
        SCOPED_TRACE(key + "=" + f);
        ASSERT_EQ(f.size(), 9u);
        EXPECT_TRUE(AllDigits(f.substr(0, 3)) && f[3] == '.' && AllDigits(f.substr(4)));
        EXPECT_EQ(IsFineRaster(f), 1) << "not on the 6.25 kHz raster";
        EXPECT_GE(FrequencyValue(f), lo);
        EXPECT_LE(FrequencyValue(f), hi);
        const auto bytes = FrequencyBytes(f, true);
        EXPECT_EQ(FrequencyText(bytes.data()), f) << "does not survive the radio";
      }
    }
  }
}

TEST(ModelFiles, ChannelValuesAreOptionsOfTheGridLists) {
  const ChannelLists lists = ReadChannelLists(Qtdqt());
  const std::pair<const char*, const std::vector<std::string>*> columns[] = {
      {"Decode", &lists.decode},         {"Coding", &lists.coding},
      {"BusyLock", &lists.busy_lock},    {"TxPower", &lists.tx_power},
      {"ChannelScans", &lists.channel_scans}, {"ClockFreq", &lists.clock_freq},
      {"ZoneWide", &lists.zone_wide}};
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    for (int n = 1; n <= kChannelCount; ++n) {
      for (const auto& [suffix, list] : columns) {
        const std::string key = ChannelKey(n, suffix);
        EXPECT_TRUE(Contains(*list, m.Get(key))) << key << "=" << m.Get(key);
      }
    }
  }
}

TEST(ModelFiles, ChannelBoxesAreSetAndConsistent) {
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    int receive_on = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
      const std::string ch = m.Get(ChBoxKey(n)), tx = m.Get(TxBoxKey(n));
      EXPECT_TRUE(ch == "0" || ch == "1") << ChBoxKey(n) << "=" << ch;
      EXPECT_TRUE(tx == "0" || tx == "1") << TxBoxKey(n) << "=" << tx;
      // a load clears the TX box of a channel that is off
      if (ch == "0") {
        EXPECT_EQ(tx, "0") << "channel " << n;
      }
      receive_on += ch == "1";
    }
    EXPECT_EQ(receive_on, kChannelCount) << "every shipped channel is switched on";
  }
}

TEST(ModelFiles, ChannelTonesShowOffCtcssAndDcs) {
  for (const auto& m : Models()) {
    SCOPED_TRACE(m.name);
    for (const char* suffix : {"Decode", "Coding"}) {
      bool type_seen[4] = {};
      for (int n = 1; n <= kChannelCount; ++n) {
        const int type = ToneType(m.Get(ChannelKey(n, suffix)));
        if (type >= 0 && type < 4) type_seen[type] = true;
      }
      EXPECT_TRUE(type_seen[0] && type_seen[1] && (type_seen[2] || type_seen[3])) << suffix;
    }
  }
}

// The radio names its model by number; the read must find name, mode and
// band of every shipped model from that number alone.
TEST(ModelFiles, ReadHandshakeFindsEveryModel) {
  const auto models = Models();
  for (std::size_t i = 0; i < models.size(); ++i) {
    SCOPED_TRACE(models[i].name);
    std::uint8_t answer[20] = {'P', 'M', 0, static_cast<std::uint8_t>(i)};
    IniDocument read_ini;
    ASSERT_EQ(EvaluateHandshakeInto(read_ini, answer, sizeof answer, sizeof answer, Files()), 1);
    EXPECT_EQ(read_ini.GetString(kProfileSection, "Type", "", kValueBuffer), models[i].name);
    EXPECT_EQ(read_ini.GetString(kProfileSection, "Mode", "", kValueBuffer), models[i].mode);
    EXPECT_EQ(read_ini.GetString(kProfileSection, "FreqV", "", kBandBuffer), models[i].Get("FreqV"));
    EXPECT_EQ(read_ini.GetString(kProfileSection, "FreqU", "", kBandBuffer), models[i].Get("FreqU"));
  }
}

}  // namespace
}  // namespace kavir::data_test
