// The same bytes are valid GBK, or not, on every platform. GBK's
// user-defined area stands only for private-use characters that no other
// machine or radio shows alike: it is refused both ways, as glibc does.
#include <gtest/gtest.h>

#include <string>

#include "profile/gbk.h"

namespace kavir {
namespace {

struct UserCode {
  const char* what;
  std::string gbk;
  std::string private_use;  // the character Windows' code page 936 gives it, as UTF-8
};

const UserCode kUserArea[] = {
    {"FirstOfAAA1Block", "\xAA\xA1", "\xEE\x80\x80"},   // U+E000
    {"LastOfAFFEBlock", "\xAF\xFE", "\xEE\x88\xB3"},    // U+E233
    {"FirstOfF8A1Block", "\xF8\xA1", "\xEE\x88\xB4"},   // U+E234
    {"LastOfFEFEBlock", "\xFE\xFE", "\xEE\x92\xA5"},    // U+E4A5
    {"FirstOfA140Block", "\xA1\x40", "\xEE\x92\xA6"},   // U+E4A6
    {"LastOfA7A0Block", "\xA7\xA0", "\xEE\x97\xA5"},    // U+E5E5
};

class GbkUserArea : public ::testing::TestWithParam<UserCode> {};

TEST_P(GbkUserArea, IsRefusedBothWays) {
  const UserCode& c = GetParam();
  EXPECT_FALSE(GbkToUtf8(c.gbk).has_value());
  EXPECT_FALSE(GbkToUtf8("\xB9\xD8" + c.gbk + "x").has_value());  // 关, the code, x
  EXPECT_FALSE(Utf8ToGbk(c.private_use).has_value());
  EXPECT_FALSE(Utf8ToGbk("开" + c.private_use).has_value());
  // A lossy read keeps what comes before and marks the bad code.
  const std::string lossy = GbkToUtf8Lossy("\xB9\xD8" + c.gbk + "x");
  EXPECT_EQ(lossy.rfind("关\xEF\xBF\xBD", 0), 0u) << lossy;
}

INSTANTIATE_TEST_SUITE_P(Gbk, GbkUserArea, ::testing::ValuesIn(kUserArea),
                         [](const auto& info) { return std::string(info.param.what); });

// Every double-byte code either is refused or stands for one character
// outside the private-use area that converts back to the same two bytes.
// The count is what glibc's GBK table assigns; the Windows build must agree.
TEST(Gbk, DoubleByteCodesAgreeWithGlibcAndRoundTrip) {
  int accepted = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto text = GbkToUtf8(code);
      if (!text) continue;
      ++accepted;
      EXPECT_FALSE(*text >= "\xEE\x80\x80" && *text <= "\xEF\xA3\xBF")  // U+E000..U+F8FF
          << std::hex << lead << trail;
      EXPECT_EQ(Utf8ToGbk(*text).value_or("<refused>"), code) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(accepted, 21791);
}

}  // namespace
}  // namespace kavir
