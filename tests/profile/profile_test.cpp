// Profiles: clearing, the handshake's model, option lists, working files,
// the registration switch, frequency and tone conversions, local time.
#include <gtest/gtest.h>

#include "profile/conversions.h"
#include "profile/gbk.h"
#include "profile/local_time.h"
#include "profile/option_list.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "scoped_time_zone.h"
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

// KAVIR.ini with models 1, 6, 0 and -128, and the files of two of them.
WorkingFiles ModelFolder(const TempDir& dir) {
  auto files = WorkingFiles::FromDirectory(dir.path());
  WriteBytes(files.kavir_ini, *Utf8ToGbk("[Type]\r\n1=VX1\r\n6=UX6\r\n0=ZERO\r\n-128=NEG\r\n[Mode]\r\n1=常规\r\n6=集群\r\n"));
  WriteBytes(files.ModelFile("VX1"), "[Previous]\r\nFreqV=136\r\nFreqU=174\r\n");
  WriteBytes(files.ModelFile("UX6"), "[Previous]\r\nFreqV=400\r\nFrequ=470\r\n");
  return files;
}

TEST(ModelKeys, TypeAndModeFromKavirIniAndTheBandFromTheModelFile) {
  TempDir dir;
  const WorkingFiles files = ModelFolder(dir);
  struct { int model; const char *type, *mode, *freq_v, *freq_u; } cases[] = {
      {1, "VX1", "常规", "136", "174"}, {6, "UX6", "集群", "400", "470"}, {0, "ZERO", "", "", ""},
      {-128, "NEG", "", "", ""}, {128, "", "", "", ""}, {2, "", "", "", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    IniDocument read;
    read.SetString("Previous", "Type", "OLD");
    read.SetString("Previous", "CH01.RxFreq", "145.00000");
    read.SetString("Other", "Mode", "kept");
    PutModelKeys(read, c.model, files);
    EXPECT_EQ(read.Keys("Previous"), (std::vector<std::string>{"Type", "CH01.RxFreq", "Mode", "FreqV", "Frequ"}));
    const auto value = [&](const char* key) { return read.GetString("Previous", key, "?", 20); };
    EXPECT_EQ(std::make_tuple(value("Type"), value("Mode"), value("FreqV"), value("FreqU")),
              std::make_tuple(c.type, c.mode, c.freq_v, c.freq_u));
    EXPECT_EQ(value("CH01.RxFreq"), "145.00000");
    EXPECT_EQ(read.GetString("Other", "Mode", "", 20), "kept");
  }
}

TEST(Handshake, NamesTheModelByTheSignedThirdByte) {
  TempDir dir;
  const WorkingFiles files = ModelFolder(dir);
  struct { char b1; std::uint8_t b3; std::uint32_t count; int result; const char *type, *mode, *freq_u; } cases[] = {
      {'M', 0x00, 20, 1, "VX1", "常规", "174"}, {'M', 0x05, 20, 1, "UX6", "集群", "470"},
      {'M', 0x7F, 20, 1, "NEG", "", ""},  // -128
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

TEST(Frequency, TextAndBytesBothWays) {
  EXPECT_EQ(FrequencyValue("136.00000"), 13600000);
  EXPECT_EQ(FrequencyValue("136"), 13600000);  // the first three digits are megahertz
  EXPECT_EQ(FrequencyValue(""), 0);
  EXPECT_EQ(FrequencyValue("abc"), 0);
  struct { const char* text; bool fine; const char* bytes; } encode[] = {
      {"136.00000", true, "00 55 0C"}, {"470.00000", false, "C0 25 05"},
      {"136.00625", true, "01 55 0C"}, {"", false, "00 00 04"}};
  for (const auto& c : encode) EXPECT_EQ(Hex(FrequencyBytes(c.text, c.fine).data(), 3), c.bytes) << c.text;
  EXPECT_EQ(FrequencyCode("136.00250"), 0u);
  EXPECT_EQ(IsFineRaster("136.00250"), 0);
  struct { std::uint8_t b[3]; const char* text; } decode[] = {
      {{0x00, 0x55, 0x04}, "136.00000"}, {{0x81, 0xD4, 0x00}, "136.00250"},
      {{0, 0, 0}, "000000000"}, {{0x00, 0x55, 0x0C}, "136.00000"}};  // a record's flag bit stays out
  for (const auto& c : decode) EXPECT_EQ(FrequencyText(c.b), c.text);
}

TEST(Tone, TextAndBytesBothWays) {
  struct { const char* text; const char* bytes; } encode[] = {
      {"CTCSS:67.0", "9E 12"}, {"+DCS:023", "13 20"}, {"-DCS:754", "EC 31"}, {"关", "00 00"}, {"", "00 30"},
      {"+DCS:0x3", "03 20"}};  // a stray letter counts as 0
  for (const auto& c : encode) EXPECT_EQ(Hex(ToneBytes(c.text).data(), 2), c.bytes) << c.text;
  EXPECT_EQ(ToneCode("CTCSS:254.1"), 2541);
  EXPECT_EQ(ToneCode("-DCS:754"), 492);
  struct { int type, code; const char* text; } decode[] = {
      {0, 0, "关"}, {1, 670, "CTCSS:67.0"}, {1, 885, "CTCSS:88.5"}, {1, 1000, "CTCSS:100.0"},
      {1, 2541, "CTCSS:254.1"}, {1, 5, "CTCSS:.5"}, {2, 19, "+DCS:023"}, {3, 492, "-DCS:754"},
      {2, 7, "+DCS:07"}};
  for (const auto& c : decode) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(c.code & 0xFF),
                               static_cast<std::uint8_t>(c.type * 16 + (c.code >> 8))};
    EXPECT_EQ(ToneText(b), c.text);
  }
  for (const char* t : {"CTCSS:67.0", "CTCSS:254.1", "CTCSS:100.0", "+DCS:023", "-DCS:754", "+DCS:777", "关"})
    EXPECT_EQ(ToneText(ToneBytes(t).data()), t);
}

TEST(SubBand, SplitsTheBandAtTheQuarterPoints) {
  struct { const char* f; int band; } cases[] = {{"", 0},          {"145.49375", 0}, {"145.50000", 1},
                                                 {"155.00000", 1}, {"164.49375", 1}, {"164.50000", 2}};
  for (const auto& c : cases) EXPECT_EQ(SubBand(c.f, "136", "174"), c.band) << c.f;
}

// Clock, file-name stamp and report timestamp follow the machine's zone.
TEST(LocalTime, FollowsTheMachinesZoneAndSummerTime) {
  const struct { const char* tz; std::time_t when; const char* date_time; } cases[] = {
      {"CST-8", 1796686205, "2026-12-08 07:30:05"},  // 2026-12-07 23:30:05 UTC
      {"UTC0", 1796686205, "2026-12-07 23:30:05"},   {"EST5", 1796686205, "2026-12-07 18:30:05"},
      {"NPT-5:45", 1796686205, "2026-12-08 05:15:05"},
      {"EST5", 1709164800, "2024-02-28 19:00:00"},   // 2024-02-29 00:00:00 UTC
      {"CST-8", 1709164800, "2024-02-29 08:00:00"},
#ifndef _WIN32  // the Windows C library takes no summer-time rules from TZ; there the system's zone is used
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1704110400, "2024-01-01 13:00:00"},  // 12:00 UTC, 1 hour
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1719835200, "2024-07-01 14:00:00"},  // 12:00 UTC, 2 hours
#endif
  };
  for (const auto& c : cases) {
    ScopedTimeZone zone(c.tz);
    const std::string t = c.date_time;  // "YYYY-MM-DD hh:mm:ss"
    EXPECT_EQ(LocalDateTimeText(c.when), t) << c.tz << " " << c.when;
    EXPECT_EQ(LocalClockText(c.when), t.substr(11)) << c.tz << " " << c.when;
    EXPECT_EQ(LocalFileStamp(c.when), t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2) + "-" + t.substr(11, 2) +
                                          t.substr(14, 2) + t.substr(17, 2)) << c.tz << " " << c.when;
  }
}

}  // namespace
}  // namespace kavir::test
