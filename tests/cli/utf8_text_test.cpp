// What kavir-cli prints from text it did not write itself: a program name
// the system cut inside a character, bytes that are no UTF-8, control
// characters; and the same text for a terminal in GBK.
#include "cli/utf8_text.h"

#include <gtest/gtest.h>

namespace kavir::cli {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Utf8Text, JsonGetsValidUtf8WithControlCharactersEscaped) {
  // "a电台编程器" cut at 15 bytes, as /proc/PID/comm cuts it: two bytes of 器 are left.
  const std::string cut = std::string("a电台编程器").substr(0, 15);
  ASSERT_EQ(cut.size(), 15u);
  EXPECT_EQ(JsonString(cut), "\"a电台编程" + kReplacement + "\"");
  EXPECT_EQ(JsonString("x\xFFy\xC0\xAFz"), "\"x" + kReplacement + "y" + kReplacement + kReplacement + "z\"");
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"" + kReplacement + kReplacement + kReplacement + "\"");  // a surrogate
  EXPECT_EQ(JsonString(std::string("a\"b\\c\n\t\x01\x7F\0", 10)), "\"a\\\"b\\\\c\\u000a\\u0009\\u0001\\u007f\\u0000\"");
  EXPECT_EQ(JsonString("串口 𝄞 ok"), "\"串口 𝄞 ok\"");
}

TEST(Utf8Text, SequencesAreWellFormedCutOrWrong) {
  const std::string text = "a器𝄞";
  EXPECT_EQ(Utf8SequenceAt(text, 0), 1);
  EXPECT_EQ(Utf8SequenceAt(text, 1), 3);
  EXPECT_EQ(Utf8SequenceAt(text, 4), 4);
  EXPECT_EQ(Utf8SequenceAt(text.substr(0, 3), 1), -2);  // more bytes would complete it
  EXPECT_EQ(Utf8SequenceAt(text, 2), 0);                // a continuation byte alone
  EXPECT_EQ(Utf8SequenceAt("\xE0\x80\x80", 0), 0);      // overlong
  EXPECT_EQ(Utf8SequenceAt("\xF4\x90\x80\x80", 0), 0);  // past U+10FFFF
  EXPECT_EQ(ValidUtf8(text), text);
  EXPECT_EQ(ValidUtf8(text.substr(0, 6)), "a器" + kReplacement);
}

TEST(Utf8Text, ATerminalInGbkGetsGbkWhereTheTextAllows) {
  EXPECT_EQ(Utf8ToGbkForTerminal("串口 COM1"), "\xB4\xAE\xBF\xDA COM1");
  EXPECT_EQ(Utf8ToGbkForTerminal("a\xFF串"), "a\xFF\xB4\xAE");  // a GBK file name given on the command line
  EXPECT_EQ(Utf8ToGbkForTerminal("𝄞!"), "?!");                  // not in GBK
  EXPECT_EQ(Utf8ToGbkForTerminal(""), "");
}

}  // namespace
}  // namespace kavir::cli
