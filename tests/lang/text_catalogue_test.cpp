// The English catalogue read without Qt: what the .ts file says, entities
// decoded, unfinished entries left out, broken input read no further than
// it goes.
#include "lang/text_catalogue.h"

#include <gtest/gtest.h>

#include "ini/translate.h"
#include "lang/language_core.h"
#include "program_files.h"

namespace kavir::lang {
namespace {

TEST(TextCatalogue, ReadsFinishedMessagesByContextDecoded) {
  const TextCatalogue c = TextCatalogue::FromTs(R"(<?xml version="1.0"?><TS>
<context><name>A</name>
  <message><source>读 &quot;%1&quot;</source><translation>Read &quot;%1&quot; &amp; &lt;ok&gt; it&apos;s &#x4E2D;&#20013;</translation></message>
  <message><source>未完</source><translation type="unfinished">Not yet</translation></message>
  <message><source>空</source><translation></translation></message>
  <message><source>x&bogus;</source><translation>y&#xZZ;</translation></message>
</context>
<context><namespace/><name>B</name><message><source>读 &quot;%1&quot;</source><translation>Other</translation></message></context>
<context><name>C</name><message><source>cut</source><translation>never closed)");
  ASSERT_NE(c.Find("A", "读 \"%1\""), nullptr);
  EXPECT_EQ(*c.Find("A", "读 \"%1\""), "Read \"%1\" & <ok> it's 中中");
  EXPECT_EQ(*c.Find("B", "读 \"%1\""), "Other");
  EXPECT_EQ(*c.Find("A", "x&bogus;"), "y&#xZZ;");
  EXPECT_EQ(c.Find("A", "未完"), nullptr);
  EXPECT_EQ(c.Find("A", "空"), nullptr);
  EXPECT_EQ(c.Find("C", "cut"), nullptr);
  EXPECT_EQ(c.size(), 3u);
}

TEST(TextCatalogue, BrokenInputIsReadNoFurtherThanItGoes) {
  for (std::size_t cut = 0; cut < 200; cut += 7)  // any prefix: no crash, nothing made up
    EXPECT_LE(TextCatalogue::FromTs(std::string_view("<context><name>A</name><message><source>s</source>"
                                                     "<translation>t</translation></message></context>")
                                        .substr(0, std::min<std::size_t>(cut, 95)))
                  .size(),
              1u);
}

// A count takes the English form for one or for any other number; a count
// entry with a form left empty is not used.
TEST(TextCatalogue, TextsWithACountTakeTheFormOfTheCount) {
  const TextCatalogue c = TextCatalogue::FromTs(R"(<TS><context><name>A</name>
  <message numerus="yes"><source>%n 项</source><translation>
    <numerusform>%n item &amp; more</numerusform>
    <numerusform>%n items &amp; more</numerusform></translation></message>
  <message numerus="yes"><source>%n 半</source><translation>
    <numerusform>%n half</numerusform><numerusform></numerusform></translation></message>
  <message><source>平</source><translation>plain</translation></message>
</context></TS>)");
  EXPECT_EQ(c.FindCount("A", "%n 项", 1), "1 item & more");
  EXPECT_EQ(c.FindCount("A", "%n 项", 0), "0 items & more");
  EXPECT_EQ(c.FindCount("A", "%n 项", 2), "2 items & more");
  EXPECT_EQ(c.FindCount("A", "%n 项", 21), "21 items & more");
  EXPECT_EQ(c.FindCount("A", "%n 半", 1), std::nullopt);
  EXPECT_EQ(c.FindCount("A", "平", 1), std::nullopt);
  EXPECT_EQ(c.Find("A", "%n 项"), nullptr);
  EXPECT_EQ(c.size(), 2u);
}

TEST(TextCatalogue, CountsInTheCoresTextsInBothLanguages) {
  EXPECT_EQ(WithCount("%n 项, %n 次 %1", 12), "12 项, 12 次 %1");
  ApplyBuiltIn(true, ".");
  EXPECT_EQ(TrCount("Interchange", "%n 项不同", nullptr, 1), "1 setting differs");
  EXPECT_EQ(TrCount("Interchange", "%n 项不同", nullptr, 3), "3 settings differ");
  EXPECT_EQ(TrCount("Interchange", "不在目录里 %n", nullptr, 3), "不在目录里 3");
  ApplyBuiltIn(false, ".");
  EXPECT_EQ(TrCount("Interchange", "%n 项不同", nullptr, 1), "1 项不同");
}

TEST(TextCatalogue, TheBuiltInEnglishIsTheCoresTranslator) {
  EXPECT_GT(EnglishCatalogue().size(), 500u);
  ApplyBuiltIn(true, ".");
  EXPECT_TRUE(English());
  EXPECT_EQ(TrText("BatchDialog", "写入并校验成功"), "Written and verified");
  EXPECT_EQ(TrText("BatchDialog", "not in the catalogue"), "not in the catalogue");
  ApplyBuiltIn(false, ".");
  EXPECT_FALSE(English());
  EXPECT_EQ(TrText("BatchDialog", "写入并校验成功"), "写入并校验成功");
}

// The choice is kept in KAVIR.ini beside what it holds.
TEST(LanguageChoice, IsKeptInKavirIni) {
  test::TempDir dir;
  const std::string ini = dir.File("KAVIR.ini");
  test::WriteIni(ini, {{"Type", test::List({"KV16V"})}});
  ProgramConfig config = ProgramConfig::Read(ini);
  EXPECT_EQ(ReadChoice(config.ini()), Choice::System);
  for (Choice c : {Choice::English, Choice::Chinese, Choice::System}) {
    EXPECT_TRUE(StoreChoice(config, c));
    EXPECT_EQ(ReadChoice(ReadIniFile(ini)), c);
  }
  EXPECT_EQ(ReadIniFile(ini).GetString("Type", "1", "", 20), "KV16V");
}

// A locale of any language but Chinese reads English, and C or none reads Chinese.
TEST(LanguageChoice, FollowsTheLocaleOnlyWhenAskedTo) {
  EXPECT_TRUE(IsEnglishChoice(Choice::English));
  EXPECT_FALSE(IsEnglishChoice(Choice::Chinese));
  for (auto [name, english] : {std::pair{"", false},
                               {"C", false},
                               {"POSIX", false},
                               {"C.UTF-8", false},
                               {"zh_CN.UTF-8", false},
                               {"zh-TW", false},
                               {"en_US.UTF-8", true},
                               {"de_DE", true}})
    EXPECT_EQ(EnglishForLocale(name), english) << name;
}

}  // namespace
}  // namespace kavir::lang
