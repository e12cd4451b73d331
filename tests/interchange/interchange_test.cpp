// Channel-plan CSV import and export and set-ups compared, on the shipped
// data's set-ups.
#include <gtest/gtest.h>

#include "interchange/channel_csv.h"
#include "interchange/csv_export.h"
#include "interchange/csv_import.h"
#include "interchange/setup_compare.h"
#include "setup/option_search.h"
#include "shipped_setup.h"
#include "support.h"

namespace kavir::test {
namespace {

using F = ChannelField;

std::string Fixture(const std::string& name) {
  return ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/interchange/" + name);
}

struct Shipped : ShippedSetups {
  kavir::Setup start = data.start;  // KV16V, 136 to 174 MHz
  ImportPlan Plan(const std::string& csv, bool by_location = false) const {
    return PlanCsvImport(csv, LimitsOf(start, data.channel_lists), by_location);
  }
  void Apply(const ImportPlan& plan, kavir::Setup& s) const { ApplyImport(plan, data.channel_lists, s); }
};
std::vector<std::optional<int>> Channels(const ImportPlan& plan) {
  std::vector<std::optional<int>> out;
  for (const ImportRow& r : plan.rows) out.push_back(r.channel);
  return out;
}
void SetChannel(kavir::Setup& s, int n, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) s.channel(n).fields[i] = cells[i];
}

// The rows of tones.csv and duplex.csv, lines 2.., fill channels 1.. in file order.
// The grid's tone texts are read strictly: the last tone in range and both
// DCS polarities are taken, anything past them is not.
TEST(GridTexts, ToneTextsAreReadStrictly) {
  const struct {
    const char* text;
    std::optional<ToneValue> tone;
  } tones[] = {
      {"关", ToneValue{}},           {"CTCSS:409.5", ToneValue{1, 4095}},
      {"CTCSS:409.6", std::nullopt}, {"CTCSS:0", std::nullopt},
      {"off", std::nullopt},         {"+DCS:0234", std::nullopt},
      {"x-DCS:02", std::nullopt},
  };
  for (const auto& c : tones) EXPECT_EQ(ParseToneText(c.text), c.tone) << c.text;
  const std::optional<ToneValue> normal = ParseToneText("+DCS:023"), inverted = ParseToneText("-DCS:023");
  ASSERT_TRUE(normal);
  ASSERT_TRUE(inverted);
  EXPECT_EQ(normal->type, 2);
  EXPECT_EQ(inverted->type, 3);
  EXPECT_EQ(normal->code, inverted->code);
}

TEST(GridTexts, FrequencyTextsAreReadStrictly) {
  EXPECT_EQ(GridFrequencyHz("146.52000"), 146520000);
  EXPECT_EQ(GridFrequencyHz(GridFrequencyText(430006250)), 430006250);
  EXPECT_EQ(GridFrequencyHz("000.00000"), std::nullopt);
  EXPECT_EQ(GridFrequencyHz("146.5x"), std::nullopt);
}

TEST(CsvImport, EveryToneModeGivesTheGridsTones) {
  const Shipped s;
  const std::pair<const char*, const char*> tones[] = {
      // transmit (coding), receive (decode)
      {"关", "关"},
      {"CTCSS:67.0", "关"},
      {"CTCSS:100.0", "CTCSS:100.0"},  // TSQL takes cToneFreq, not the 88.5 left in rToneFreq
      {"+DCS:023", "+DCS:023"},        // DTCS uses DtcsCode both ways, not RxDtcsCode
      {"+DCS:023", "-DCS:023"},
      {"-DCS:023", "+DCS:023"},
      {"-DCS:023", "-DCS:023"},
      {"CTCSS:67.0", "CTCSS:100.0"},
      {"CTCSS:67.0", "-DCS:754"},
      {"-DCS:023", "CTCSS:100.0"},
      {"+DCS:023", "-DCS:754"},
      {"CTCSS:67.0", "关"},
      {"-DCS:754", "关"},
      {"关", "CTCSS:100.0"},
      {"关", "-DCS:754"}};
  const ImportPlan a = s.Plan(Fixture("tones.csv"));
  ASSERT_EQ(a.rows.size(), std::size(tones));
  for (int n = 0; n < static_cast<int>(a.rows.size()); ++n) {
    const ImportRow& r = a.rows[n];
    EXPECT_EQ(r.line, n + 2) << r.refusal;
    EXPECT_EQ(r.channel, std::optional<int>(n + 1)) << r.refusal;
    EXPECT_EQ(r.entry.coding, tones[n].first) << r.line;
    EXPECT_EQ(r.entry.decode, tones[n].second) << r.line;
  }
}

TEST(CsvImport, DuplexSkipOrPowerGiveTheGridsValues) {
  const Shipped s;
  const struct {
    std::int64_t rx, tx;
    bool tx_enabled, wide, scan, high;
  } duplex[] = {{146520000, 146520000, true, false, false, false},  // empty Duplex ignores Offset
                {146940000, 146340000, true, true, true, true},     // -
                {146340000, 146940000, true, true, true, true},     // +
                {145500000, 140025000, true, false, true, false},   // split: Offset is the transmit frequency
                {146520000, 146520000, false, true, true, true},    // off
                {146522500, 146522500, true, true, true, false}};   // 2.5 kHz raster only; 2.9 W is low
  const ImportPlan b = s.Plan(Fixture("duplex.csv"));
  ASSERT_EQ(b.rows.size(), std::size(duplex));
  for (int n = 0; n < static_cast<int>(b.rows.size()); ++n) {
    const ImportRow& r = b.rows[n];
    const ChannelEntry& e = r.entry;
    const auto& d = duplex[n];
    EXPECT_EQ(r.line, n + 2) << r.refusal;
    EXPECT_EQ(r.channel, std::optional<int>(n + 1)) << r.refusal;
    EXPECT_EQ(e.rx_hz, d.rx) << r.line;
    EXPECT_EQ(e.tx_hz, d.tx) << r.line;
    EXPECT_EQ(e.tx_enabled, d.tx_enabled) << r.line;
    EXPECT_EQ(e.wide, d.wide) << r.line;
    EXPECT_EQ(e.scan, d.scan) << r.line;
    EXPECT_EQ(e.high_power, d.high) << r.line;
  }
}

TEST(CsvImport, ARefusedRowSaysWhyWithoutUsingUpAChannel) {
  const Shipped s;
  const struct {
    int line;
    const char* reason;
  } rows[] = {// in file order; nullptr: imported
              {2, "reverse squelch"},
              {3, "reverse squelch"},
              {4, "Mode 'AM'"},
              {5, "neither the 6.25 kHz nor the 2.5 kHz raster"},
              {6, "outside the band"},
              {7, "at most 6 decimals"},
              {8, "CTCSS:69.4 is not in the tone list"},
              {9, "DtcsPolarity 'NX'"},
              {10, "Duplex 'x'"},
              {11, "CrossMode 'Tone->Foo'"},
              {12, "the row has 7 cells"},
              {13, "transmit 174.500000 MHz is outside the band"},
              {15, "DtcsCode '028'"},
              {16, nullptr}};  // line 14, with an empty Frequency, is skipped
  const ImportPlan plan = s.Plan(Fixture("refused.csv"));
  ASSERT_EQ(plan.error, "");
  ASSERT_EQ(plan.rows.size(), std::size(rows));
  for (std::size_t i = 0; i < plan.rows.size(); ++i) {
    const ImportRow& r = plan.rows[i];
    const char* reason = rows[i].reason;
    EXPECT_EQ(r.line, rows[i].line);
    EXPECT_EQ(r.channel, reason ? std::nullopt : std::optional<int>(1)) << r.line;
    EXPECT_TRUE(reason ? r.refusal.find(reason) != std::string::npos : r.refusal.empty())
        << r.line << ": " << r.refusal;
  }
  EXPECT_EQ(plan.imported(), 1);
  EXPECT_EQ(plan.refused(), static_cast<int>(std::size(rows)) - 1);
}

// Cells as people type them: blanks around a code, watts with or without
// the unit; and the reason that fits a cell that cannot be used.
TEST(CsvImport, CellsReadAsTypedOrRefusedWithTheirReason) {
  const Shipped s;
  const struct {
    const char* row;
    const char* read;
  } rows[] = {
      // read: coding decode power, or the refusal
      {"146.52,,,,,,2", "关 关 low"},     // no unit
      {"146.52,,,,,,5W ", "关 关 high"},  // a blank after the unit
      {"146.52,,,DTCS,, 754 ,5", "+DCS:754 +DCS:754 high"},
      {"146.52,,,TSQL,abc,,", "cToneFreq 'abc' is not a tone in Hz"},
      {"146.52,-,146.519999,,,,", "transmit 0.000001 MHz is on neither"},  // 1 Hz is above 0 MHz
  };
  for (const auto& r : rows) {
    const ImportPlan plan =
        s.Plan(std::string("Location,Frequency,Duplex,Offset,Tone,cToneFreq,DtcsCode,Power\n1,") + r.row + "\n");
    ASSERT_EQ(plan.rows.size(), 1u) << r.row;
    const ChannelEntry& e = plan.rows[0].entry;
    const std::string read = plan.rows[0].channel
                                 ? e.coding + " " + e.decode + (e.high_power == true ? " high" : " low")
                                 : plan.rows[0].refusal;
    EXPECT_EQ(read.rfind(r.read, 0), 0u) << r.row << ": " << read;
  }
}

TEST(CsvImport, RowsArePlacedByLocationOrFileOrder) {
  const Shipped s;
  const std::string csv = "Location,Frequency\n0,146.52\n25,146.54\n3,146.56\n3,146.58\n16,146.60\n";
  using C = std::vector<std::optional<int>>;
  EXPECT_EQ(Channels(s.Plan(csv)), (C{1, 2, 3, 4, 5}));
  const ImportPlan by_location = s.Plan(csv, true);
  EXPECT_EQ(Channels(by_location), (C{std::nullopt, std::nullopt, 3, std::nullopt, 16}));
  EXPECT_NE(by_location.rows[3].refusal.find("line 4"), std::string::npos) << by_location.rows[3].refusal;
  std::string seventeen = "Location,Frequency\n";
  for (int i = 0; i < 17; ++i) seventeen += std::to_string(i) + ",146.52\n";
  const ImportPlan full = s.Plan(seventeen);
  EXPECT_EQ(full.imported(), 16);
  EXPECT_FALSE(full.rows.back().channel);
}

// Quoting, comments, a byte-order mark and columns in another order.
TEST(CsvImport, ReadsTheCsvFormOfOtherPrograms) {
  const Shipped s;
  const ImportPlan quoted = s.Plan(Fixture("quoting.csv"), true);
  ASSERT_EQ(quoted.error, "");
  ASSERT_EQ(quoted.rows.size(), 2u);
  EXPECT_EQ(quoted.rows[0].line, 4);
  EXPECT_EQ(quoted.rows[0].channel, std::optional<int>(7));
  EXPECT_EQ(quoted.rows[0].entry.coding, "CTCSS:100.0");
  EXPECT_EQ(quoted.rows[1].line, 7) << "the quoted line break counts as a line";
  EXPECT_EQ(quoted.rows[1].channel, std::optional<int>(8));
  EXPECT_EQ(quoted.rows[1].entry.rx_hz, 145500000);

  // Only an unquoted '#' starts a comment; the writer quotes a cell that starts with one.
  const ImportPlan hash = s.Plan("Location,Frequency\n\"#5 Net\",146.52\n#5 Net,146.54\n \"#\",146.56\n");
  ASSERT_EQ(hash.rows.size(), 2u);
  EXPECT_EQ(hash.rows[0].line, 2);
  EXPECT_EQ(hash.rows[0].entry.rx_hz, 146520000);
  EXPECT_EQ(hash.rows[1].line, 4);
}

TEST(CsvImport, MissingColumnsTakeTheirDefaults) {
  const Shipped s;
  const ImportPlan missing = s.Plan(Fixture("missing-columns.csv"));
  ASSERT_EQ(missing.rows.size(), 1u);
  ChannelEntry defaults;
  defaults.rx_hz = defaults.tx_hz = 145550000;
  EXPECT_EQ(missing.rows[0].entry, defaults);
}

TEST(CsvImport, BrokenFilesAreRefused) {
  const Shipped s;
  for (const std::string& bad : {Fixture("no-frequency.csv"), std::string("Location,Frequency\n1,\"146.52\n"),
                                 std::string("Location,Frequency\n1,146.52\0", 28)})
    EXPECT_NE(s.Plan(bad).error, "") << bad;
}

TEST(CsvImport, ApplyChangesOnlyWhatTheFileHolds) {
  const Shipped s;
  kavir::Setup v = s.start;
  v.channel(1)[F::BusyLock] = "载波控制";
  v.channel(2)[F::BusyLock] = "";
  v.channel(2)[F::ClockShift] = "";
  v.channel(5).tx_enabled = true;
  v.channel(9).enabled = false;
  s.Apply(s.Plan(Fixture("duplex.csv")), v);
  const ChannelLists& lists = s.data.channel_lists;
  EXPECT_EQ(v.channel(1)[F::BusyLock], "载波控制");  // kept; where there was none, the first of the list
  EXPECT_EQ(v.channel(2)[F::BusyLock], lists.busy_lock.front());
  EXPECT_EQ(v.channel(2)[F::ClockShift], lists.clock_freq.front());
  EXPECT_EQ(v.channel(2)[F::RxFreq], "146.94000");
  EXPECT_EQ(v.channel(2)[F::TxFreq], "146.34000");
  EXPECT_EQ(v.channel(1)[F::TxPower], "低");
  EXPECT_EQ(v.channel(1)[F::Scan], "否");
  EXPECT_EQ(v.channel(1)[F::Bandwidth], "窄");
  EXPECT_EQ(v.channel(5)[F::TxFreq], "146.52000") << "off transmits on nothing, shown as the receive frequency";
  EXPECT_TRUE(v.channel(5).enabled);
  EXPECT_FALSE(v.channel(5).tx_enabled);
  EXPECT_TRUE(v.channel(4).tx_enabled);
  kavir::Setup untouched = s.start;
  untouched.channel(9).enabled = false;
  for (int n = 7; n <= 16; ++n) EXPECT_EQ(v.channel(n), untouched.channel(n)) << n;
  EXPECT_EQ(v.settings, s.start.settings);
}

TEST(CsvExport, RowLayout) {
  const Shipped s;
  kavir::Setup v = s.start;
  for (int n = 1; n <= 16; ++n) v.channel(n).enabled = n <= 2, v.channel(n).tx_enabled = n == 1;
  SetChannel(v, 1, {"146.95000", "CTCSS:100.0", "146.35000", "CTCSS:100.0", "禁止", "低", "否", "否", "窄"});
  SetChannel(v, 2, {"146.5225", "-DCS:754", "146.52250", "+DCS:023", "禁止", "高", "是", "否", "宽"});
  const CsvExport out = ExportCsv(v);
  EXPECT_TRUE(out.problems.empty());
  EXPECT_EQ(out.text,
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,,146.950000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,,,,,\r\n"
            "2,,146.522500,off,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,2.50,,5.0W,,,,,\r\n");
}

// A blank power or bandwidth is written as an empty cell, not as 5.0W or
// NFM, and an empty cell comes back blank.
TEST(CsvExport, ABlankPowerOrBandwidthStaysBlankBothWays) {
  const Shipped s;
  kavir::Setup v = s.start;
  for (int n = 1; n <= 16; ++n) v.channel(n).enabled = n <= 3, v.channel(n).tx_enabled = true;
  SetChannel(v, 1, {"146.52000", "关", "146.52000", "关", "禁止", "", "是", "否", ""});
  SetChannel(v, 2, {"146.52000", "关", "146.52000", "关", "禁止", " ", "否", "否", "宽"});
  SetChannel(v, 3, {"146.52000", "关", "146.52000", "关", "禁止", "高", "是", "否", "窄"});
  const CsvExport out = ExportCsv(v);
  ASSERT_EQ(out.channels, 3) << out.text;
  const std::string tail = ",Tone->Tone,";
  std::vector<std::string> ends;
  for (std::size_t at = out.text.find(tail); at != std::string::npos; at = out.text.find(tail, at + 1))
    ends.push_back(out.text.substr(at + tail.size(), out.text.find('\r', at) - at - tail.size()));
  EXPECT_EQ(ends, (std::vector<std::string>{",2.50,,,,,,,", "FM,2.50,S,,,,,,", "NFM,2.50,,5.0W,,,,,"}));

  kavir::Setup back = s.start;
  s.Apply(s.Plan(out.text), back);
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(back.channel(n)[F::TxPower], TrimBlanks(v.channel(n)[F::TxPower])) << n;
    EXPECT_EQ(back.channel(n)[F::Bandwidth], v.channel(n)[F::Bandwidth]) << n;
  }
}

// Without the power or bandwidth column, 高 and 宽.
TEST(CsvImport, WithoutTheirColumnsRowsAreHighPowerWide) {
  const Shipped s;
  const ImportPlan no_columns = s.Plan("Location,Frequency\n1,146.52\n");
  ASSERT_EQ(no_columns.rows.size(), 1u);
  EXPECT_EQ(no_columns.rows[0].entry.high_power, std::optional<bool>(true));
  EXPECT_EQ(no_columns.rows[0].entry.wide, std::optional<bool>(true));
}

TEST(CsvExport, ImportedAgainGivesTheSameChannels) {
  const Shipped s;
  kavir::Setup v = s.start;
  s.Apply(s.Plan(Fixture("tones.csv")), v);  // channels 1..15 with every tone case
  s.Apply(s.Plan("Location,Frequency,Duplex,Offset,Mode,Skip,Power\n16,145.5225,-,0.6,NFM,S,1W\n", true), v);
  v.channel(3)[F::TxPower] = "低";
  v.channel(5).tx_enabled = false;
  v.channel(5)[F::TxFreq] = "144.50000";  // kept for when TX is on again
  v.channel(4)[F::RxFreq] = "146.5";      // as typed, not padded
  const CsvExport out = ExportCsv(v);
  ASSERT_EQ(out.channels, 16);
  for (bool by_location : {false, true}) {
    const Shipped other;
    const ImportPlan plan = other.Plan(out.text, by_location);
    ASSERT_EQ(plan.imported(), 16);
    kavir::Setup back = other.start;
    other.Apply(plan, back);
    // The busy lock and clock shift columns are not in the file.
    for (int n = 1; n <= 16; ++n)
      for (F f : {F::BusyLock, F::ClockShift}) back.channel(n)[f] = v.channel(n)[f];
    EXPECT_EQ(StoredValues(v), StoredValues(back)) << "by location " << by_location;
  }
  // Other programs read the row as receive only; their offsets are no frequency.
  EXPECT_NE(out.text.find(",off,144.500000,"), std::string::npos) << out.text;
  const ImportPlan chirp = s.Plan("Location,Frequency,Duplex,Offset\n1,146.52,off,0.600000\n");
  ASSERT_EQ(chirp.rows.size(), 1u);
  EXPECT_EQ(chirp.rows[0].entry.tx_hz, 146520000);
  EXPECT_FALSE(chirp.rows[0].entry.tx_enabled);
}

TEST(CsvExport, ChannelsTheRadioCouldNotBeGivenAreNamedAsLeftOut) {
  const Shipped s;
  kavir::Setup v = s.start;
  v.channel(2)[F::RxFreq] = "abc";
  v.channel(3)[F::TxTone] = "CTCSS:x";
  v.channel(4).tx_enabled = false;
  v.channel(4)[F::TxFreq] = "abc";  // not sent without TX
  v.channel(5).enabled = false;
  v.channel(5)[F::RxFreq] = "abc";  // closed: not exported at all
  const CsvExport out = ExportCsv(v);
  EXPECT_EQ(out.channels, 13);
  EXPECT_EQ(out.problems, (std::vector<std::string>{"CH02 left out: 接收频率 'abc' is not a frequency",
                                                    "CH03 left out: 发射信令 'CTCSS:x' is not a tone"}));
}

TEST(CompareSetups, EqualOneCellOneSettingOneBox) {
  const Shipped s;
  kavir::Setup a = s.start, b = s.start;
  EXPECT_TRUE(CompareSetups(a, b).empty());
  b.channel(3)[F::RxFreq] = "145.5";
  a.channel(3)[F::RxFreq] = "145.50000";
  EXPECT_TRUE(CompareSetups(a, b).empty()) << "145.5 is stored as 145.50000";
  b.channel(3)[F::TxFreq] = "146.00000";
  const int timer = b[Setting::TimerOut].index == 1 ? 2 : 1;
  b[Setting::TimerOut] = {timer, s.data.lists[Setting::TimerOut][timer]};
  b.channel(16).tx_enabled = !b.channel(16).tx_enabled;
  b.battery_saver = !a.battery_saver;
  b.band_upper = "175";
  const auto d = CompareSetups(a, b);
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].where, "频段范围(上限)");
  EXPECT_EQ(d[0].b, "175");
  EXPECT_EQ(d[1].where, "发射定时限制");
  EXPECT_EQ(d[1].b, b[Setting::TimerOut].text);
  EXPECT_EQ(d[2].where, "电池省电使能");
  EXPECT_EQ(d[2].a, a.battery_saver ? "√" : "×");
  EXPECT_EQ(d[2].b, a.battery_saver ? "×" : "√");
  EXPECT_EQ(d[3].where, "CH03 发射频率");
  EXPECT_EQ(d[3].b, "146.00000");
  EXPECT_EQ(d[4].where, "CH16 TX");
  EXPECT_EQ(DifferenceLine({"CH01 接收信令", "", "关"}), "CH01 接收信令: (空) | 关");
}

// What show prints: stored values, but a frequency as it was typed.
TEST(ShownValues, FrequenciesAsTypedEverythingElseAsStored) {
  const Shipped s;
  kavir::Setup v = s.start;
  v.channel(3)[F::RxFreq] = "145.5";
  v.channel(7)[F::TxFreq] = "";
  auto expected = StoredValues(v);  // every key in the same order; only these two as typed
  for (auto& [key, value] : expected)
    if (key == "CH03.RxFreq" || key == "CH07.TxFreq") value = key == "CH03.RxFreq" ? "145.5" : "";
  EXPECT_EQ(ShownValues(v), expected);
}

}  // namespace
}  // namespace kavir::test
