// Channel records: the bytes a channel becomes and the texts they read back as.
#include <gtest/gtest.h>

#include "codec/codec.h"
#include "profile/profile_keys.h"
#include "support.h"

namespace kavir::test {
namespace {

const char* kSuffixes[] = {"RxFreq", "Decode", "TxFreq", "Coding", "BusyLock",
                           "TxPower", "ChannelScans", "ClockFreq", "ZoneWide"};

class ChannelRecord : public ::testing::Test {
 protected:
  void SetUp() override { s.Load("KV16V"); }  // 136 to 174 MHz
  Frame Encode(const std::vector<std::string>& cells, int ch = 1, int tx = 1) {
    s.view->ch_box[0].state = ch;
    s.view->tx_box[0].state = tx;
    s.SetChannel(1, cells);
    return EncodeChannelPacket(0, s.Stored(), *s.view);
  }
  IniDocument Decode(const Frame& f, int index = 2) {
    IniDocument read;
    DecodePacket(index, f.data(), read, s.Kavir());
    return read;
  }
  ShippedScreen s;
};

TEST_F(ChannelRecord, EncodesCellsAndBoxesIntoTheRecordBytes) {
  struct Case {
    std::vector<std::string> cells;
    int ch, tx;
    int from, count;
    const char* bytes;
  } cases[] = {
      {{"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制", "高", "是", "否", "宽"}, 1, 1, 0, 20,
       "57 00 00 10 00 55 0C 9E 12 00 55 0C 13 20 01 2C 00 88 08 00"},
      // Boxes off clear the flag bits; sub-bands follow the band; clock shift on, narrow.
      {{"155.00000", "关", "164.50000", "关", "禁止", "低", "否", "是", "窄"}, 0, 0, 4, 12,
       "E0 60 04 00 00 D0 66 04 00 00 62 00"},
      // Unknown texts count as the default case of their column.
      {{"136.00000", "关", "136.00000", "关", "??", "中", "也许", "不", "中"}, 1, 1, 14, 2, "00 3C"},
      {{"136.00000", "关", "136.00000", "关", "禁止", "高", "是", "否", "宽"}, 1, 0, 4, 5, "00 55 0C 00 00"},
      // Off the fine raster: the coarse raster flag is clear.
      {{"136.00250", "关", "173.99750", "关", "禁止", "高", "是", "否", "宽"}, 1, 1, 4, 3, "81 D4 08"},
  };
  for (const Case& c : cases) {
    const Frame f = Encode(c.cells, c.ch, c.tx);
    EXPECT_EQ(Hex(f.data() + c.from, c.count), c.bytes) << c.cells[0];
  }
}

TEST_F(ChannelRecord, DecodedRecordGivesTheTextsBack) {
  const std::vector<std::vector<std::string>> channels = {
      {"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制", "高", "是", "否", "宽"},
      {"136.00250", "关", "173.99750", "-DCS:754", "禁止", "低", "否", "是", "窄"}};
  for (const auto& cells : channels) {
    const IniDocument read = Decode(Encode(cells));
    for (int i = 0; i < 9; ++i)
      EXPECT_EQ(read.GetString("Previous", ChannelKey(1, kSuffixes[i]), "", 20), cells[i]) << kSuffixes[i];
    EXPECT_EQ(read.GetString("Previous", "CBR1", "", 20), "1");
    EXPECT_EQ(read.GetString("Previous", "CBT1", "", 20), "1");
  }
  Frame zero{};
  const IniDocument off = Decode(zero);
  const char* texts[] = {"000000000", "关", "000000000", "关", "禁止", "低", "否", "否", "窄"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(off.GetString("Previous", ChannelKey(1, kSuffixes[i]), "", 20), texts[i]);
  EXPECT_EQ(off.GetString("Previous", "CBR1", "", 20), "0");
  EXPECT_EQ(off.GetString("Previous", "CBT1", "", 20), "0");
  EXPECT_EQ(off.Keys("Previous").size(), 11u);
  zero[4 + 11] = 0x10;  // busy lock value one
  EXPECT_EQ(Decode(zero).GetString("Previous", "CH01.BusyLock", "", 20), "CTC/DCS控制");
  const IniDocument last = Decode(zero, 2 * 16);
  EXPECT_TRUE(last.Find("Previous", "CH16.RxFreq").has_value());
  EXPECT_FALSE(last.Find("Previous", "CH01.RxFreq").has_value());
}

}  // namespace
}  // namespace kavir::test
