#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace kavir::test {
namespace {

class SettingsBlock : public ::testing::Test {
 protected:
  IniDocument Decode(int index, std::vector<std::uint8_t> data) {
    Frame f{};
    for (std::size_t i = 0; i < data.size(); ++i) f[4 + i] = data[i];
    IniDocument read;
    DecodePacket(index, f.data(), read, s.Kavir());
    return read;
  }
  static std::string Get(const IniDocument& d, const char* key) {
    return d.GetString("Previous", key, "<missing>", 20);
  }
  ShippedScreen s;
};

TEST_F(SettingsBlock, ZeroBlockAGivesDefaultsAndFixedTexts) {
  auto d = Decode(34, {});
  EXPECT_EQ(Get(d, "LookA"), "0.5S");  // entry -4 does not exist
  EXPECT_EQ(Get(d, "ChanMode"), "固定设置的");
  EXPECT_EQ(Get(d, "RxStay"), "3.0S");
  EXPECT_EQ(Get(d, "RxRestart"), "3.0S");
  EXPECT_EQ(Get(d, "TxRestart"), "3.0S");
  EXPECT_EQ(Get(d, "TxChanSel"), "当前信道");
  EXPECT_EQ(Get(d, "RxCH"), "当前信道");
  EXPECT_EQ(Get(d, "AssignCHSet"), "关");
  EXPECT_EQ(Get(d, "ScanSpeed"), "快(100ms)");
  EXPECT_EQ(Get(d, "ScanDirection"), "向上");
  EXPECT_EQ(Get(d, "TimerOut"), "关");
  EXPECT_EQ(Get(d, "SquelchLevel"), "1");
  EXPECT_EQ(d.Keys("Previous").size(), 19u);
  EXPECT_EQ(d.Keys("Previous").front(), "ChanMode");
  EXPECT_EQ(d.Keys("Previous").back(), "Prealet");
}

TEST_F(SettingsBlock, TimerAndWarningBytesFollowTheirRules) {
  const auto kavir = s.Kavir();
  const std::string first = kavir.GetString("TimerOut", "1", "", 20);
  const std::string second = kavir.GetString("TimerOut", "2", "", 20);
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}), "TimerOut"), second);
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}), "TimerOut"), second);
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}), "TimerOut"), first);
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}), "TimerOut"),
            kavir.GetString("TimerOut", "4", "", 20));
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}), "Prealet"),
            kavir.GetString("Prealet", "2", "", 20));
  EXPECT_EQ(Get(Decode(34, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11}), "Prealet"),
            kavir.GetString("Prealet", "3", "", 20));
}

TEST_F(SettingsBlock, EncodedTimerAndWarningDecodeToTheSameOption) {
  for (const char* key : {"TimerOut", "Prealet", "LookA", "SquelchLevel", "ChanSet"}) {
    ComboBox* box = s.view->Combo(key);
    ASSERT_NE(box, nullptr);
    for (int i = 0; i < static_cast<int>(box->options.size()); ++i) {
      box->selected = i;
      const Frame f = EncodeSettingsPacket(0, *s.view);
      IniDocument read;
      DecodePacket(34, f.data(), read, s.Kavir());
      EXPECT_EQ(Get(read, key), box->options[i]) << key << " index " << i;
    }
  }
}

TEST_F(SettingsBlock, BatteryBoxFollowsTheRadio) {
  EXPECT_EQ(Get(Decode(36, {0, 0, 0, 0x08}), "BatterySupply"), "1");
  EXPECT_EQ(Get(Decode(36, {0, 0, 0, 0x00}), "BatterySupply"), "0");
  // Without the configuration's BatterySupply list the value is "0" either way.
  IniDocument bare = IniDocument::Parse("[Beep]\r\n1=关\r\n");
  Frame f{};
  f[4 + 3] = 0x08;
  IniDocument read;
  DecodePacket(36, f.data(), read, bare);
  EXPECT_EQ(Get(read, "BatterySupply"), "0");
}

TEST_F(SettingsBlock, BlockBCarriesTheBatteryBoxAndItsFixedTail) {
  s.view->battery.state = 1;
  const Frame f = EncodeSettingsPacket(1, *s.view);
  EXPECT_EQ(Hex(f.data(), 4), "57 01 10 10");
  EXPECT_EQ(f[4 + 3] & 0x08, 0x08);
  EXPECT_EQ(Hex(f.data() + 9, 11), "21 11 FF 00 01 01 1E 00 00 32 32");
}

TEST_F(SettingsBlock, BandBlockHoldsLimitsAndModelAndReadsBackNothing) {
  s.Load("KV16U");
  const Frame f = EncodeSettingsPacket(29, *s.view);
  EXPECT_EQ(Hex(f.data(), 4), "57 02 90 10");
  EXPECT_EQ(Hex(f.data() + 4, 8), "00 5A 62 02 C0 29 CD 02");  // 40 000 000 and 47 000 000
  const int type = s.view->Combo("Type")->selected;
  EXPECT_EQ(f[14], type + 1);
  EXPECT_EQ(f[15], type);
  EXPECT_EQ(Hex(f.data() + 16, 4), "AA 55 55 AA");
  IniDocument read = IniDocument::Parse("[Previous]\r\nType=x\r\n");
  const std::string before = read.Serialize();
  DecodePacket(42, f.data(), read, s.Kavir());
  EXPECT_EQ(read.Serialize(), before);
}

TEST_F(SettingsBlock, IndexesOutsideTheMapWriteNothing) {
  std::vector<std::uint8_t> ones(16, 0xFF);
  for (int index : {0, 1, 33, 35, 37, 39, 40, 42, 60, 94, 96, 200, -2})
    EXPECT_TRUE(Decode(index, ones).Keys("Previous").empty()) << index;
}

TEST_F(SettingsBlock, KeysBlockDecodesBothKeysAndLeavesThirdAlone) {
  const auto kavir = s.Kavir();
  auto d = Decode(38, {0, 0, 0, 0, 1, 0});
  EXPECT_EQ(Get(d, "PF1S"), kavir.GetString("PF1S", "2", "", 20));
  EXPECT_EQ(Get(d, "PF2S"), kavir.GetString("PF2S", "1", "", 20));
  EXPECT_EQ(Get(d, "PF3S"), "<missing>");
}

TEST_F(SettingsBlock, PacketsCarryTheirAddresses) {
  const IniDocument w = s.Stored();
  for (int n = 1; n <= kPacketCount; ++n) {
    const Frame f = EncodePacket(n, w, *s.view);
    const int address = 16 * (n - 1);
    EXPECT_EQ(f[0], 0x57);
    EXPECT_EQ(f[1], address >> 8) << n;
    EXPECT_EQ(f[2], address & 0xFF) << n;
    EXPECT_EQ(f[3], 0x10);
  }
  const Image image = EncodeImage(w, *s.view);
  EXPECT_EQ(Hex(image.data() + 0x2A0, 8), "3D 37 64 F0 08 13 31 10");
  EXPECT_EQ(image[0x2C0], 0x38);
  EXPECT_EQ(Hex(image.data() + 0x2D6, 3), "64 01 00");
  EXPECT_EQ(image[0x130], 0);
}

}  // namespace
}  // namespace kavir::test
