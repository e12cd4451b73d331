// The channel-plan CSV layout read and written through the import and
// export of a programming screen.
#include <gtest/gtest.h>

#include "interchange/csv_export.h"
#include "interchange/csv_import.h"
#include "interchange/csv_table.h"
#include "interchange_fixture.h"

namespace kavir::test {
namespace {

ImportPlan Plan(Screen& s, const std::string& fixture, bool by_location = false) {
  return PlanCsvImport(Fixture(fixture), LimitsOf(s.view()), by_location);
}

const ImportRow* RowOfLine(const ImportPlan& plan, int line) {
  for (const ImportRow& r : plan.rows)
    if (r.line == line) return &r;
  return nullptr;
}

TEST(CsvTable, WrittenCellsReadBackUnchanged) {
  const std::vector<std::vector<std::string>> lines = {
      {"plain", "with, comma", "say \"hi\"", "two\r\nlines", " padded ", ""},
      {"\xEF\xBB\xBFstarts like a byte-order mark", "#not a comment here"},
      {"x", "", "\n"},
  };
  for (const auto& cells : lines) {
    const CsvText back = ParseCsvText(CsvLine(cells));
    ASSERT_EQ(back.error, "");
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].cells, cells);
  }
}

TEST(CsvImport, EveryToneAndCrossModeGivesTheGridsToneTexts) {
  Screen s;
  struct Case {
    int line;
    const char* coding;  // transmit
    const char* decode;  // receive
  } cases[] = {
      {2, "关", "关"},
      {3, "CTCSS:67.0", "关"},
      {4, "CTCSS:100.0", "CTCSS:100.0"},  // TSQL takes cToneFreq, not the 88.5 left in rToneFreq
      {5, "+DCS:023", "+DCS:023"},        // DTCS uses DtcsCode both ways, not RxDtcsCode
      {6, "+DCS:023", "-DCS:023"},
      {7, "-DCS:023", "+DCS:023"},
      {8, "-DCS:023", "-DCS:023"},
      {9, "CTCSS:67.0", "CTCSS:100.0"},
      {10, "CTCSS:67.0", "-DCS:754"},
      {11, "-DCS:023", "CTCSS:100.0"},
      {12, "+DCS:023", "-DCS:754"},
      {13, "CTCSS:67.0", "关"},
      {14, "-DCS:754", "关"},
      {15, "关", "CTCSS:100.0"},
      {16, "关", "-DCS:754"},
  };
  const ImportPlan plan = Plan(s, "tones.csv");
  ASSERT_EQ(plan.error, "");
  ASSERT_EQ(plan.rows.size(), std::size(cases));
  for (const Case& c : cases) {
    const ImportRow* r = RowOfLine(plan, c.line);
    ASSERT_NE(r, nullptr) << c.line;
    EXPECT_EQ(r->refusal, "") << c.line;
    EXPECT_EQ(r->channel, c.line - 1) << "file order fills channels from 1";
    EXPECT_EQ(r->entry.coding, c.coding) << "line " << c.line;
    EXPECT_EQ(r->entry.decode, c.decode) << "line " << c.line;
  }
}

TEST(CsvImport, DuplexModeSkipAndPower) {
  Screen s;
  struct Case {
    int line;
    std::int64_t rx, tx;
    bool tx_enabled, wide, scan, high;
  } cases[] = {
      {2, 146520000, 146520000, true, false, false, false},  // empty Duplex ignores Offset
      {3, 146940000, 146340000, true, true, true, true},     // -
      {4, 146340000, 146940000, true, true, true, true},     // +
      {5, 145500000, 140025000, true, false, true, false},   // split: Offset is the transmit frequency
      {6, 146520000, 146520000, false, true, true, true},    // off
      {7, 146522500, 146522500, true, true, true, false},    // 2.5 kHz raster only; 2.9 W is low
  };
  const ImportPlan plan = Plan(s, "duplex.csv");
  ASSERT_EQ(plan.error, "");
  ASSERT_EQ(plan.rows.size(), std::size(cases));
  for (const Case& c : cases) {
    const ImportRow* r = RowOfLine(plan, c.line);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->refusal, "") << c.line;
    const ChannelEntry& e = r->entry;
    EXPECT_EQ(e.rx_hz, c.rx) << c.line;
    EXPECT_EQ(e.tx_hz, c.tx) << c.line;
    EXPECT_EQ(e.tx_enabled, c.tx_enabled) << c.line;
    EXPECT_EQ(e.wide, c.wide) << c.line;
    EXPECT_EQ(e.scan, c.scan) << c.line;
    EXPECT_EQ(e.high_power, c.high) << c.line;
  }
}

TEST(CsvImport, RefusedRowsSayWhyAndUseUpNoChannel) {
  Screen s;
  struct Case {
    int line;
    const char* reason;  // part of the refusal
  } cases[] = {
      {2, "reverse squelch"},       {3, "reverse squelch"},
      {4, "Mode 'AM'"},             {5, "neither the 6.25 kHz nor the 2.5 kHz raster"},
      {6, "outside the band"},      {7, "at most 6 decimals"},
      {8, "CTCSS:69.4 is not in the tone list"},
      {9, "DtcsPolarity 'NX'"},     {10, "Duplex 'x'"},
      {11, "CrossMode 'Tone->Foo'"}, {12, "the row has 7 cells"},
      {13, "transmit 174.500000 MHz is outside the band"},
      {15, "DtcsCode '028'"},
  };
  const ImportPlan plan = Plan(s, "refused.csv");
  ASSERT_EQ(plan.error, "");
  for (const Case& c : cases) {
    const ImportRow* r = RowOfLine(plan, c.line);
    ASSERT_NE(r, nullptr) << c.line;
    EXPECT_FALSE(r->channel) << c.line;
    EXPECT_NE(r->refusal.find(c.reason), std::string::npos) << "line " << c.line << ": " << r->refusal;
  }
  EXPECT_EQ(RowOfLine(plan, 14), nullptr) << "a row with an empty Frequency is skipped";
  ASSERT_NE(RowOfLine(plan, 16), nullptr);
  EXPECT_EQ(RowOfLine(plan, 16)->channel, 1);
  EXPECT_EQ(plan.imported(), 1);
  EXPECT_EQ(plan.refused(), static_cast<int>(std::size(cases)));
}

TEST(CsvImport, QuotingCommentsBomAndColumnOrder) {
  Screen s;
  const ImportPlan plan = Plan(s, "quoting.csv", true);
  ASSERT_EQ(plan.error, "");
  ASSERT_EQ(plan.rows.size(), 2u);
  EXPECT_EQ(plan.rows[0].line, 4);
  EXPECT_EQ(plan.rows[0].channel, 7);
  EXPECT_EQ(plan.rows[0].entry.coding, "CTCSS:100.0");
  EXPECT_EQ(plan.rows[1].line, 7) << "the quoted line break counts as a line";
  EXPECT_EQ(plan.rows[1].channel, 8);
  EXPECT_EQ(plan.rows[1].entry.rx_hz, 145500000);
}

TEST(CsvImport, MissingColumnsTakeTheirDefaults) {
  Screen s;
  const ImportPlan plan = Plan(s, "missing-columns.csv");
  ASSERT_EQ(plan.rows.size(), 1u);
  ChannelEntry expected;
  expected.rx_hz = expected.tx_hz = 145550000;
  EXPECT_EQ(plan.rows[0].entry, expected);

  for (const char* bad : {"no-frequency.csv"}) EXPECT_NE(Plan(s, bad).error, "") << bad;
  EXPECT_NE(PlanCsvImport("Location,Frequency\n1,\"146.52\n", LimitsOf(s.view()), false).error, "");
  EXPECT_NE(PlanCsvImport(std::string("Location,Frequency\n1,146.52\0", 28), LimitsOf(s.view()), false).error, "");
}

TEST(CsvImport, ByLocationAndFileOrderPlaceRows) {
  Screen s;
  const std::string csv =
      "Location,Frequency\n0,146.52\n25,146.54\n3,146.56\n3,146.58\n16,146.60\n";
  const ImportPlan in_order = PlanCsvImport(csv, LimitsOf(s.view()), false);
  std::vector<std::optional<int>> order;
  for (const ImportRow& r : in_order.rows) order.push_back(r.channel);
  EXPECT_EQ(order, (std::vector<std::optional<int>>{1, 2, 3, 4, 5}));

  const ImportPlan by_location = PlanCsvImport(csv, LimitsOf(s.view()), true);
  std::vector<std::optional<int>> placed;
  for (const ImportRow& r : by_location.rows) placed.push_back(r.channel);
  EXPECT_EQ(placed, (std::vector<std::optional<int>>{std::nullopt, std::nullopt, 3, std::nullopt, 16}));
  EXPECT_NE(by_location.rows[3].refusal.find("line 4"), std::string::npos) << by_location.rows[3].refusal;

  std::string seventeen = "Location,Frequency\n";
  for (int i = 0; i < 17; ++i) seventeen += std::to_string(i) + ",146.52\n";
  const ImportPlan full = PlanCsvImport(seventeen, LimitsOf(s.view()), false);
  EXPECT_EQ(full.imported(), 16);
  EXPECT_FALSE(full.rows.back().channel);
}

TEST(CsvImport, ApplyKeepsBusyLockAndClockShiftAndOtherChannels) {
  Screen s;
  CKAVIRView& v = s.view();
  v.grid.SetText(1, 5, "载波控制");
  v.grid.SetText(2, 5, "");
  v.grid.SetText(2, 8, "");
  const std::string untouched = v.grid.Text(9, 1);
  ApplyImport(Plan(s, "duplex.csv"), v);
  EXPECT_EQ(v.grid.Text(1, 5), "载波控制");
  EXPECT_EQ(v.grid.Text(2, 5), v.channel_lists.busy_lock.front());
  EXPECT_EQ(v.grid.Text(2, 8), v.channel_lists.clock_freq.front());
  EXPECT_EQ(v.grid.Text(2, 1), "146.94000");
  EXPECT_EQ(v.grid.Text(2, 3), "146.34000");
  EXPECT_EQ(v.grid.Text(1, 6) + v.grid.Text(1, 7) + v.grid.Text(1, 9), "低否窄");
  EXPECT_EQ(v.grid.Text(5, 3), "146.52000") << "off transmits on nothing, shown as the receive frequency";
  EXPECT_TRUE(v.ch_box[4].checked());
  EXPECT_FALSE(v.tx_box[4].checked());
  EXPECT_TRUE(v.tx_box[3].checked());
  EXPECT_EQ(v.grid.Text(9, 1), untouched);
}

TEST(CsvExport, RowLayout) {
  Screen s;
  CKAVIRView& v = s.view();
  for (int n = 1; n <= 16; ++n) v.ch_box[n - 1].state = n <= 2;
  v.tx_box[0].state = 1;
  v.tx_box[1].state = 0;
  const char* row1[] = {"146.95000", "CTCSS:100.0", "146.35000", "CTCSS:100.0", "禁止", "低", "否", "否", "窄"};
  const char* row2[] = {"146.5225", "-DCS:754", "146.52250", "+DCS:023", "禁止", "高", "是", "否", "宽"};
  for (int c = 1; c <= 9; ++c) {
    v.grid.SetText(1, c, row1[c - 1]);
    v.grid.SetText(2, c, row2[c - 1]);
  }
  const CsvExport out = ExportCsv(v);
  EXPECT_TRUE(out.problems.empty());
  EXPECT_EQ(out.text,
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,,146.950000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,,,,,\r\n"
            "2,,146.522500,off,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,2.50,,5.0W,,,,,\r\n");
}

TEST(CsvExport, ImportedAgainGivesTheSameChannels) {
  Screen s;
  CKAVIRView& v = s.view();
  ApplyImport(Plan(s, "tones.csv"), v);  // channels 1..15 with every tone case
  ApplyImport(PlanCsvImport("Location,Frequency,Duplex,Offset,Mode,Skip,Power\n16,145.5225,-,0.6,NFM,S,1W\n",
                            LimitsOf(v), true), v);
  v.grid.SetText(3, 6, "低");
  v.tx_box[4].state = 0;
  v.grid.SetText(4, 1, "146.5");  // as typed, not padded
  const CsvExport out = ExportCsv(v);
  ASSERT_EQ(out.channels, 16);

  for (bool by_location : {false, true}) {
    Screen other(s, 0);
    const ImportPlan plan = PlanCsvImport(out.text, LimitsOf(other.view()), by_location);
    ASSERT_EQ(plan.imported(), 16);
    ApplyImport(plan, other.view());
    // The busy lock and clock shift columns are not in the file.
    for (int n = 1; n <= 16; ++n)
      for (int c : {5, 8}) other.view().grid.SetText(n, c, v.grid.Text(n, c));
    const auto a = v.ProfileValues();
    const auto b = other.view().ProfileValues();
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "by location " << by_location;
  }
}

}  // namespace
}  // namespace kavir::test
