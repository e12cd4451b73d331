#include "ini/ini_document.h"

#include <gtest/gtest.h>

#include "files.h"
#include "ini/gbk.h"

namespace kavir::test {
namespace {

std::string Gbk(const std::string& utf8) { return *Utf8ToGbk(utf8); }

TEST(Gbk, ConvertsWhatBothSidesHold) {
  EXPECT_EQ(Gbk("关"), "\xB9\xD8");
  EXPECT_EQ(*GbkToUtf8("\xB9\xD8"), "关");
  EXPECT_FALSE(GbkToUtf8("\xB9").has_value());  // truncated sequence
  EXPECT_EQ(GbkToUtf8Lossy("a\xFF"
                           "b\xB9\xD8"),
            "a\xEF\xBF\xBD"
            "b关");
  for (const char* refused : {"\xFF\xFE", "😀"}) EXPECT_FALSE(Utf8ToGbk(refused).has_value());  // not UTF-8, not in GBK
}

// GBK's user-defined area stands only for private-use characters that no
// other machine or radio shows alike: refused both ways, as glibc does.
// The first and last code of each block, and the character Windows' code
// page 936 gives it.
TEST(Gbk, RefusesTheUserDefinedArea) {
  const struct {
    std::string gbk, private_use;
  } user_area[] = {{"\xAA\xA1", "\xEE\x80\x80"}, {"\xAF\xFE", "\xEE\x88\xB3"}, {"\xF8\xA1", "\xEE\x88\xB4"},
                   {"\xFE\xFE", "\xEE\x92\xA5"}, {"\xA1\x40", "\xEE\x92\xA6"}, {"\xA7\xA0", "\xEE\x97\xA5"}};
  for (const auto& c : user_area) {
    EXPECT_FALSE(GbkToUtf8(c.gbk).has_value()) << c.private_use;
    EXPECT_FALSE(GbkToUtf8("\xB9\xD8" + c.gbk + "x").has_value()) << c.private_use;
    EXPECT_EQ(GbkToUtf8Lossy("\xB9\xD8" + c.gbk + "x").rfind("关\xEF\xBF\xBD", 0), 0u) << c.private_use;
    EXPECT_FALSE(Utf8ToGbk("开" + c.private_use).has_value()) << c.private_use;
  }
}

TEST(Gbk, ClipsWithoutSplittingACharacter) {
  EXPECT_EQ(GbkLength("CTC/DCS控制"), 11u);
  struct {
    std::size_t max;
    const char* clipped;
  } clips[] = {{10, "CTC/DCS控"}, {8, "CTC/DCS"}, {19, "CTC/DCS控制"}};
  for (const auto& c : clips) EXPECT_EQ(ClipToGbkBytes("CTC/DCS控制", c.max), c.clipped) << c.max;
  // Two- and four-byte characters take two GBK bytes, held or not, and are never split.
  EXPECT_EQ(GbkLength("é😀a"), 5u);
  const char* longer[] = {"", "", "é", "é", "é😀", "é😀a", "é😀a"};
  for (std::size_t max = 0; max < std::size(longer); ++max) EXPECT_EQ(ClipToGbkBytes("é😀a", max), longer[max]) << max;
  EXPECT_EQ(GbkPrefixLength("中中\xE5\x85", 6), 8u);  // a cut-off character at the end counts as it stands
}

// Code points that are no character give no text: NUL, the surrogates, past U+10FFFF.
TEST(Gbk, OnlyCodePointsOfCharactersGiveText) {
  for (char32_t none : {0x0u, 0xD800u, 0xDFFFu, 0x110000u})
    EXPECT_EQ(Utf8FromCodePoint(none), "") << std::hex << static_cast<unsigned>(none);
  EXPECT_EQ(Utf8FromCodePoint(0xD7FF), "\xED\x9F\xBF");
  EXPECT_EQ(Utf8FromCodePoint(0xE000), "\xEE\x80\x80");
  EXPECT_EQ(Utf8FromCodePoint(0x10FFFF), "\xF4\x8F\xBF\xBF");
}

// Each code point takes the fewest bytes UTF-8 gives it, at both ends of each length.
TEST(Gbk, CodePointsTakeTheShortestUtf8Form) {
  const struct {
    char32_t c;
    const char* utf8;
  } cases[] = {{0x7F, "\x7F"},          {0x80, "\xC2\x80"},       {0x7FF, "\xDF\xBF"},
               {0x800, "\xE0\xA0\x80"}, {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}};
  for (const auto& c : cases) EXPECT_EQ(Utf8FromCodePoint(c.c), c.utf8) << std::hex << static_cast<unsigned>(c.c);
}

// Every double-byte code either is refused or stands for one character
// outside the private-use area that converts back to the same two bytes.
// The count is what glibc's GBK table assigns; the Windows build must agree.
TEST(Gbk, EveryDoubleByteCodeGlibcAcceptsConvertsBack) {
  int accepted = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto text = trail == 0x7F ? std::nullopt : GbkToUtf8(code);
      if (!text) continue;
      ++accepted;
      EXPECT_FALSE(*text >= "\xEE\x80\x80" && *text <= "\xEF\xA3\xBF") << std::hex << lead << trail;  // U+E000..U+F8FF
      EXPECT_EQ(Utf8ToGbk(*text).value_or("<refused>"), code) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(accepted, 21791);
}

TEST(IniDocument, ReadsCaseInsensitivelyFallingBackToDefaults) {
  const auto doc = IniDocument::Parse("[previous]\r\nFREQU=174\r\n");
  EXPECT_EQ(doc.GetString("Previous", "FreqU", "", 20), "174");
  EXPECT_EQ(doc.GetString("PREVIOUS", "frequ", "", 20), "174");
  EXPECT_EQ(doc.GetString("B", "FreqU", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetString("Previous", "x", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetInt("Previous", "x", 80), 80);
  EXPECT_EQ(ReadIniFile("/nonexistent/kavir.ini").GetString("A", "k", "d", 20), "d");
}

// At most 19 GBK bytes, and a character that would need the 20th goes.
TEST(IniDocument, AReadTakesAtMost19GbkBytes) {
  const auto doc =
      IniDocument::Parse(Gbk("[previous]\r\nlong=0123456789012345678关关\r\ncut=012345678901234567关\r\n"));
  EXPECT_EQ(doc.GetString("Previous", "long", "", 20), "0123456789012345678");
  EXPECT_EQ(doc.GetString("Previous", "cut", "", 20), "012345678901234567");
}

TEST(IniDocument, IntegerReadTakesTheLeadingDecimalValue) {
  struct {
    const char* text;
    int value;
  } cases[] = {{"  -42x", -42},
               {"+7", 7},
               {"abc", 0},
               {"", 0},
               {"1234567890", 1234567890},
               {"9", 9},
               {"-", 0},
               {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    auto doc = IniDocument::Parse(std::string("[W]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(doc.GetInt("W", "k", 1), c.value) << c.text;
  }
  for (const char* none : {"", "abc", "/5", "+", " -x"}) EXPECT_EQ(LeadingInt(none, -1), -1) << none;
  EXPECT_EQ(LeadingInt(std::string_view("1234").substr(0, 2)), 12);  // stops at the view's end
}

TEST(IniDocument, WritesChangeOnlyTheirOwnLines) {
  auto doc = IniDocument::Parse(
      "; radio notes\r\n[Previous]\r\nType=A\r\nForeign=keep me\r\n\r\n[Empty]\r\n[Other]\r\nx=1\r\n");
  doc.SetString("previous", "type", "B");
  doc.SetString("Previous", "New", "");
  doc.SetString("Added", "k", "v");
  doc.SetString("Other", "y", "2");  // stays in its section, above the added one
  doc.SetString("Empty", "e", "3");
  EXPECT_EQ(doc.Serialize(),
            "; radio notes\r\n[Previous]\r\nType=B\r\nForeign=keep me\r\nNew=\r\n\r\n"
            "[Empty]\r\ne=3\r\n[Other]\r\nx=1\r\ny=2\r\n[Added]\r\nk=v\r\n");
  EXPECT_EQ(doc.Find("Previous", "New"), std::optional<std::string>(""));
  EXPECT_TRUE(doc.HasSection("ADDED"));
  EXPECT_TRUE(doc.HasSection("empty"));
  EXPECT_FALSE(doc.HasSection("Missing"));
  // A file whose last line has no break gets one before a new section.
  auto unended = IniDocument::Parse("[A]\r\nk=v");
  unended.SetString("B", "x", "1");
  EXPECT_EQ(unended.Serialize(), "[A]\r\nk=v\r\n[B]\r\nx=1\r\n");

  std::string junk("[A]\nk=v\rl=w\r\n\0\xFF\xFE=\x01\n", 20);
  junk += std::string(100000, 'z');  // a very long last line, no final newline
  auto raw = IniDocument::Parse(junk);
  EXPECT_EQ(raw.GetString("A", "l", "", 20), "w");
  EXPECT_EQ(raw.Serialize(), junk);
  raw.SetString("A", "m", "x");
  auto again = IniDocument::Parse(raw.Serialize());
  EXPECT_EQ(again.GetString("A", "m", "", 20), "x");
  EXPECT_EQ(again.GetString("A", "k", "", 20), "v");
}

// Only the first header of a name and the first entry of a key count, for
// reads and writes alike, however many names a document holds.
TEST(IniDocument, TheFirstOfEqualNamesCountsAmongMany) {
  std::string text = "[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nx=4\r\n";
  for (int n = 0; n < 40; ++n) text += "[S" + std::to_string(n) + "]\r\n";
  auto doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.GetString("a", "K", "", 20), "1");
  EXPECT_EQ(doc.GetString("A", "x", "none", 20), "none");  // in the second [a] only
  EXPECT_EQ(doc.Keys("A"), (std::vector<std::string>{"k", "K"}));
  doc.SetString("A", "K", "5");
  for (int n = 0; n < 40; ++n)
    for (int k = 0; k < 30; ++k)
      doc.SetString("s" + std::to_string(n), "Key" + std::to_string(k), std::to_string(n * k));
  EXPECT_EQ(doc.Serialize().rfind("[A]\r\nk=5\r\nK=2\r\n[a]\r\nk=3\r\nx=4\r\n[S0]\r\nKey0=0\r\n", 0), 0u);
  const auto again = IniDocument::Parse(doc.Serialize());
  for (const IniDocument* d : {static_cast<const IniDocument*>(&doc), &again})
    for (int n = 0; n < 40; n += 13)
      for (int k = 0; k < 30; k += 7)
        EXPECT_EQ(d->GetInt("S" + std::to_string(n), "KEY" + std::to_string(k), -1), n * k);
}

// A value changed many times leaves every other line as it was, in a GBK
// file with Chinese names as well as in plain ASCII.
TEST(IniDocument, ManyChangesKeepTheRestByteForByte) {
  const std::string head = Gbk("[频道]\r\n 名 = 值 \r\n");
  const std::string tail = "\r\n; end\r\n[B]\r\nb=2";
  auto doc = IniDocument::Parse(head + "k=0" + tail);
  for (int i = 1; i <= 3000; ++i) doc.SetString("频道", "k", i % 2 ? "宽带" + std::to_string(i) : std::to_string(i));
  EXPECT_EQ(doc.Serialize(), head + "k=3000" + tail);
  doc.SetString("频道", "k", "宽");
  EXPECT_EQ(doc.Serialize(), head + Gbk("k=宽") + tail);
  EXPECT_EQ(doc.GetString("频道", "名", "", 20), "值");
  doc.SetString("b", "B", "3");  // the last line still ends without a break
  EXPECT_EQ(doc.Serialize(), head + Gbk("k=宽") + "\r\n; end\r\n[B]\r\nb=3");
}

TEST(IniDocument, WhatGbkCannotHoldBecomesAQuestionMark) {
  auto gbk = IniDocument::Parse(Gbk("[BusyLock]\r\n1=禁止\r\n"));
  gbk.SetString("BusyLock", "2", "载波控制");
  gbk.SetString("BusyLock", "3", "关😀x한ع");
  EXPECT_EQ(gbk.Serialize(), Gbk("[BusyLock]\r\n1=禁止\r\n2=载波控制\r\n3=关") + "?x??\r\n");
  auto utf8 = IniDocument::Parse("\xEF\xBB\xBF[A]\r\nk=关\r\n");
  utf8.SetString("A", "n", "宽😀");
  EXPECT_EQ(utf8.Serialize(), "\xEF\xBB\xBF[A]\r\nk=关\r\nn=宽😀\r\n");
}

// A file's encoding is found from its bytes and kept by a resave.
// C1 leads only an overlong form: a line holding one is no UTF-8.
TEST(IniDocument, AnOverlongTwoByteFormIsNoUtf8) {
  EXPECT_EQ(IniDocument::Parse("[Previous]\r\nType=关\xC1\xBF\r\n").undecodable_line(), 2);
}

TEST(IniFile, AResaveKeepsTheEncodingItsBytesShow) {
  using E = IniDocument::Encoding;
  struct Case {
    const char* name;
    std::string bytes;
    E encoding;
    const char* type;  // [Previous] Type as read
  } cases[] = {
      {"UTF-8 without a mark", "[Previous]\r\nType=KV16可定义\r\nMode=常规\r\n", E::Utf8, "KV16可定义"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF[Previous]\r\nType=常规\r\n", E::Utf8Bom, "常规"},
      {"GBK", "[Previous]\r\nType=" + Gbk("KV16可定义") + "\r\n", E::Gbk, "KV16可定义"},
      {"ASCII only", "[Previous]\r\nType=KV16V\r\n", E::Gbk, "KV16V"},
      // Neither throughout: taken as what its Chinese is, the stray byte kept.
      {"UTF-8 but one stray byte", "[Previous]\r\nType=常规\r\nX=\xB9\r\n", E::Utf8, "常规"},
      {"overlong UTF-8 form", "[Previous]\r\nType=\xC0\xAF\r\n", E::Gbk, nullptr},
      {"two- and three-byte forms", "[Previous]\r\nType=é关\r\n", E::Utf8, "é关"},
      {"a surrogate", "[Previous]\r\nType=关\xED\xA0\x80\r\n", E::Gbk, nullptr},
      {"no lead byte above F4", "[Previous]\r\nType=关\xF8\x80\x80\x80\r\n", E::Gbk, nullptr},
      // The edges of the forms: U+07FF, U+10FFFF, and nothing past it.
      {"the last two-byte form", "[Previous]\r\nType=关\xDF\xBF\r\n", E::Utf8, "关\xDF\xBF"},
      {"the first three- and four-byte forms", "[Previous]\r\nType=\xE0\xA0\x80\xF0\x90\x80\x80\xE1\x80\x80\r\n",
       E::Utf8, "\xE0\xA0\x80\xF0\x90\x80\x80\xE1\x80\x80"},
      {"the last three-byte forms", "[Previous]\r\nType=\xEF\xBF\xBF\xEE\xBF\xBF\r\n", E::Utf8,
       "\xEF\xBF\xBF\xEE\xBF\xBF"},
      {"the last code point", "[Previous]\r\nType=关\xF4\x8F\xBF\xBF\xF1\x80\x80\x80\r\n", E::Utf8,
       "关\xF4\x8F\xBF\xBF\xF1\x80\x80\x80"},
      {"past the last code point", "[Previous]\r\nType=关\xF4\x90\x80\x80\r\n", E::Gbk, nullptr},
      {"an overlong three-byte form", "[Previous]\r\nType=关\xE0\x9F\xBF\r\n", E::Gbk, nullptr},
      // 7F is ASCII, never a continuation byte, in the second place or later.
      {"7F after a lead byte", "[Previous]\r\nType=关\xE5\x7F\xB3\r\n", E::Gbk, nullptr},
      {"7F in the last place", "[Previous]\r\nType=关\xE5\x85\x7F\r\n", E::Gbk, nullptr},
      {"the last form before the surrogates", "[Previous]\r\nType=关\xED\x9F\xBF\r\n", E::Utf8, "关\xED\x9F\xBF"},
      {"Chinese in the first byte", "关=1\r\n[Previous]\r\nType=x\r\n", E::Utf8, "x"},
      {"the first two-byte form, and Chinese in the last byte", "[Previous]\r\nType=\xC2\x80关", E::Utf8, "\xC2\x80关"},
      // D6 B5 is 值 in GBK and also a valid two-byte UTF-8 form.
      {"GBK that reads as UTF-8", "[Previous]\r\nType=" + Gbk("值") + "\r\n", E::Gbk, "值"},
  };
  // DEL is ASCII: no line of this file is taken for one that cannot be read.
  const IniDocument del = IniDocument::Parse("[Previous]\r\nType=常规\x7F\r\n");
  EXPECT_EQ(del.encoding(), E::Utf8);
  EXPECT_EQ(del.undecodable_line(), 0);
  TempDir dir;
  const std::string path = dir.File("p.dat");
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    IniFile file(path);
    EXPECT_EQ(file.doc().encoding(), c.encoding) << c.name;
    file.SetString("Previous", "Mode", "集群");
    ASSERT_TRUE(file.Save()) << c.name;
    IniFile again(path);
    EXPECT_EQ(again.doc().encoding(), c.encoding) << c.name;
    EXPECT_EQ(again.GetString("Previous", "Mode", "", 20), "集群") << c.name;
    if (c.type) {
      EXPECT_EQ(file.GetString("Previous", "Type", "", 20), c.type) << c.name;
      EXPECT_EQ(again.GetString("Previous", "Type", "", 20), c.type) << c.name;
    }
  }
  // One key written straight into the file keeps the rest.
  ASSERT_TRUE(WriteValue(path, "Previous", "Mode", "常规").ok);
  const auto stored = [&](const char* key) { return IniFile(path).GetString("Previous", key, "", 20); };
  EXPECT_EQ(stored("Mode"), "常规");
  EXPECT_EQ(stored("Type"), "值");
}

}  // namespace
}  // namespace kavir::test
