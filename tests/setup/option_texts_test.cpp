#include "setup/option_texts.h"

#include <gtest/gtest.h>

#include "files.h"

namespace kavir::test {
namespace {

// Option texts shown in another language go back to what the files store.
TEST(OptionTexts, AShownTextGoesBackToTheFirstStoredTextShownSo) {
  TempDir dir;
  WriteBytes(dir.File("texts"), "; comment\n关=Off\n禁止=Off\n高 = High\nbroken line\n=x\n");
  IoStatus status;
  const OptionTexts texts = OptionTexts::Load(dir.File("texts"), &status);
  EXPECT_TRUE(status.ok);
  EXPECT_EQ(texts.Shown("高"), "High");
  EXPECT_EQ(texts.Stored("High"), "高");
  EXPECT_EQ(texts.Stored("Off"), "关");
  EXPECT_EQ(texts.Shown("禁止"), "Off");
  EXPECT_EQ(texts.Stored("Unknown"), "Unknown");  // a text of no option stays as it is
}

}  // namespace
}  // namespace kavir::test
