#include <gtest/gtest.h>

#include "profile/conversions.h"

namespace kavir {
namespace {

std::string Hex(const std::uint8_t* b, int n) {
  std::string s;
  char buf[4];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", b[i]);
    s += buf;
  }
  return s;
}

TEST(Frequency, ValueTreatsTheFirstThreeDigitsAsMegahertz) {
  EXPECT_EQ(FrequencyValue("136.00000"), 13600000);
  EXPECT_EQ(FrequencyValue("136"), 13600000);
  EXPECT_EQ(FrequencyValue(""), 0);
  EXPECT_EQ(FrequencyValue("abc"), 0);
}

TEST(Frequency, EncodesOnTheFineRasterWithTheCallersFlag) {
  auto a = FrequencyBytes("136.00000", true);
  EXPECT_EQ(Hex(a.data(), 3), "00 55 0C");
  auto b = FrequencyBytes("470.00000", false);
  EXPECT_EQ(Hex(b.data(), 3), "C0 25 05");
  auto c = FrequencyBytes("136.00625", true);
  EXPECT_EQ(Hex(c.data(), 3), "01 55 0C");
  auto e = FrequencyBytes("", false);
  EXPECT_EQ(Hex(e.data(), 3), "00 00 04");
  EXPECT_EQ(FrequencyCode("136.00250"), 0u);
  EXPECT_EQ(IsFineRaster("136.00250"), 0);
}

TEST(Frequency, DecodesBothRasters) {
  const std::uint8_t fine[3] = {0x00, 0x55, 0x04};
  EXPECT_EQ(FrequencyText(fine), "136.00000");
  const std::uint8_t coarse[3] = {0x81, 0xD4, 0x00};
  EXPECT_EQ(FrequencyText(coarse), "136.00250");
  const std::uint8_t zero[3] = {0, 0, 0};
  EXPECT_EQ(FrequencyText(zero), "000000000");
  // The flag bit of a record does not leak into the value.
  const std::uint8_t flagged[3] = {0x00, 0x55, 0x0C};
  EXPECT_EQ(FrequencyText(flagged), "136.00000");
}

TEST(Tone, EncodesTheThreeForms) {
  EXPECT_EQ(Hex(ToneBytes("CTCSS:67.0").data(), 2), "9E 12");
  EXPECT_EQ(Hex(ToneBytes("+DCS:023").data(), 2), "13 20");
  EXPECT_EQ(Hex(ToneBytes("-DCS:754").data(), 2), "EC 31");
  EXPECT_EQ(Hex(ToneBytes("关").data(), 2), "00 00");
  EXPECT_EQ(Hex(ToneBytes("").data(), 2), "00 30");
  EXPECT_EQ(ToneCode("CTCSS:254.1"), 2541);
  EXPECT_EQ(ToneCode("-DCS:754"), 492);
}

TEST(Tone, DecodesCtcssAndDcsTexts) {
  auto text = [](int type, int code) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(code & 0xFF),
                               static_cast<std::uint8_t>(type * 16 + (code >> 8))};
    return ToneText(b);
  };
  EXPECT_EQ(text(0, 0), "关");
  EXPECT_EQ(text(1, 670), "CTCSS:67.0");
  EXPECT_EQ(text(1, 885), "CTCSS:88.5");
  EXPECT_EQ(text(1, 1000), "CTCSS:100.0");
  EXPECT_EQ(text(1, 2541), "CTCSS:254.1");
  EXPECT_EQ(text(1, 5), "CTCSS:.5");
  EXPECT_EQ(text(2, 19), "+DCS:023");
  EXPECT_EQ(text(3, 492), "-DCS:754");
  EXPECT_EQ(text(2, 7), "+DCS:07");
}

TEST(Tone, EveryListTextRoundTrips) {
  for (const char* t : {"CTCSS:67.0", "CTCSS:254.1", "CTCSS:100.0", "+DCS:023", "-DCS:754",
                        "+DCS:777", "关"}) {
    auto b = ToneBytes(t);
    EXPECT_EQ(ToneText(b.data()), t);
  }
}

TEST(SubBand, SplitsTheBandAtTheQuarterPoints) {
  EXPECT_EQ(SubBand("", "136", "174"), 0);
  EXPECT_EQ(SubBand("145.49375", "136", "174"), 0);
  EXPECT_EQ(SubBand("145.50000", "136", "174"), 1);
  EXPECT_EQ(SubBand("155.00000", "136", "174"), 1);
  EXPECT_EQ(SubBand("164.49375", "136", "174"), 1);
  EXPECT_EQ(SubBand("164.50000", "136", "174"), 2);
}

}  // namespace
}  // namespace kavir
