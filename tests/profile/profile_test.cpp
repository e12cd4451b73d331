#include <gtest/gtest.h>

#include "profile/gbk.h"
#include "profile/option_list.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "test_dir.h"

namespace kavir {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(ProfileKeys, AreThe209KeysInClearingOrder) {
  const auto& keys = ProfileKeys();
  ASSERT_EQ(keys.size(), 209u);
  EXPECT_EQ(keys[0], "Type");
  EXPECT_EQ(keys[27], "BatterySupply");
  EXPECT_EQ(keys[29], "FreqU");
  EXPECT_EQ(keys[30], "CH01.BusyLock");
  EXPECT_EQ(keys[45], "CH16.BusyLock");
  EXPECT_EQ(keys[46], "CH01.ChannelScans");
  EXPECT_EQ(keys[30 + 16 * 9], "CBT1");
  EXPECT_EQ(keys[30 + 16 * 10], "CBR1");
  EXPECT_EQ(keys[206], "PF1S");
  EXPECT_EQ(keys[208], "PF3S");
}

TEST(ClearProfile, CreatesAMissingFileWithEveryKeyEmptyInOrder) {
  TempDir dir;
  auto files = WorkingFiles::FromDirectory(dir.path().string());
  ASSERT_TRUE(ClearProfile('R', "", files).ok);
  auto doc = ReadIniFile(files.read_ini);
  EXPECT_EQ(doc.Keys("Previous"), ProfileKeys());
  for (const auto& k : ProfileKeys()) EXPECT_EQ(doc.Find("Previous", k), std::optional<std::string>(""));
}

TEST(ClearProfile, KeepsForeignKeysAndSectionsAndPicksTheFileByLetter) {
  TempDir dir;
  auto files = WorkingFiles::FromDirectory(dir.path().string());
  const std::string user = dir.File("mine.dat");
  WriteBytes(user, "[Notes]\r\nwho=tech\r\n[Previous]\r\nMine=1\r\nType=X\r\n");
  ASSERT_TRUE(ClearProfile('C', user, files).ok);
  auto doc = ReadIniFile(user);
  EXPECT_EQ(doc.GetString("Notes", "who", "", 20), "tech");
  EXPECT_EQ(doc.GetString("Previous", "Mine", "", 20), "1");
  EXPECT_EQ(doc.Find("Previous", "Type"), std::optional<std::string>(""));
  EXPECT_FALSE(std::filesystem::exists(files.read_ini));
  EXPECT_FALSE(std::filesystem::exists(files.write_ini));
  ASSERT_TRUE(ClearProfile('W', user, files).ok);
  EXPECT_TRUE(std::filesystem::exists(files.write_ini));
}

class Handshake : public ::testing::Test {
 protected:
  void SetUp() override {
    files = WorkingFiles::FromDirectory(dir.path().string());
    WriteBytes(files.kavir_ini, *Utf8ToGbk("[Type]\r\n1=VX1\r\n6=UX6\r\n0=ZERO\r\n[Mode]\r\n1=常规\r\n6=集群\r\n"));
    WriteBytes(files.ModelFile("VX1"), "[Previous]\r\nFreqV=136\r\nFreqU=174\r\n");
    WriteBytes(files.ModelFile("UX6"), "[Previous]\r\nFreqV=400\r\nFrequ=470\r\n");
    ASSERT_TRUE(ClearProfile('R', "", files).ok);
  }
  HandshakeResult Answer(std::uint8_t b1, std::uint8_t b3, std::uint32_t count) {
    std::uint8_t a[20] = {'P', b1, 0, b3};
    return EvaluateHandshake('R', a, 20, count, files);
  }
  std::string Read(const char* key) { return ReadIniFile(files.read_ini).GetString("Previous", key, "?", 20); }

  TempDir dir;
  WorkingFiles files;
};

TEST_F(Handshake, ModelNumberIsByteThreePlusOne) {
  EXPECT_EQ(Answer('M', 0x00, 20).result, 1);
  EXPECT_EQ(Read("Type"), "VX1");
  EXPECT_EQ(Read("Mode"), "常规");
  EXPECT_EQ(Read("FreqV"), "136");
  EXPECT_EQ(Read("FreqU"), "174");

  EXPECT_EQ(Answer('M', 0x05, 20).result, 1);
  EXPECT_EQ(Read("Type"), "UX6");
  EXPECT_EQ(Read("Mode"), "集群");
  EXPECT_EQ(Read("FreqU"), "470");  // read back whatever the case it was written in
}

TEST_F(Handshake, ByteThreeIsSignedSoHighValuesNameNoModel) {
  EXPECT_EQ(Answer('M', 0x7F, 20).result, 1);  // key -128
  EXPECT_EQ(Read("Type"), "");
  EXPECT_EQ(Read("Mode"), "");
  EXPECT_EQ(Read("FreqU"), "");
  EXPECT_EQ(Answer('M', 0xFF, 20).result, 1);  // key 0
  EXPECT_EQ(Read("Type"), "ZERO");
}

TEST_F(Handshake, ShortOrWrongAnswersFailAndLeaveReadIniAlone) {
  const std::string before = ReadBytes(files.read_ini);
  EXPECT_EQ(Answer('M', 0x00, 19).result, -1);
  EXPECT_EQ(Answer('X', 0x00, 20).result, -1);
  EXPECT_EQ(ReadBytes(files.read_ini), before);
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
  EXPECT_EQ(f.qtdqt_ini, JoinPath(dir, "QTDQT.ini"));
  EXPECT_EQ(f.ModelFile("VX1"), JoinPath(dir, "VX1.ini"));
  EXPECT_EQ(f.ModelFile(""), JoinPath(dir, ".ini"));
  EXPECT_EQ(f.HelpFile(), JoinPath(dir, "Kavir.hlp"));
}

TEST(RegistrationSwitch, CountsOnlyAsTheLastItemInAnyCase) {
  EXPECT_EQ(ScanRegistrationSwitch("kavir /regserver"), RegistrationSwitch::Register);
  EXPECT_EQ(ScanRegistrationSwitch("kavir -REGSERVER"), RegistrationSwitch::Register);
  EXPECT_EQ(ScanRegistrationSwitch("kavir /UnRegServer"), RegistrationSwitch::Unregister);
  EXPECT_EQ(ScanRegistrationSwitch("kavir /RegServer more"), RegistrationSwitch::None);
  EXPECT_EQ(ScanRegistrationSwitch("kavir-x /RegServer"), RegistrationSwitch::Register);
  EXPECT_EQ(ScanRegistrationSwitch("kavir"), RegistrationSwitch::None);
}

}  // namespace
}  // namespace kavir
