#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "profile/profile_keys.h"

namespace kavir::test {
namespace {

class ChannelRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Load("KV16V");  // 136 to 174 MHz
    s.view->ch_box[0].state = 1;
    s.view->tx_box[0].state = 1;
  }
  Frame Encode(int g = 0) { return EncodeChannelPacket(g, s.Stored(), *s.view); }
  ShippedScreen s;
};

TEST_F(ChannelRecord, WholeFrameOfAFullyDescribedChannel) {
  s.SetChannel(1, {"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制", "高", "是", "否", "宽"});
  EXPECT_EQ(Hex(Encode().data(), kFrameSize),
            "57 00 00 10 00 55 0C 9E 12 00 55 0C 13 20 01 2C 00 88 08 00");
}

TEST_F(ChannelRecord, BoxesSetTheFlagBitsAndSubBandsFollowTheBand) {
  s.view->ch_box[0].state = 0;
  s.view->tx_box[0].state = 0;
  s.SetChannel(1, {"155.00000", "关", "164.50000", "关", "禁止", "低", "否", "是", "窄"});
  const Frame f = Encode();
  EXPECT_EQ(Hex(f.data() + 4, 3), "E0 60 04");
  EXPECT_EQ(Hex(f.data() + 9, 3), "D0 66 04");
  EXPECT_EQ(f[14], 1 * 64 + 2 * 16 + 2);  // sub-bands 1 and 2, clock shift on
  EXPECT_EQ(f[15], 0);                    // busy lock off, low power, no scan
}

TEST_F(ChannelRecord, OtherTextsCountAsTheirDefaultCase) {
  s.SetChannel(1, {"136.00000", "关", "136.00000", "关", "??", "中", "也许", "不", "中"});
  const Frame f = Encode();
  EXPECT_EQ(f[14] & 0x03, 0);   // clock shift off, narrow
  EXPECT_EQ(f[15], 0x3C);       // tone busy lock, high power, scanning
}

TEST_F(ChannelRecord, ToneOffGivesZeroToneBytes) {
  s.view->tx_box[0].state = 0;
  s.SetChannel(1, {"136.00000", "关", "136.00000", "关", "禁止", "高", "是", "否", "宽"});
  EXPECT_EQ(Hex(Encode().data() + 4, 5), "00 55 0C 00 00");
}

TEST_F(ChannelRecord, EncodedRecordDecodesToTheSameTexts) {
  const std::vector<std::string> cells = {"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制",
                                          "高", "是", "否", "宽"};
  s.SetChannel(1, cells);
  IniDocument read;
  DecodePacket(2, Encode().data(), read, s.Kavir());
  const char* suffixes[] = {"RxFreq", "Decode", "TxFreq", "Coding", "BusyLock",
                            "TxPower", "ChannelScans", "ClockFreq", "ZoneWide"};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(read.GetString("Previous", ChannelKey(1, suffixes[i]), "", 20), cells[i]) << suffixes[i];
  EXPECT_EQ(read.GetString("Previous", "CBR1", "", 20), "1");
  EXPECT_EQ(read.GetString("Previous", "CBT1", "", 20), "1");
}

TEST_F(ChannelRecord, BusyLockValueOneReadsAsToneControl) {
  Frame f{};
  f[4 + 11] = 0x10;
  IniDocument read;
  DecodePacket(2, f.data(), read, s.Kavir());
  EXPECT_EQ(read.GetString("Previous", "CH01.BusyLock", "", 20), "CTC/DCS控制");
}

TEST_F(ChannelRecord, AllZeroRecordDecodesToOffTexts) {
  IniDocument read;
  Frame f{};
  DecodePacket(2, f.data(), read, s.Kavir());
  auto get = [&](const std::string& k) { return read.GetString("Previous", k, "<missing>", 20); };
  EXPECT_EQ(get("CH01.RxFreq"), "000000000");
  EXPECT_EQ(get("CH01.TxFreq"), "000000000");
  EXPECT_EQ(get("CH01.Decode"), "关");
  EXPECT_EQ(get("CH01.Coding"), "关");
  EXPECT_EQ(get("CBR1"), "0");
  EXPECT_EQ(get("CBT1"), "0");
  EXPECT_EQ(get("CH01.ClockFreq"), "否");
  EXPECT_EQ(get("CH01.ZoneWide"), "窄");
  EXPECT_EQ(get("CH01.BusyLock"), "禁止");
  EXPECT_EQ(get("CH01.TxPower"), "低");
  EXPECT_EQ(get("CH01.ChannelScans"), "否");
  EXPECT_EQ(read.Keys("Previous").size(), 11u);
}

TEST_F(ChannelRecord, DecodeIndexPicksTheChannel) {
  IniDocument read;
  Frame f = EncodeChannelPacket(0, s.Stored(), *s.view);
  DecodePacket(2 * 16, f.data(), read, s.Kavir());
  EXPECT_TRUE(read.Find("Previous", "CH16.RxFreq").has_value());
  EXPECT_FALSE(read.Find("Previous", "CH01.RxFreq").has_value());
}

TEST_F(ChannelRecord, OffRasterFrequencyOnTheCoarseRasterReadsBackUnchanged) {
  s.SetChannel(1, {"136.00250", "关", "173.99750", "关", "禁止", "高", "是", "否", "宽"});
  const Frame f = Encode();
  EXPECT_EQ(f[6] & 0x04, 0);  // coarse raster flag
  IniDocument read;
  DecodePacket(2, f.data(), read, s.Kavir());
  EXPECT_EQ(read.GetString("Previous", "CH01.RxFreq", "", 20), "136.00250");
  EXPECT_EQ(read.GetString("Previous", "CH01.TxFreq", "", 20), "173.99750");
  EXPECT_EQ(read.GetString("Previous", "CBR1", "", 20), "1");
}

}  // namespace
}  // namespace kavir::test
