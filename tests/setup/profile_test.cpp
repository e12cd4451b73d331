// Profiles: a set-up's record, the model a read takes, option lists, the
// registration switch, frequency and tone conversions.
#include <gtest/gtest.h>

#include "ini/gbk.h"
#include "program_files.h"
#include "setup/conversions.h"
#include "setup/option_lists.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace kavir::test {
namespace {

TEST(SetupRecord, EveryKeyIsStoredInClearingOrderBesideForeignOnes) {
  TempDir dir;
  const std::string user = dir.File("mine.dat");
  WriteBytes(user, "[Notes]\r\nwho=tech\r\n[Previous]\r\nMine=1\r\nType=X\r\n");
  ASSERT_TRUE(SaveSetupRecord(user, kavir::Setup{}).ok);
  const IniDocument doc = ReadIniFile(user);
  EXPECT_EQ(doc.GetString("Notes", "who", "", 20), "tech");
  std::vector<std::string> keys = {"Mine"};
  keys.insert(keys.end(), ProfileKeys().begin(), ProfileKeys().end());
  ASSERT_EQ(ProfileKeys().size(), 209u);
  EXPECT_EQ(doc.Keys("Previous"), keys);
  EXPECT_EQ(doc.Find("Previous", "Type"), std::optional<std::string>(""));
  EXPECT_EQ(doc.Find("Previous", "CH16.RxFreq"), std::optional<std::string>("000000000"));
  EXPECT_EQ(doc.Find("Previous", "CBT1"), std::optional<std::string>("0"));
}

// A frequency is padded to nine once, whatever it holds: saved again it stays as it is.
TEST(SetupRecord, AFrequencyIsPaddedToNineOnce) {
  for (const std::string text : {"145.5", "关", "38\xE5",
                                 "\xF0"
                                 "1"}) {
    const std::string padded = PadFrequency(text);
    EXPECT_EQ(GbkLength(padded), 9u) << text;
    EXPECT_EQ(PadFrequency(padded), padded) << text;
  }
}

// Values longer than a load keeps are named, with all they hold; foreign keys are not ours to judge.
TEST(SetupRecord, ValuesLongerThanALoadKeepsAreNamed) {
  const IniDocument long_values = IniDocument::Parse(
      "[Previous]\r\nTimerOut=0123456789012345678\r\nMode=常规常规常规常规常规\r\nMine=" + std::string(40, 'x'));
  const std::vector<LongValue> named = LongProfileValues(long_values);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].key, "Mode");
  EXPECT_EQ(named[0].value, "常规常规常规常规常规");
}

// Every channel's frequency cells are checked, the last one's too; a blank
// cell is not named.
TEST(SetupRecord, FrequencyProblemsNameEveryCellNoRadioCouldTake) {
  kavir::Setup s;
  s.channel(1)[ChannelField::RxFreq] = "145.5";
  s.channel(2)[ChannelField::RxFreq] = "  ";
  s.channel(16)[ChannelField::TxFreq] = "430.1.2";
  const std::vector<std::string> problems = FrequencyTextProblems(s);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].rfind(ChannelLabel(16) + " " + FieldCaption(ChannelField::TxFreq) + " \"430.1.2\"", 0), 0u)
      << problems[0];
}

// KAVIR.ini is held as read; a change goes to the file as it is then, so
// what another window stored meanwhile stays.
TEST(ProgramConfig, AChangeKeepsWhatAnotherWindowStored) {
  TempDir dir;
  const std::string path = dir.File("KAVIR.ini");
  WriteBytes(path, "[Type]\r\n1=KV16U\r\n");
  ProgramConfig mine = ProgramConfig::Read(path);
  ProgramConfig other = ProgramConfig::Read(path);
  ASSERT_TRUE(other.Change([](IniDocument& ini) { ini.SetString("RecentFiles", "File1", "a.dat"); }));
  EXPECT_EQ(mine.ini().Find("RecentFiles", "File1"), std::nullopt) << "read once, not behind the caller's back";
  ASSERT_TRUE(mine.Change([](IniDocument& ini) { ini.SetString("PreviousType", "1", "KV16U"); }));
  for (const IniDocument& ini : {mine.ini(), ReadIniFile(path)}) {
    EXPECT_EQ(ini.GetString("RecentFiles", "File1", "", 20), "a.dat");
    EXPECT_EQ(ini.GetString("PreviousType", "1", "", 20), "KV16U");
  }
}

// A change to a KAVIR.ini that has gone makes no file up.
TEST(ProgramConfig, AChangeMakesNoFile) {
  TempDir dir;
  const std::string path = dir.File("KAVIR.ini");
  WriteBytes(path, "[Type]\r\n1=KV16U\r\n[PreviousType]\r\n1=KV16U\r\n");
  ProgramConfig mine = ProgramConfig::Read(path);
  std::filesystem::remove(PathFromUtf8(path));
  const IoStatus gone = mine.Change([](IniDocument& ini) { ini.SetString("PreviousType", "1", "X"); });
  EXPECT_EQ(gone.reason, "is missing");
  EXPECT_EQ(mine.ini().GetString("PreviousType", "1", "", 20), "KV16U") << "a failed change changes nothing";
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(path)));
  EXPECT_FALSE(ProgramConfig::Read(path).status());
}

// KAVIR.ini with models 1, 6, 0 and -128, and the files of two of them.
TEST(ModelRecord, ARadiosNumberGivesItsModelFromKavirIniWithTheBandOfItsFile) {
  TempDir dir;
  ProgramData data;
  data.files = WorkingFiles::FromDirectory(dir.path());
  WriteBytes(data.files.kavir_ini,
             *Utf8ToGbk("[Type]\r\n1=VX1\r\n6=UX6\r\n0=ZERO\r\n-128=NEG\r\n[Mode]\r\n1=常规\r\n6=集群\r\n"));
  data.config = ProgramConfig::Read(data.files.kavir_ini);
  WriteBytes(data.files.ModelFile("VX1"), "[Previous]\r\nFreqV=136\r\nFreqU=174\r\n");
  WriteBytes(data.files.ModelFile("UX6"), "[Previous]\r\nFreqV=400\r\nFrequ=470\r\n");
  struct {
    int model;
    const char *type, *mode, *freq_v, *freq_u;
    bool band;
  } cases[] = {{1, "VX1", "常规", "136", "174", true}, {6, "UX6", "集群", "400", "470", true},
               {0, "ZERO", "", "", "", false},         {-128, "NEG", "", "", "", false},
               {128, "", "", "", "", false},           {2, "", "", "", "", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    const kavir::Setup r = ModelRecord(c.model, data);
    EXPECT_EQ(r.model(), c.type);
    EXPECT_EQ(r[Setting::Mode].text, c.mode);
    EXPECT_EQ(r.band_lower, c.freq_v);
    EXPECT_EQ(r.band_upper, c.freq_u);
    EXPECT_EQ(HasBand(r), c.band);
    kavir::Setup rest = r;
    rest[Setting::Type] = rest[Setting::Mode] = {};
    rest.band_lower = rest.band_upper = "";
    EXPECT_EQ(rest, kavir::Setup{});
  }
}

TEST(OptionList, EndsAtTheFirstGapWithinItsLimit) {
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

TEST(RegistrationSwitch, CountsOnlyAsTheLastItemInAnyCase) {
  struct {
    const char* line;
    RegistrationSwitch s;
  } cases[] = {
      {"kavir /regserver", RegistrationSwitch::Register},     {"kavir -REGSERVER", RegistrationSwitch::Register},
      {"kavir /UnRegServer", RegistrationSwitch::Unregister}, {"kavir /RegServer more", RegistrationSwitch::None},
      {"kavir-x /RegServer", RegistrationSwitch::Register},   {"kavir", RegistrationSwitch::None}};
  for (const auto& c : cases) EXPECT_EQ(ScanRegistrationSwitch(c.line), c.s) << c.line;
}

TEST(Frequency, ATextIsReadAsMegahertzNeverByItsCountOfDigits) {
  struct {
    const char* text;
    std::int64_t value;
  } rows[] = {// 10 Hz units; 0: no frequency
              {"136.00000", 13600000},
              {"136", 13600000},
              {"145.5", 14550000},
              {" 145.5\t", 14550000},
              {"45.0125", 4501250},
              {"045.01250", 4501250},
              {"1.45", 145000},
              {".5", 50000},
              {"145.", 14500000},
              {"145.000000", 14500000},
              {"1638.39375", 163839375},
              {"", 0},
              {".", 0},
              {"abc", 0},
              {"14a.5", 0},
              {"145.5.5", 0},
              {"-145", 0},
              {"145,5", 0},
              {"145.000001", 0},   // finer than the radio's 10 Hz
              {"1450000000", 0}};  // no radio has a thousand times its band
  for (const auto& r : rows) EXPECT_EQ(FrequencyValue(r.text), r.value) << r.text;
  EXPECT_FALSE(MhzTextValue("abc").has_value());
  EXPECT_EQ(MhzTextValue("0"), std::optional<std::int64_t>(0));  // a frequency, if no radio's
  EXPECT_EQ(FrequencyCode("136.00250"), 0u);
  EXPECT_EQ(FrequencyCode("136.00625"), 21761u);
}

TEST(Tone, TextsEncodeToTheirBytes) {
  struct {
    const char* text;
    const char* bytes;
  } encode[] = {{"CTCSS:67.0", "9E 12"}, {"+DCS:023", "13 20"}, {"-DCS:754", "EC 31"},
                {"关", "00 00"},         {"", "00 30"},         {"+DCS:0x3", "03 20"}};  // a stray letter counts as 0
  for (const auto& c : encode) EXPECT_EQ(Hex(ToneBytes(c.text).data(), 2), c.bytes) << c.text;
  EXPECT_EQ(ToneCode("CTCSS:254.1"), 2541);
  EXPECT_EQ(ToneCode("-DCS:754"), 492);
  EXPECT_EQ(ToneCode("DCS:023"), 0);  // no polarity: no code the radio knows
}

TEST(ArgText, FillsEachNumberedPlaceFromOneToNine) {
  EXPECT_EQ(ArgText("%9-%1-%10-%", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}), "i-a-a0-%");
  EXPECT_EQ(ArgText("100%1 %", {}), "100%1 %");  // without arguments the pattern stays
  // Only %1 .. %9 are places, however many arguments there are.
  EXPECT_EQ(ArgText("%:%A", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}), "%:%A");
}

TEST(Tone, BytesDecodeToTheirTexts) {
  struct {
    int type, code;
    const char* text;
  } decode[] = {{0, 0, "关"},
                {1, 670, "CTCSS:67.0"},
                {1, 885, "CTCSS:88.5"},
                {1, 1000, "CTCSS:100.0"},
                {1, 2541, "CTCSS:254.1"},
                {1, 5, "CTCSS:.5"},
                {2, 19, "+DCS:023"},
                {3, 492, "-DCS:754"},
                {2, 7, "+DCS:07"}};
  for (const auto& c : decode) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(c.code & 0xFF),
                               static_cast<std::uint8_t>(c.type * 16 + (c.code >> 8))};
    EXPECT_EQ(ToneText(b), c.text);
  }
  for (const char* t : {"CTCSS:67.0", "CTCSS:254.1", "CTCSS:100.0", "+DCS:023", "-DCS:754", "+DCS:777", "关"})
    EXPECT_EQ(ToneText(ToneBytes(t).data()), t);
}

}  // namespace
}  // namespace kavir::test
