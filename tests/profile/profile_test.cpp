#include <gtest/gtest.h>

#include "profile/gbk.h"
#include "profile/option_list.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "support.h"

namespace kavir::test {
namespace {

TEST(ClearProfile, EmptiesEveryKeyInOrderAndKeepsForeignOnes) {
  TempDir dir;
  auto files = WorkingFiles::FromDirectory(dir.path());
  ASSERT_TRUE(ClearProfile('R', "", files).ok);
  auto doc = ReadIniFile(files.read_ini);
  ASSERT_EQ(ProfileKeys().size(), 209u);
  EXPECT_EQ(doc.Keys("Previous"), ProfileKeys());
  for (const auto& k : ProfileKeys()) EXPECT_EQ(doc.Find("Previous", k), std::optional<std::string>(""));

  const std::string user = dir.File("mine.dat");
  WriteBytes(user, "[Notes]\r\nwho=tech\r\n[Previous]\r\nMine=1\r\nType=X\r\n");
  ASSERT_TRUE(ClearProfile('C', user, files).ok);
  doc = ReadIniFile(user);
  EXPECT_EQ(doc.GetString("Notes", "who", "", 20), "tech");
  EXPECT_EQ(doc.GetString("Previous", "Mine", "", 20), "1");
  EXPECT_EQ(doc.Find("Previous", "Type"), std::optional<std::string>(""));
  EXPECT_FALSE(std::filesystem::exists(files.write_ini));
  ASSERT_TRUE(ClearProfile('W', user, files).ok);
  EXPECT_TRUE(std::filesystem::exists(files.write_ini));
}

TEST(Handshake, NamesTheModelByTheSignedThirdByte) {
  TempDir dir;
  auto files = WorkingFiles::FromDirectory(dir.path());
  WriteBytes(files.kavir_ini, *Utf8ToGbk("[Type]\r\n1=VX1\r\n6=UX6\r\n0=ZERO\r\n[Mode]\r\n1=常规\r\n6=集群\r\n"));
  WriteBytes(files.ModelFile("VX1"), "[Previous]\r\nFreqV=136\r\nFreqU=174\r\n");
  WriteBytes(files.ModelFile("UX6"), "[Previous]\r\nFreqV=400\r\nFrequ=470\r\n");
  struct { char b1; std::uint8_t b3; std::uint32_t count; int result; const char *type, *mode, *freq_u; } cases[] = {
      {'M', 0x00, 20, 1, "VX1", "常规", "174"}, {'M', 0x05, 20, 1, "UX6", "集群", "470"},
      {'M', 0x7F, 20, 1, "", "", ""},  // -128: no model
      {'M', 0xFF, 20, 1, "ZERO", "", ""},
      {'M', 0x00, 19, -1, nullptr, nullptr, nullptr},  // short or wrong: Read.ini stays
      {'X', 0x00, 20, -1, nullptr, nullptr, nullptr}};
  for (const auto& c : cases) {
    ASSERT_TRUE(ClearProfile('R', "", files).ok);
    const std::string before = ReadBytes(files.read_ini);
    std::uint8_t a[20] = {'P', static_cast<std::uint8_t>(c.b1), 0, c.b3};
    EXPECT_EQ(EvaluateHandshake('R', a, 20, c.count, files).result, c.result);
    if (!c.type) {
      EXPECT_EQ(ReadBytes(files.read_ini), before);
      continue;
    }
    auto read = ReadIniFile(files.read_ini);
    EXPECT_EQ(read.GetString("Previous", "Type", "?", 20), c.type);
    EXPECT_EQ(read.GetString("Previous", "Mode", "?", 20), c.mode);
    EXPECT_EQ(read.GetString("Previous", "FreqU", "?", 20), c.freq_u);
  }
}

TEST(OptionList, EndsAtTheFirstGapAndKeepsToItsLimit) {
  std::string text = "[BusyLock]\r\n1=a\r\n2=b\r\n4=d\r\n[DeCode]\r\n";
  for (int i = 1; i <= 320; ++i) text += std::to_string(i) + "=t" + std::to_string(i) + "\r\n";
  text += "[TxPower]\r\n";
  for (int i = 1; i <= 60; ++i) text += std::to_string(i) + "=p\r\n";
  text += "[ZoneWide]\r\n1=0123456789012345678901234\r\n2=\r\n3=x\r\n";
  auto doc = IniDocument::Parse(text);
  auto lists = ReadChannelLists(doc);
  EXPECT_EQ(lists.busy_lock, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(lists.decode.size(), 300u);
  EXPECT_EQ(lists.tx_power.size(), 50u);
  EXPECT_EQ(lists.zone_wide, (std::vector<std::string>{"0123456789012345678"}));
  EXPECT_EQ(ReadOptionList(doc, "decode", 200).size(), 200u);
  EXPECT_TRUE(lists.coding.empty());
  EXPECT_EQ(lists.ForColumn(3), nullptr);
  EXPECT_EQ(lists.ForColumn(2), &lists.decode);
}

TEST(WorkingFiles, PathsComeFromTheGivenDirectoryWithoutLengthLimit) {
  const std::string dir = "/tmp/" + std::string(300, 'd');
  auto f = WorkingFiles::FromDirectory(dir);
  EXPECT_EQ(f.read_ini, JoinPath(dir, "Read.ini"));
  EXPECT_EQ(f.ModelFile("VX1"), JoinPath(dir, "VX1.ini"));
}

TEST(RegistrationSwitch, CountsOnlyAsTheLastItemInAnyCase) {
  struct { const char* line; RegistrationSwitch s; } cases[] = {
      {"kavir /regserver", RegistrationSwitch::Register},      {"kavir -REGSERVER", RegistrationSwitch::Register},
      {"kavir /UnRegServer", RegistrationSwitch::Unregister},  {"kavir /RegServer more", RegistrationSwitch::None},
      {"kavir-x /RegServer", RegistrationSwitch::Register},    {"kavir", RegistrationSwitch::None}};
  for (const auto& c : cases) EXPECT_EQ(ScanRegistrationSwitch(c.line), c.s) << c.line;
}

}  // namespace
}  // namespace kavir::test
