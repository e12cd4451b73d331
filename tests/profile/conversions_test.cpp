#include <gtest/gtest.h>

#include "profile/conversions.h"
#include "support.h"

namespace kavir::test {
namespace {

TEST(Frequency, TextAndBytesBothWays) {
  EXPECT_EQ(FrequencyValue("136.00000"), 13600000);
  EXPECT_EQ(FrequencyValue("136"), 13600000);  // the first three digits are megahertz
  EXPECT_EQ(FrequencyValue(""), 0);
  EXPECT_EQ(FrequencyValue("abc"), 0);
  struct { const char* text; bool fine; const char* bytes; } encode[] = {
      {"136.00000", true, "00 55 0C"}, {"470.00000", false, "C0 25 05"},
      {"136.00625", true, "01 55 0C"}, {"", false, "00 00 04"}};
  for (const auto& c : encode) EXPECT_EQ(Hex(FrequencyBytes(c.text, c.fine).data(), 3), c.bytes) << c.text;
  EXPECT_EQ(FrequencyCode("136.00250"), 0u);
  EXPECT_EQ(IsFineRaster("136.00250"), 0);
  struct { std::uint8_t b[3]; const char* text; } decode[] = {
      {{0x00, 0x55, 0x04}, "136.00000"}, {{0x81, 0xD4, 0x00}, "136.00250"},
      {{0, 0, 0}, "000000000"}, {{0x00, 0x55, 0x0C}, "136.00000"}};  // a record's flag bit stays out
  for (const auto& c : decode) EXPECT_EQ(FrequencyText(c.b), c.text);
}

TEST(Tone, TextAndBytesBothWays) {
  struct { const char* text; const char* bytes; } encode[] = {
      {"CTCSS:67.0", "9E 12"}, {"+DCS:023", "13 20"}, {"-DCS:754", "EC 31"}, {"关", "00 00"}, {"", "00 30"}};
  for (const auto& c : encode) EXPECT_EQ(Hex(ToneBytes(c.text).data(), 2), c.bytes) << c.text;
  EXPECT_EQ(ToneCode("CTCSS:254.1"), 2541);
  EXPECT_EQ(ToneCode("-DCS:754"), 492);
  struct { int type, code; const char* text; } decode[] = {
      {0, 0, "关"}, {1, 670, "CTCSS:67.0"}, {1, 885, "CTCSS:88.5"}, {1, 1000, "CTCSS:100.0"},
      {1, 2541, "CTCSS:254.1"}, {1, 5, "CTCSS:.5"}, {2, 19, "+DCS:023"}, {3, 492, "-DCS:754"},
      {2, 7, "+DCS:07"}};
  for (const auto& c : decode) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(c.code & 0xFF),
                               static_cast<std::uint8_t>(c.type * 16 + (c.code >> 8))};
    EXPECT_EQ(ToneText(b), c.text);
  }
  for (const char* t : {"CTCSS:67.0", "CTCSS:254.1", "CTCSS:100.0", "+DCS:023", "-DCS:754", "+DCS:777", "关"})
    EXPECT_EQ(ToneText(ToneBytes(t).data()), t);
}

TEST(SubBand, SplitsTheBandAtTheQuarterPoints) {
  struct { const char* f; int band; } cases[] = {{"", 0},          {"145.49375", 0}, {"145.50000", 1},
                                                 {"155.00000", 1}, {"164.49375", 1}, {"164.50000", 2}};
  for (const auto& c : cases) EXPECT_EQ(SubBand(c.f, "136", "174"), c.band) << c.f;
}

}  // namespace
}  // namespace kavir::test
