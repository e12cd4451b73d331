#include <gtest/gtest.h>

#include "profile/atomic_file.h"
#include "profile/gbk.h"
#include "profile/ini_document.h"
#include "support.h"

namespace kavir::test {
namespace {

std::string Gbk(const std::string& utf8) { return *Utf8ToGbk(utf8); }

TEST(Gbk, ConvertsClipsAndRejects) {
  EXPECT_EQ(Gbk("关"), "\xB9\xD8");
  EXPECT_EQ(*GbkToUtf8("\xB9\xD8"), "关");
  EXPECT_FALSE(GbkToUtf8("\xB9").has_value());      // truncated sequence
  EXPECT_FALSE(Utf8ToGbk("\xFF\xFE").has_value());  // not UTF-8
  EXPECT_FALSE(Utf8ToGbk("😀").has_value());        // not in GBK
  EXPECT_EQ(GbkToUtf8Lossy("a\xFF" "b\xB9\xD8"), "a\xEF\xBF\xBD" "b关");
  EXPECT_EQ(GbkLength("CTC/DCS控制"), 11u);
  struct { std::size_t max; const char* clipped; } clips[] = {{10, "CTC/DCS控"}, {8, "CTC/DCS"}, {19, "CTC/DCS控制"}};
  for (const auto& c : clips) EXPECT_EQ(ClipToGbkBytes("CTC/DCS控制", c.max), c.clipped) << c.max;
}

TEST(IniDocument, ReadsCaseInsensitivelyWithDefaultsAndLimits) {
  auto doc = IniDocument::Parse(Gbk("[previous]\r\nFREQU=174\r\nlong=0123456789012345678关关\r\n"
                                    "cut=012345678901234567关\r\n"));
  EXPECT_EQ(doc.GetString("Previous", "FreqU", "", 20), "174");
  EXPECT_EQ(doc.GetString("PREVIOUS", "frequ", "", 20), "174");
  EXPECT_EQ(doc.GetString("B", "FreqU", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetString("Previous", "x", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetInt("Previous", "x", 80), 80);
  EXPECT_EQ(ReadIniFile("/nonexistent/kavir.ini").GetString("A", "k", "d", 20), "d");
  // At most 19 GBK bytes, and a character that would need the 20th goes.
  EXPECT_EQ(doc.GetString("Previous", "long", "", 20), "0123456789012345678");
  EXPECT_EQ(doc.GetString("Previous", "cut", "", 20), "012345678901234567");
}

TEST(IniDocument, IntegerReadTakesTheLeadingDecimalValue) {
  struct { const char* text; int value; } cases[] = {
      {"  -42x", -42}, {"+7", 7}, {"abc", 0}, {"", 0}, {"1234567890", 1234567890}, {"9", 9},
      {"-", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    auto doc = IniDocument::Parse(std::string("[W]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(doc.GetInt("W", "k", 1), c.value) << c.text;
  }
  for (const char* none : {"", "abc", "/5", "+", " -x"}) EXPECT_EQ(LeadingInt(none, -1), -1) << none;
}

TEST(IniDocument, WritesReplaceInPlaceAndKeepEveryOtherByte) {
  auto doc = IniDocument::Parse(
      "; radio notes\r\n[Previous]\r\nType=A\r\nForeign=keep me\r\n\r\n[Other]\r\nx=1\r\n");
  doc.SetString("previous", "type", "B");
  doc.SetString("Previous", "New", "");
  doc.SetString("Added", "k", "v");
  EXPECT_EQ(doc.Serialize(), "; radio notes\r\n[Previous]\r\nType=B\r\nForeign=keep me\r\nNew=\r\n\r\n"
                             "[Other]\r\nx=1\r\n[Added]\r\nk=v\r\n");
  EXPECT_EQ(doc.Find("Previous", "New"), std::optional<std::string>(""));

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

TEST(IniDocument, KeepsTheEncodingItWasReadIn) {
  auto utf8 = IniDocument::Parse("\xEF\xBB\xBF[A]\r\nk=关\r\n");
  EXPECT_EQ(utf8.encoding(), IniDocument::Encoding::Utf8Bom);
  EXPECT_EQ(utf8.GetString("A", "k", "", 20), "关");
  utf8.SetString("A", "n", "宽😀");
  EXPECT_EQ(utf8.Serialize(), "\xEF\xBB\xBF[A]\r\nk=关\r\nn=宽😀\r\n");

  auto gbk = IniDocument::Parse(Gbk("[BusyLock]\r\n1=禁止\r\n"));
  EXPECT_EQ(gbk.GetString("BusyLock", "1", "", 20), "禁止");
  gbk.SetString("BusyLock", "2", "载波控制");
  // What GBK cannot hold becomes '?', every other character is kept.
  gbk.SetString("BusyLock", "3", "关😀x한");
  EXPECT_EQ(gbk.Serialize(), Gbk("[BusyLock]\r\n1=禁止\r\n2=载波控制\r\n3=关") + "?x?\r\n");
}

TEST(IniFile, SavesAtomicallyThroughLinksAndReportsFailures) {
  TempDir dir;
  const std::string real = dir.File("real.ini"), link = dir.File("link.ini");
  WriteBytes(real, "[A]\r\nk=old\r\n");
  std::error_code ec;
  std::filesystem::create_symlink(real, link, ec);
#if defined(_WIN32)
  if (ec) GTEST_SKIP() << "cannot make a symbolic link (" << ec.message()
                       << "): Windows grants that only with a privilege";
#endif
  ASSERT_FALSE(ec) << ec.message();
  IniFile f(link);
  f.SetString("A", "k", "new");
  ASSERT_TRUE(f.Save().ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[A]\r\nk=new\r\n");
  int files = 0;  // no temporary file is left behind
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2);

  const std::string missing = dir.File("no-such-folder/a.ini");
  IoStatus s = WriteIniFile(missing, f.doc());
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.path, missing);
  EXPECT_FALSE(s.reason.empty());
  EXPECT_NE(s.Message().find(missing), std::string::npos);
  // A folder cannot be replaced, read or taken for an empty file.
  const std::string folder = dir.File("folder.ini");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/inside", "x");
  EXPECT_FALSE(WriteIniFile(folder, f.doc()).ok);
  EXPECT_EQ(ReadBytes(folder + "/inside"), "x");
  IoStatus read;
  ReadIniFile(folder, &read);
  EXPECT_FALSE(read.ok);
  ReadIniFile(dir.File("missing.ini"), &read);
  EXPECT_TRUE(read.ok);
#if !defined(_WIN32)
  ASSERT_TRUE(WriteFileAtomically("/dev/null", "bytes").ok);  // devices are written in place
  EXPECT_FALSE(std::filesystem::is_regular_file("/dev/null"));
#endif
}

}  // namespace
}  // namespace kavir::test
