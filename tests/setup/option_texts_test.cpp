#include "setup/option_texts.h"

#include <gtest/gtest.h>

#include "files.h"
#include "setup/option_search.h"

namespace kavir::test {
namespace {

// Option texts shown in another language go back to what the files store.
TEST(OptionTexts, AShownTextGoesBackToTheFirstStoredTextShownSo) {
  TempDir dir;
  WriteBytes(dir.File("texts"), "\xEF\xBB\xBF低=Low\n; comment\n关=Off\n禁止=Off\n高 = High\nbroken line\n=x\n");
  IoStatus status;
  const OptionTexts texts = OptionTexts::Load(dir.File("texts"), &status);
  EXPECT_TRUE(status.ok);
  EXPECT_EQ(texts.Shown("低"), "Low");  // the byte-order mark is no part of the first text
  EXPECT_EQ(texts.Shown("高"), "High");
  EXPECT_EQ(texts.Stored("High"), "高");
  EXPECT_EQ(texts.Stored("Off"), "关");
  EXPECT_EQ(texts.Shown("禁止"), "Off");
  EXPECT_EQ(texts.Stored("Unknown"), "Unknown");  // a text of no option stays as it is
}

// A typed text finds the first option it begins, in any letter case.
TEST(OptionSearch, ATypedPrefixFindsItsOptionInAnyCase) {
  const std::vector<std::string> options = {"关", "Zone A", "zulu", "ab"};
  EXPECT_EQ(FindOption(options, "zo"), 1);
  EXPECT_EQ(FindOption(options, "ZU"), 2);
  EXPECT_EQ(FindOption(options, "AB"), 3);
  EXPECT_EQ(FindOption(options, " ab "), 3);  // the exact text, blanks around it ignored
  EXPECT_EQ(FindOption(options, "x"), -1);
}

}  // namespace
}  // namespace kavir::test
