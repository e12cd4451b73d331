// Channel records: the bytes a channel becomes and the texts they read back as.
#include "codec/channel_record.h"

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "program_files.h"
#include "setup/frequency.h"
#include "setup/option_lists.h"
#include "shipped_setup.h"

namespace kavir::test {
namespace {

class ChannelRecord : public ::testing::Test {
 protected:
  Frame Encode(const std::vector<std::string>& cells, bool ch = true, bool tx = true) {
    Channel& c = setup.channel(1);
    for (std::size_t i = 0; i < cells.size(); ++i) c.fields[i] = cells[i];
    c.enabled = ch;
    c.tx_enabled = tx;
    return EncodeFrame(1, setup);
  }
  kavir::Setup Decode(const Frame& f, int n = 1) {
    kavir::Setup read;
    DecodePacket(n, f.data() + 4, shipped.data.lists, read);
    return read;
  }
  ShippedSetups shipped;
  kavir::Setup setup = shipped.Model("KV16V");  // 136 to 174 MHz
};

TEST_F(ChannelRecord, EncodesTheChannelIntoTheRecordBytes) {
  struct Case {
    std::vector<std::string> cells;
    bool ch, tx;
    int from, count;
    const char* bytes;
  } cases[] = {
      {{"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制", "高", "是", "否", "宽"},
       1,
       1,
       0,
       20,
       "57 00 00 10 00 55 0C 9E 12 00 55 0C 13 20 01 2C 00 88 08 00"},
      // Boxes off clear the flag bits; sub-bands follow the band; clock shift on, narrow.
      {{"155.00000", "关", "164.50000", "关", "禁止", "低", "否", "是", "窄"},
       0,
       0,
       4,
       12,
       "E0 60 04 00 00 D0 66 04 00 00 62 00"},
      // Unknown texts count as the default case of their column.
      {{"136.00000", "关", "136.00000", "关", "??", "中", "也许", "不", "中"}, 1, 1, 14, 2, "00 3C"},
      {{"136.00000", "关", "136.00000", "关", "禁止", "高", "是", "否", "宽"}, 1, 0, 4, 5, "00 55 0C 00 00"},
      // Off the fine raster: the coarse raster flag is clear.
      {{"136.00250", "关", "173.99750", "关", "禁止", "高", "是", "否", "宽"}, 1, 1, 4, 3, "81 D4 08"},
      // A short entry is read as it is stored, padded to nine digits; blanks are trimmed.
      {{"136.1", "关", " 136.00000 ", "关", "禁止", "高", "是", "否", "宽"}, 1, 1, 4, 6, "10 55 0C 00 00 00"},
  };
  for (const Case& c : cases) {
    const Frame f = Encode(c.cells, c.ch, c.tx);
    EXPECT_EQ(Hex(f.data() + c.from, c.count), c.bytes) << c.cells[0];
  }
}

// The sub-band of byte 10 changes at the quarter points of the band.
TEST_F(ChannelRecord, TheSubBandChangesAtTheBandsQuarterPoints) {
  struct {
    const char* f;
    int band;
  } quarters[] = {{"145.49375", 0}, {"145.50000", 1}, {"155.00000", 1}, {"164.49375", 1}, {"164.50000", 2}, {"", 0}};
  for (const auto& q : quarters) EXPECT_EQ(Encode({q.f, "关", q.f})[4 + 10] >> 4, q.band * 4 + q.band) << q.f;
}

// A cleared cell of a closed channel goes in as an empty record holds it,
// never as the value a non-blank text of its column would give.
TEST_F(ChannelRecord, BlankCellsGoInAsTheEmptyRecord) {
  const Frame blank = Encode({"", "", "", "", "", "", "", "", ""}, false, false);
  // A zero frequency is on the raster, as a blank one always went in.
  EXPECT_EQ(Hex(blank.data() + 4, 16), "00 00 04 00 00 00 00 04 00 00 00 00 00 88 08 00");
  const Frame spaces = Encode({" ", " ", " ", " ", " ", " ", " ", " ", " "}, false, false);
  EXPECT_EQ(Hex(spaces.data() + 4, 16), Hex(blank.data() + 4, 16));
  // Each blank cell on its own clears only its own bits; the rest keep theirs.
  const std::vector<std::string> full = {"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制",
                                         "高",        "是",         "是",        "宽"};
  struct {
    int field;
    int byte;
    const char* bytes;
  } one[] = {{1, 3, "00 00"}, {3, 8, "00 00"}, {4, 11, "0C"}, {5, 11, "24"},
             {6, 11, "28"},   {7, 10, "01"},   {8, 10, "02"}};
  for (const auto& o : one) {
    std::vector<std::string> cells = full;
    cells[o.field] = "";
    const Frame f = Encode(cells, false, false);
    EXPECT_EQ(Hex(f.data() + 4 + o.byte, o.field == 1 || o.field == 3 ? 2 : 1), o.bytes) << o.field;
  }
  // What a read of that record gives back is what the list of changes shows.
  Encode({"", "", "", "", "", "", "", "", ""}, false, false);
  const kavir::Setup written = AsWritten(setup);
  const std::vector<std::string> empty_record = {"000000000", "关", "000000000", "关", "禁止", "低", "否", "否", "窄"};
  EXPECT_EQ(std::vector<std::string>(written.channel(1).fields.begin(), written.channel(1).fields.end()), empty_record);
  EXPECT_EQ(Decode(EncodeFrame(1, written)).channel(1), Decode(blank).channel(1));
  // Cells with text, and the other channels, are left as they are.
  EXPECT_EQ(written.channel(2), setup.channel(2));
  setup.channel(2)[ChannelField::TxPower] = "";
  EXPECT_EQ(AsWritten(setup).channel(2)[ChannelField::TxPower], "低");
  EXPECT_EQ(AsWritten(setup).channel(2)[ChannelField::Bandwidth], setup.channel(2)[ChannelField::Bandwidth]);
}

TEST_F(ChannelRecord, DecodedRecordGivesTheTextsBack) {
  const std::vector<std::vector<std::string>> channels = {
      {"136.00000", "CTCSS:67.0", "136.00000", "+DCS:023", "载波控制", "高", "是", "否", "宽"},
      {"136.00250", "关", "173.99750", "-DCS:754", "禁止", "低", "否", "是", "窄"}};
  for (const auto& cells : channels) {
    const Channel read = Decode(Encode(cells)).channel(1);
    EXPECT_EQ(std::vector<std::string>(read.fields.begin(), read.fields.end()), cells);
    EXPECT_TRUE(read.enabled);
    EXPECT_TRUE(read.tx_enabled);
  }
  Frame zero{};
  const Channel off = Decode(zero).channel(1);
  const std::vector<std::string> texts = {"000000000", "关", "000000000", "关", "禁止", "低", "否", "否", "窄"};
  EXPECT_EQ(std::vector<std::string>(off.fields.begin(), off.fields.end()), texts);
  EXPECT_FALSE(off.enabled);
  EXPECT_FALSE(off.tx_enabled);
  EXPECT_EQ(PacketKeys(1).size(), 11u);
  EXPECT_EQ(PacketKeys(16).front(), "CH16.RxFreq");
  zero[4 + 11] = 0x10;  // busy lock value one
  EXPECT_EQ(Decode(zero).channel(1)[ChannelField::BusyLock], "CTC/DCS控制");
  const kavir::Setup last = Decode(zero, 16);
  EXPECT_EQ(last.channel(16)[ChannelField::BusyLock], "CTC/DCS控制");
  EXPECT_EQ(last.channel(1), Channel{}) << "packet 16 is channel 16 only";
}

// Frequencies in hertz: their texts, and their bytes on both rasters.
TEST(Frequency, TextsGiveTheirFieldBytesOnEitherRaster) {
  const struct {
    const char* text;
    std::int64_t hz;
    Raster raster;
    const char* shown;
    const char* bytes;  // with the flag bit set
  } rows[] = {
      {"136.00000", 136000000, Raster::Fine, "136.00000", "00 55 0C"},
      {"145.5", 145500000, Raster::Fine, "145.50000", "F0 5A 0C"},
      {"136.00250", 136002500, Raster::Coarse, "136.00250", "81 D4 08"},
      {"136.0010", 136001000, Raster::None, "136.00100", "00 00 08"},
      {"", 0, Raster::Fine, "000000000", "00 00 0C"},
      // Below 100 MHz and from 1000 MHz on, the megahertz are still the megahertz.
      {"45.0125", 45012500, Raster::Fine, "045.01250", "22 1C 0C"},
      {"1638.39375", 1638393750, Raster::Fine, "1638.39375", "FF FF 0F"},
  };
  for (const auto& r : rows) {
    const Frequency f = Frequency::FromText(r.text);
    EXPECT_EQ(f.hz(), r.hz) << r.text;
    EXPECT_EQ(f.raster(), r.raster) << r.text;
    EXPECT_EQ(f.Text(), r.shown) << r.text;
    const auto bytes = f.Bytes(true);
    EXPECT_EQ(Hex(bytes.data(), 3), r.bytes) << r.text;
    EXPECT_EQ(bytes[2] & 0x08, 0x08);
    EXPECT_EQ(f.Bytes(false)[2] & 0x08, 0) << r.text;
    if (r.raster != Raster::None) {
      EXPECT_EQ(Frequency::FromBytes(bytes.data()), f) << r.text;
    }
  }
}

// The step count has 18 bits, on whichever raster it counts.
TEST(Frequency, TheStepCountHas18Bits) {
  const struct {
    std::int64_t hz;
    Raster raster;
    bool fits;
  } limits[] = {{0x3FFFF * std::int64_t{6250}, Raster::Fine, true},
                {0x40000 * std::int64_t{6250}, Raster::Fine, false},
                {0x3FFFF * std::int64_t{2500}, Raster::Coarse, true},
                {0x40000 * std::int64_t{2500}, Raster::Coarse, false}};
  for (const auto& l : limits) {
    const Frequency f = Frequency::FromHz(l.hz);
    EXPECT_EQ(f.raster(), l.raster) << l.hz;
    EXPECT_EQ(f.FitsField(), l.fits) << l.hz;
    if (l.fits) {
      EXPECT_EQ(Frequency::FromBytes(f.Bytes(false).data()), f) << l.hz;
    }
  }
  EXPECT_FALSE(Frequency::FromText("136.0010").FitsField()) << "on no raster";
}

// What a person types: one reading for typing and paste; refusals quote it.
TEST(Typed, FrequenciesAreReadOrRefusedWithWhatWasTyped) {
  const std::string digits = "\": 只能输入数字和一个小数点",
                    many = "\" 位数太多: 小数点前最多 3 位, 后面最多 5 位 (10 Hz)";
  const std::pair<std::string, std::string> frequencies[] = {
      {"147,5", "147.50000"},
      {" 147.5 ", "147.50000"},
      {"151.5025", "151.50250"},
      {"147", "147.00000"},
      {"4300125", "430.01250"},
      {"43001250", "430.01250"},     // eight digits, the most
      {"\t147.5\r\n", "147.50000"},  // as a pasted cell may end
      {"45", "45.00000"},
      {"147.500000", "147.50000"},
      {"  ", "没有填写频率"},
      {"147 5", "频率 \"147 5\" 含有 \" " + digits},
      {"43关.5", "频率 \"43关.5\" 含有 \"关" + digits},
      {"147,5.5", "频率 \"147,5.5\" 有不止一个小数点"},
      {"147.123456", "频率 \"147.123456" + many},
      {"1470.5", "频率 \"1470.5" + many},
      {"147500001", "频率 \"147500001\" 位数太多: 最多 8 位数字"}};
  for (const auto& [typed, read] : frequencies) {
    std::string error;
    const auto f = Frequency::FromTyped(typed, &error);
    EXPECT_EQ(f ? f->MhzText() : error, read) << typed;
  }
}

TEST(Typed, TonesAreReadOrRefused) {
  const ShippedSetups shipped;
  const std::pair<const char*, const char*> tones[] = {{"88.5", "CTCSS:88.5"},
                                                       {"67", "CTCSS:67.0"},
                                                       {"ctcss 88.5", "CTCSS:88.5"},
                                                       {"CTCSS:100", "CTCSS:100.0"},
                                                       {"023", "+DCS:023"},
                                                       {"D023N", "+DCS:023"},
                                                       {"d023i", "-DCS:023"},
                                                       {"DCS023", "+DCS:023"},
                                                       {"-DCS:023", "-DCS:023"},
                                                       {" 关 ", "关"},
                                                       {"88.6", ""},
                                                       {"D028N", ""},
                                                       {"DCS", ""},
                                                       {"", ""}};
  for (auto [typed, text] : tones) {
    std::string error;
    EXPECT_EQ(ToneFromTyped(shipped.data.channel_lists.decode, typed, &error).value_or(error.substr(0, 6)),
              *text ? text : "亚音")
        << typed;
  }
}

}  // namespace
}  // namespace kavir::test
