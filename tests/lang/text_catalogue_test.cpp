// The English catalogue read without Qt: what the .ts file says, entities
// decoded, unfinished entries left out, broken input read no further than
// it goes.
#include <gtest/gtest.h>

#include "lang/language_core.h"
#include "lang/text_catalogue.h"
#include "profile/translate.h"

namespace kavir::lang {
namespace {

TEST(TextCatalogue, ReadsMessagesByContextAndDecodesTheirText) {
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
  for (std::size_t cut = 0; cut < 200; cut += 7)  // any prefix: no crash, nothing made up
    EXPECT_LE(TextCatalogue::FromTs(std::string_view("<context><name>A</name><message><source>s</source>"
                                                     "<translation>t</translation></message></context>")
                                        .substr(0, std::min<std::size_t>(cut, 95)))
                  .size(),
              1u);
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

}  // namespace
}  // namespace kavir::lang
