#include <gtest/gtest.h>

#include "profile/atomic_file.h"
#include "profile/gbk.h"
#include "profile/ini_document.h"
#include "test_dir.h"

namespace kavir {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Gbk(const std::string& utf8) { return *Utf8ToGbk(utf8); }

TEST(Gbk, ConvertsBothWaysAndRejectsInvalidInput) {
  EXPECT_EQ(Gbk("关"), "\xB9\xD8");
  EXPECT_EQ(*GbkToUtf8("\xB9\xD8"), "关");
  EXPECT_FALSE(GbkToUtf8("\xB9").has_value());       // truncated sequence
  EXPECT_FALSE(Utf8ToGbk("\xFF\xFE").has_value());   // not UTF-8
  EXPECT_EQ(GbkToUtf8Lossy("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

TEST(Gbk, ClippingCountsGbkBytesAndNeverSplitsACharacter) {
  EXPECT_EQ(GbkLength("CTC/DCS控制"), 11u);
  EXPECT_EQ(ClipToGbkBytes("CTC/DCS控制", 10), "CTC/DCS控");
  EXPECT_EQ(ClipToGbkBytes("CTC/DCS控制", 8), "CTC/DCS");
  EXPECT_EQ(ClipToGbkBytes("abc", 19), "abc");
}

TEST(IniDocument, NamesMatchWithoutRegardToCase) {
  auto doc = IniDocument::Parse("[previous]\r\nFREQU=174\r\nfreqv=136\r\n");
  EXPECT_EQ(doc.GetString("Previous", "FreqU", "", 20), "174");
  EXPECT_EQ(doc.GetString("PREVIOUS", "Frequ", "", 20), "174");
  EXPECT_EQ(doc.GetInt("Previous", "FreqV", 0), 136);
}

TEST(IniDocument, MissingSectionOrKeyGivesTheDefault) {
  auto doc = IniDocument::Parse("[A]\r\nk=v\r\n");
  EXPECT_EQ(doc.GetString("B", "k", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetString("A", "x", "dflt", 20), "dflt");
  EXPECT_EQ(doc.GetInt("A", "x", 80), 80);
  EXPECT_EQ(ReadIniFile("/nonexistent/kavir.ini").GetString("A", "k", "d", 20), "d");
}

TEST(IniDocument, ReadsAtMostBufferSizeMinusOneGbkBytes) {
  auto doc = IniDocument::Parse(Gbk("[A]\r\nlong=0123456789012345678关关\r\ncut=012345678901234567关\r\n"));
  EXPECT_EQ(doc.GetString("A", "long", "", 20), "0123456789012345678");
  // 18 ASCII bytes then a two-byte character: it would need 20 bytes, so it goes.
  EXPECT_EQ(doc.GetString("A", "cut", "", 20), "012345678901234567");
}

TEST(IniDocument, IntegerReadTakesTheLeadingDecimalValue) {
  auto doc = IniDocument::Parse("[W]\r\na=  -42x\r\nb=+7\r\nc=abc\r\nd=\r\n");
  EXPECT_EQ(doc.GetInt("W", "a", 1), -42);
  EXPECT_EQ(doc.GetInt("W", "b", 1), 7);
  EXPECT_EQ(doc.GetInt("W", "c", 1), 0);
  EXPECT_EQ(doc.GetInt("W", "d", 1), 0);
  EXPECT_EQ(doc.GetInt("W", "missing", 1), 1);
}

TEST(IniDocument, WritesReplaceInPlaceAndKeepEverythingElse) {
  const std::string original =
      "; radio notes\r\n[Previous]\r\nType=A\r\nForeign=keep me\r\n\r\n[Other]\r\nx=1\r\n";
  auto doc = IniDocument::Parse(original);
  doc.SetString("previous", "type", "B");
  doc.SetString("Previous", "New", "");
  doc.SetString("Added", "k", "v");
  EXPECT_EQ(doc.Serialize(),
            "; radio notes\r\n[Previous]\r\nType=B\r\nForeign=keep me\r\nNew=\r\n\r\n[Other]\r\n"
            "x=1\r\n[Added]\r\nk=v\r\n");
  EXPECT_EQ(doc.Find("Previous", "New"), std::optional<std::string>(""));
}

TEST(IniDocument, AnyBytesParseAndUnchangedLinesSurviveByteForByte) {
  std::string junk("[A]\nk=v\rl=w\r\n\0\xFF\xFE=\x01\n", 20);
  junk += std::string(100000, 'z');  // a very long last line, no final newline
  auto doc = IniDocument::Parse(junk);
  EXPECT_EQ(doc.GetString("A", "k", "", 20), "v");
  EXPECT_EQ(doc.GetString("A", "l", "", 20), "w");
  EXPECT_EQ(doc.Serialize(), junk);
  doc.SetString("A", "m", "x");
  auto again = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(again.GetString("A", "m", "", 20), "x");
  EXPECT_EQ(again.GetString("A", "k", "", 20), "v");
}

TEST(IniDocument, Utf8FileWithByteOrderMarkStaysUtf8) {
  auto doc = IniDocument::Parse("\xEF\xBB\xBF[A]\r\nk=关\r\n");
  EXPECT_EQ(doc.encoding(), IniDocument::Encoding::Utf8Bom);
  EXPECT_EQ(doc.GetString("A", "k", "", 20), "关");
  doc.SetString("A", "n", "宽");
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[A]\r\nk=关\r\nn=宽\r\n");
}

TEST(IniDocument, GbkFileIsReadAndWrittenAsGbk) {
  auto doc = IniDocument::Parse(Gbk("[BusyLock]\r\n1=禁止\r\n"));
  EXPECT_EQ(doc.GetString("BusyLock", "1", "", 20), "禁止");
  doc.SetString("BusyLock", "2", "载波控制");
  EXPECT_EQ(doc.Serialize(), Gbk("[BusyLock]\r\n1=禁止\r\n2=载波控制\r\n"));
}

TEST(IniFile, SaveReplacesTheFileAtomically) {
  TempDir dir;
  const std::string path = dir.File("a.ini");
  WriteBytes(path, "[A]\r\nk=old\r\n");
  IniFile f(path);
  f.SetString("A", "k", "new");
  ASSERT_TRUE(f.Save().ok);
  EXPECT_EQ(ReadBytes(path), "[A]\r\nk=new\r\n");
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(IniFile, FailedSaveReportsPathAndReasonAndKeepsNothingHalfWritten) {
  TempDir dir;
  const std::string missing = dir.File("no-such-folder/a.ini");
  IniDocument doc;
  doc.SetString("A", "k", "v");
  IoStatus s = WriteIniFile(missing, doc);
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.path, missing);
  EXPECT_FALSE(s.reason.empty());
  EXPECT_NE(s.Message().find(missing), std::string::npos);

  // A target that is a folder cannot be replaced; it stays as it was.
  const std::string folder = dir.File("folder.ini");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/inside", "x");
  EXPECT_FALSE(WriteIniFile(folder, doc).ok);
  EXPECT_EQ(ReadBytes(folder + "/inside"), "x");
}

TEST(IniFile, SaveThroughALinkReplacesTheFileItNamesAndKeepsTheLink) {
  TempDir dir;
  const std::string real = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
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
}

TEST(AtomicFile, DevicesAreWrittenInPlaceNeverReplaced) {
#if !defined(_WIN32)
  ASSERT_TRUE(WriteFileAtomically("/dev/null", "bytes").ok);
  EXPECT_FALSE(std::filesystem::is_regular_file("/dev/null"));
#endif
}

TEST(IniFile, UnreadableFileIsReportedNotTakenAsEmpty) {
  TempDir dir;
  IoStatus s;
  ReadIniFile(Utf8FromPath(dir.path()), &s);
  EXPECT_FALSE(s.ok);
  IoStatus missing;
  ReadIniFile(dir.File("missing.ini"), &missing);
  EXPECT_TRUE(missing.ok);
}

}  // namespace
}  // namespace kavir
