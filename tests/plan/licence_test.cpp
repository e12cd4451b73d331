// Licence files as dealers write them, and what a bad one is told: the line
// and the column of the first thing wrong.
#include "plan/licence.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "ini/atomic_file.h"
#include "ini/file_path.h"
#include "ini/gbk.h"
#include "plan/licence_choice.h"

namespace kavir::test {
namespace {

LicenceEntry Entry(std::int64_t hz, bool high, bool wide, bool tx, std::string note, int line) {
  return {Frequency::FromHz(hz), high, wide, tx, std::move(note), line};
}

TEST(Licence, ReadsTheColumnsByNameInEnglishOrChineseWithTheWordsOfEither) {
  const struct {
    const char* what;
    std::string text;
    std::vector<LicenceEntry> entries;
  } cases[] = {
      {"English, as the sample has it",
       "Frequency,MaxPower,Bandwidth,TX,Note\n451.025,high,wide,yes,café\n451.0375,low,narrow,no,\"yard, gate\"\n",
       {Entry(451025000, true, true, true, "café", 2), Entry(451037500, false, false, false, "yard, gate", 3)}},
      {"byte-order mark, CR LF, comments, any order and letter case, no note, blank columns",
       "\xEF\xBB\xBF# customer 17\r\ntx , BANDWIDTH,frequency,maxpower,,\r\n# main site\r\nYES,Wide,  146.52 "
       ",High,,\r\n"
       "no,12.5,146.5,low\r\n\r\nyes,25,146.49375,LOW,,\r\n",
       {Entry(146520000, true, true, true, "", 4), Entry(146500000, false, false, false, "", 5),
        Entry(146493750, false, true, true, "", 7)}},
      {"Chinese, a four-byte character, no line end at the end",
       "频率,最大功率,带宽,允许发射,备注\n409.75,高,宽,是,车队 🚚\n409.7625,低,窄,否,二队",
       {Entry(409750000, true, true, true, "车队 🚚", 2), Entry(409762500, false, false, false, "二队", 3)}},
      {"a note over two lines",
       "Frequency,MaxPower,Bandwidth,TX,Note\n451.025,high,wide,yes,\"one\ntwo\"\n451.05,low,wide,yes\n",
       {Entry(451025000, true, true, true, "one\ntwo", 2), Entry(451050000, false, true, true, "", 4)}},
  };
  for (const auto& c : cases) {
    const LicenceReading r = ReadLicence(c.text);
    ASSERT_TRUE(r.licence) << c.what << ": " << r.error.message;
    EXPECT_EQ(r.licence->entries, c.entries) << c.what;
  }
  // A spreadsheet on a Chinese system saves GBK (€ is one byte there, 0x80).
  const std::string utf8 = "频率,最大功率,带宽,允许发射,备注\n409.75,高,窄,是,车队 €\n";
  const LicenceReading gbk = ReadLicence(Utf8ToGbk(utf8).value());
  ASSERT_TRUE(gbk.licence) << gbk.error.message;
  EXPECT_EQ(gbk.licence->entries, std::vector<LicenceEntry>{Entry(409750000, true, false, true, "车队 €", 2)});
  const LicenceReading euro = ReadLicence("Frequency,MaxPower,Bandwidth,TX,Note\n409.75,high,narrow,yes,\x80 5\n");
  ASSERT_TRUE(euro.licence) << euro.error.message;
  EXPECT_EQ(euro.licence->entries.front().note, "€ 5");
}

TEST(Licence, FindsExactlyTheFrequencyListed) {
  const LicenceReading r =
      ReadLicence("Frequency,MaxPower,Bandwidth,TX\n451.025,high,wide,yes\n451.0375,low,narrow,no\n");
  ASSERT_TRUE(r.licence);
  ASSERT_NE(r.licence->Find(Frequency::FromHz(451037500)), nullptr);
  EXPECT_EQ(r.licence->Find(Frequency::FromHz(451037500))->line, 3);
  EXPECT_EQ(r.licence->Find(Frequency::FromHz(451025000))->line, 2);
  EXPECT_EQ(r.licence->Find(Frequency::FromHz(451031250)), nullptr);
  EXPECT_EQ(r.licence->Find(Frequency::FromHz(451025010)), nullptr);
}

TEST(Licence, ABadFileIsRefusedNamingTheCellAtFault) {
  const std::string header = "Frequency,MaxPower,Bandwidth,TX,Note\n";
  const struct {
    std::string text;
    int line, column;
    const char* message;
  } cases[] = {
      {"\xEF\xBB\xBF# only a comment\n", 1, 0, "第 1 行: 没有标题行 (Frequency,MaxPower,Bandwidth,TX,Note)"},
      {"# a comment\n" + header + "# none\n", 2, 0, "第 2 行: 许可证中没有列出任何频率"},
      {"Freq,MaxPower,Bandwidth,TX\n", 1, 1,
       "第 1 行第 1 列 (Freq): 不认识的列名 (应为 Frequency, MaxPower, Bandwidth, TX, Note)"},
      {"Frequency,TX,MaxPower,Bandwidth,FREQUENCY\n", 1, 5, "第 1 行第 5 列 (FREQUENCY): 这一列在第 1 列已经有了"},
      {"MaxPower,Bandwidth,TX,Note\n", 1, 0, "第 1 行: 没有 Frequency 列"},
      {"Frequency,TX,Bandwidth\n", 1, 0, "第 1 行: 没有 MaxPower 列"},
      {"Frequency,MaxPower,TX,Note\n451.025,high,yes,\n", 1, 0, "第 1 行: 没有 Bandwidth 列"},
      {"Frequency,MaxPower,Bandwidth,Note\n", 1, 0, "第 1 行: 没有 TX 列"},
      {header + "451.025,high,wide,yes\n451.0251234,high,wide,yes\n", 3, 1,
       "第 3 行第 1 列 (Frequency): \"451.0251234\" 不是以 MHz 为单位的频率 (例如 451.02500)"},
      {header + "0,high,wide,yes\n", 2, 1,
       "第 2 行第 1 列 (Frequency): \"0\" 不是以 MHz 为单位的频率 (例如 451.02500)"},
      {header + "451.025,high,wide,yes\n451.02500,low,narrow,no\n", 3, 1,
       "第 3 行第 1 列 (Frequency): 451.02500 MHz 在第 2 行已经列出"},
      {header + ",high,wide,yes\n", 2, 1, "第 2 行第 1 列 (Frequency): 没有填写"},
      {header + "451.025, ,wide,yes\n", 2, 2, "第 2 行第 2 列 (MaxPower): 没有填写"},
      {header + "451.025,high,wide\n", 2, 4, "第 2 行第 4 列 (TX): 没有填写"},
      {header + "451.025,5W,wide,yes\n", 2, 2,
       "第 2 行第 2 列 (MaxPower): \"5W\" 不是功率: 应为 low 或 high (低 或 高)"},
      {header + "451.025,high,medium,yes\n", 2, 3,
       "第 2 行第 3 列 (Bandwidth): \"medium\" 不是带宽: 应为 narrow 或 wide (窄 或 宽, 12.5 或 25)"},
      {header + "451.025,high,wide,maybe\n", 2, 4, "第 2 行第 4 列 (TX): \"maybe\" 应为 yes 或 no (是 或 否)"},
      {"频率,最大功率,带宽,允许发射\n451.025,高,宽,可以\n", 2, 4,
       "第 2 行第 4 列 (允许发射): \"可以\" 应为 yes 或 no (是 或 否)"},
      {header + "451.025,high,wide,yes,note,extra\n", 2, 6, "第 2 行第 6 列: 这个单元格没有列名"},
      {"Frequency,,MaxPower,Bandwidth,TX\n451.025,x,high,wide,yes\n", 2, 2, "第 2 行第 2 列: 这个单元格没有列名"},
      {header + "451.025,high,wide,yes,\"open\n451.05,low,wide,yes,\n", 2, 5, "第 2 行第 5 列: 引号没有闭合"},
      {header + std::string("451.025,high,wi\0de,yes\n", 23), 2, 3, "第 2 行第 3 列: 含有 NUL 字节: 不是文本文件"},
      {"Frequency,Max\xFFPower\n", 1, 2, "第 1 行第 2 列: 不是 UTF-8 文本 (请存为 UTF-8 的 CSV)"},
      {"Frequency,MaxPower,Bandwidth,TX\r\n\"451,025\",\xFF\r\n", 2, 2,
       "第 2 行第 2 列: 不是 UTF-8 文本 (请存为 UTF-8 的 CSV)"},
      {header + "451.025,high,wide,yes,\"a\nb\"\n451.05,low,\xFF\xFF,yes\n", 4, 3,
       "第 4 行第 3 列: 不是 UTF-8 文本 (请存为 UTF-8 的 CSV)"},
      {header + "451.025,high,wide,yes,\"x,\ry\"\r451.05,\xFF\n", 4, 2,
       "第 4 行第 2 列: 不是 UTF-8 文本 (请存为 UTF-8 的 CSV)"},
  };
  for (const auto& c : cases) {
    const LicenceReading r = ReadLicence(c.text);
    EXPECT_FALSE(r.licence) << c.text;
    EXPECT_EQ(r.error.line, c.line) << c.text;
    EXPECT_EQ(r.error.column, c.column) << c.text;
    EXPECT_EQ(r.error.message, c.message) << c.text;
  }
}

}  // namespace
}  // namespace kavir::test

namespace kavir::test {
namespace {

// The licence chosen for a profile is found again however the profile's
// path is written, can be forgotten, and a path no INI key can hold is
// refused rather than kept under a wrong key.
TEST(LicenceChoice, IsKeptPerProfileUnderItsFullPath) {
  // The paths as the program names them: UTF-8, in the system's own form.
  const auto full = [](const char* name) {
    return Utf8FromPath((std::filesystem::current_path() / PathFromUtf8(name)).lexically_normal());
  };
  IniDocument ini;
  ASSERT_TRUE(RememberLicence(ini, "customers/../客户A.dat", "licences/a.csv"));
  ASSERT_TRUE(RememberLicence(ini, "客户B.dat", "b.csv"));
  EXPECT_EQ(RememberedLicence(ini, full("客户A.dat")), full("licences/a.csv"));
  EXPECT_EQ(RememberedLicence(ini, "./客户B.dat"), full("b.csv"));
  EXPECT_EQ(RememberedLicence(ini, "客户C.dat"), "");

  ASSERT_TRUE(RememberLicence(ini, "客户A.dat", ""));
  EXPECT_EQ(RememberedLicence(ini, "客户A.dat"), "");
  EXPECT_EQ(RememberedLicence(ini, "客户B.dat"), full("b.csv"));

  const std::string before = ini.Serialize();
  EXPECT_FALSE(RememberLicence(ini, "a=b.dat", "b.csv"));
  EXPECT_FALSE(RememberLicence(ini, "客户B.dat", "b.csv\nKAVIR=1"));
  EXPECT_EQ(ini.Serialize(), before);
  EXPECT_EQ(RememberedLicence(ini, "a=b.dat"), "");
}

TEST(LicenceChoice, ALicenceFileThatCannotBeUsedIsNamedWithTheReason) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kavir-licence-choice";
  std::filesystem::create_directories(dir);
  const std::string bad = Utf8FromPath(dir / "bad.csv"), good = Utf8FromPath(dir / "good.csv");
  ASSERT_TRUE(WriteFileAtomically(bad, "Frequency,MaxPower,Bandwidth,TX\n451.025,5W,narrow,yes\n"));
  ASSERT_TRUE(WriteFileAtomically(good, "Frequency,MaxPower,Bandwidth,TX\n451.025,low,narrow,yes\n"));
  std::string error;
  EXPECT_FALSE(LoadLicenceFile(bad, &error));
  EXPECT_EQ(error.rfind(bad + ": 第 2 行第 2 列 (MaxPower)", 0), 0u) << error;
  error.clear();
  EXPECT_FALSE(LoadLicenceFile(Utf8FromPath(dir / "gone.csv"), &error));
  EXPECT_NE(error.find("gone.csv"), std::string::npos) << error;
  const std::optional<Licence> licence = LoadLicenceFile(good, &error);
  ASSERT_TRUE(licence);
  EXPECT_EQ(licence->entries, std::vector<LicenceEntry>{Entry(451025000, false, false, true, "", 2)});
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kavir::test
