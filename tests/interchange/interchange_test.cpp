// Channel-plan CSV import and export, radio image files and set-ups
// compared, through programming screens on the shipped data.
#include <gtest/gtest.h>

#include "interchange/csv_export.h"
#include "interchange/csv_import.h"
#include "interchange/image_file.h"
#include "interchange/open_setup.h"
#include "interchange/setup_compare.h"
#include "support.h"

namespace kavir::test {
namespace {

std::string Fixture(const std::string& name) { return ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/interchange/" + name); }
ImportPlan Plan(ShippedScreen& s, const std::string& csv, bool by_location = false) {
  return PlanCsvImport(csv, LimitsOf(*s.view), by_location);
}
std::vector<std::optional<int>> Channels(const ImportPlan& plan) {
  std::vector<std::optional<int>> out;
  for (const ImportRow& r : plan.rows) out.push_back(r.channel);
  return out;
}

// The rows of tones.csv and duplex.csv, lines 2.., fill channels 1.. in file order.
TEST(CsvImport, EveryToneCrossModeDuplexSkipAndPowerGivesTheGridsValues) {
  ShippedScreen s;
  const std::pair<const char*, const char*> tones[] = {  // transmit (coding), receive (decode)
      {"关", "关"}, {"CTCSS:67.0", "关"},
      {"CTCSS:100.0", "CTCSS:100.0"},  // TSQL takes cToneFreq, not the 88.5 left in rToneFreq
      {"+DCS:023", "+DCS:023"},        // DTCS uses DtcsCode both ways, not RxDtcsCode
      {"+DCS:023", "-DCS:023"},   {"-DCS:023", "+DCS:023"},    {"-DCS:023", "-DCS:023"}, {"CTCSS:67.0", "CTCSS:100.0"},
      {"CTCSS:67.0", "-DCS:754"}, {"-DCS:023", "CTCSS:100.0"}, {"+DCS:023", "-DCS:754"}, {"CTCSS:67.0", "关"},
      {"-DCS:754", "关"},          {"关", "CTCSS:100.0"},        {"关", "-DCS:754"}};
  const struct { std::int64_t rx, tx; bool tx_enabled, wide, scan, high; } duplex[] = {
      {146520000, 146520000, true, false, false, false},  // empty Duplex ignores Offset
      {146940000, 146340000, true, true, true, true},     // -
      {146340000, 146940000, true, true, true, true},     // +
      {145500000, 140025000, true, false, true, false},   // split: Offset is the transmit frequency
      {146520000, 146520000, false, true, true, true},    // off
      {146522500, 146522500, true, true, true, false}};   // 2.5 kHz raster only; 2.9 W is low
  const ImportPlan a = Plan(s, Fixture("tones.csv")), b = Plan(s, Fixture("duplex.csv"));
  ASSERT_EQ(a.rows.size(), std::size(tones));
  ASSERT_EQ(b.rows.size(), std::size(duplex));
  for (int n = 0; n < static_cast<int>(a.rows.size()); ++n) {
    const ImportRow& r = a.rows[n];
    EXPECT_EQ(std::make_pair(r.line, r.channel), std::make_pair(n + 2, std::optional<int>(n + 1))) << r.refusal;
    EXPECT_EQ(r.entry.coding + " " + r.entry.decode, std::string(tones[n].first) + " " + tones[n].second) << r.line;
  }
  for (int n = 0; n < static_cast<int>(b.rows.size()); ++n) {
    const ImportRow& r = b.rows[n];
    const ChannelEntry& e = r.entry;
    const auto& d = duplex[n];
    EXPECT_EQ(std::make_pair(r.line, r.channel), std::make_pair(n + 2, std::optional<int>(n + 1))) << r.refusal;
    EXPECT_EQ(std::make_tuple(e.rx_hz, e.tx_hz, e.tx_enabled, e.wide, e.scan, e.high_power),
              std::make_tuple(d.rx, d.tx, d.tx_enabled, d.wide, d.scan, d.high)) << r.line;
  }
}

TEST(CsvImport, RefusedRowsSayWhyAndUseUpNoChannel) {
  ShippedScreen s;
  const struct { int line; const char* reason; } rows[] = {  // in file order; nullptr: imported
      {2, "reverse squelch"}, {3, "reverse squelch"}, {4, "Mode 'AM'"},
      {5, "neither the 6.25 kHz nor the 2.5 kHz raster"}, {6, "outside the band"}, {7, "at most 6 decimals"},
      {8, "CTCSS:69.4 is not in the tone list"}, {9, "DtcsPolarity 'NX'"}, {10, "Duplex 'x'"},
      {11, "CrossMode 'Tone->Foo'"}, {12, "the row has 7 cells"}, {13, "transmit 174.500000 MHz is outside the band"},
      {15, "DtcsCode '028'"}, {16, nullptr}};  // line 14, with an empty Frequency, is skipped
  const ImportPlan plan = Plan(s, Fixture("refused.csv"));
  ASSERT_EQ(plan.error, "");
  ASSERT_EQ(plan.rows.size(), std::size(rows));
  for (std::size_t i = 0; i < plan.rows.size(); ++i) {
    const ImportRow& r = plan.rows[i];
    const char* reason = rows[i].reason;
    EXPECT_EQ(std::make_pair(r.line, r.channel), std::make_pair(rows[i].line, reason ? std::nullopt : std::optional<int>(1)));
    EXPECT_TRUE(reason ? r.refusal.find(reason) != std::string::npos : r.refusal.empty()) << r.line << ": " << r.refusal;
  }
  EXPECT_EQ(plan.imported(), 1);
  EXPECT_EQ(plan.refused(), static_cast<int>(std::size(rows)) - 1);
}

TEST(CsvImport, RowsArePlacedByLocationOrFileOrderAndBrokenFilesRefused) {
  ShippedScreen s;
  const std::string csv = "Location,Frequency\n0,146.52\n25,146.54\n3,146.56\n3,146.58\n16,146.60\n";
  using C = std::vector<std::optional<int>>;
  EXPECT_EQ(Channels(Plan(s, csv)), (C{1, 2, 3, 4, 5}));
  const ImportPlan by_location = Plan(s, csv, true);
  EXPECT_EQ(Channels(by_location), (C{std::nullopt, std::nullopt, 3, std::nullopt, 16}));
  EXPECT_NE(by_location.rows[3].refusal.find("line 4"), std::string::npos) << by_location.rows[3].refusal;
  std::string seventeen = "Location,Frequency\n";
  for (int i = 0; i < 17; ++i) seventeen += std::to_string(i) + ",146.52\n";
  const ImportPlan full = Plan(s, seventeen);
  EXPECT_EQ(full.imported(), 16);
  EXPECT_FALSE(full.rows.back().channel);

  // Quoting, comments, a byte-order mark and columns in another order.
  const ImportPlan quoted = Plan(s, Fixture("quoting.csv"), true);
  ASSERT_EQ(quoted.error, "");
  ASSERT_EQ(quoted.rows.size(), 2u);
  EXPECT_EQ(std::make_tuple(quoted.rows[0].line, *quoted.rows[0].channel, quoted.rows[0].entry.coding),
            std::make_tuple(4, 7, std::string("CTCSS:100.0")));
  EXPECT_EQ(std::make_tuple(quoted.rows[1].line, *quoted.rows[1].channel, quoted.rows[1].entry.rx_hz),
            std::make_tuple(7, 8, std::int64_t{145500000})) << "the quoted line break counts as a line";

  const ImportPlan missing = Plan(s, Fixture("missing-columns.csv"));
  ASSERT_EQ(missing.rows.size(), 1u);
  ChannelEntry defaults;
  defaults.rx_hz = defaults.tx_hz = 145550000;
  EXPECT_EQ(missing.rows[0].entry, defaults) << "missing columns take their defaults";
  for (const std::string& bad : {Fixture("no-frequency.csv"), std::string("Location,Frequency\n1,\"146.52\n"),
                                 std::string("Location,Frequency\n1,146.52\0", 28)})
    EXPECT_NE(Plan(s, bad).error, "") << bad;
}

TEST(CsvImport, ApplyKeepsBusyLockAndClockShiftAndOtherChannels) {
  ShippedScreen s;
  CKAVIRView& v = *s.view;
  v.grid.SetText(1, 5, "载波控制");
  v.grid.SetText(2, 5, "");
  v.grid.SetText(2, 8, "");
  const std::string untouched = v.grid.Text(9, 1);
  ApplyImport(Plan(s, Fixture("duplex.csv")), v);
  EXPECT_EQ(v.grid.Text(1, 5), "载波控制");  // kept; where there was none, the first of the list
  EXPECT_EQ(v.grid.Text(2, 5) + v.grid.Text(2, 8), v.channel_lists.busy_lock.front() + v.channel_lists.clock_freq.front());
  EXPECT_EQ(v.grid.Text(2, 1) + " " + v.grid.Text(2, 3), "146.94000 146.34000");
  EXPECT_EQ(v.grid.Text(1, 6) + v.grid.Text(1, 7) + v.grid.Text(1, 9), "低否窄");
  EXPECT_EQ(v.grid.Text(5, 3), "146.52000") << "off transmits on nothing, shown as the receive frequency";
  EXPECT_TRUE(v.ch_box[4].checked() && !v.tx_box[4].checked() && v.tx_box[3].checked());
  EXPECT_EQ(v.grid.Text(9, 1), untouched);
}

TEST(CsvExport, RowLayout) {
  ShippedScreen s;
  CKAVIRView& v = *s.view;
  for (int n = 0; n < 16; ++n) v.ch_box[n].state = n < 2, v.tx_box[n].state = n == 0;
  s.SetChannel(1, {"146.95000", "CTCSS:100.0", "146.35000", "CTCSS:100.0", "禁止", "低", "否", "否", "窄"});
  s.SetChannel(2, {"146.5225", "-DCS:754", "146.52250", "+DCS:023", "禁止", "高", "是", "否", "宽"});
  const CsvExport out = ExportCsv(v);
  EXPECT_TRUE(out.problems.empty());
  EXPECT_EQ(out.text,
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,,146.950000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,,,,,\r\n"
            "2,,146.522500,off,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,2.50,,5.0W,,,,,\r\n");
}

TEST(CsvExport, ImportedAgainGivesTheSameChannels) {
  ShippedScreen s;
  CKAVIRView& v = *s.view;
  ApplyImport(Plan(s, Fixture("tones.csv")), v);  // channels 1..15 with every tone case
  ApplyImport(Plan(s, "Location,Frequency,Duplex,Offset,Mode,Skip,Power\n16,145.5225,-,0.6,NFM,S,1W\n", true), v);
  v.grid.SetText(3, 6, "低");
  v.tx_box[4].state = 0;
  v.grid.SetText(4, 1, "146.5");  // as typed, not padded
  const CsvExport out = ExportCsv(v);
  ASSERT_EQ(out.channels, 16);
  for (bool by_location : {false, true}) {
    ShippedScreen other;
    const ImportPlan plan = Plan(other, out.text, by_location);
    ASSERT_EQ(plan.imported(), 16);
    ApplyImport(plan, *other.view);
    // The busy lock and clock shift columns are not in the file.
    for (int n = 1; n <= 16; ++n)
      for (int c : {5, 8}) other.view->grid.SetText(n, c, v.grid.Text(n, c));
    EXPECT_EQ(v.ProfileValues(), other.view->ProfileValues()) << "by location " << by_location;
  }
}

struct FixedAnswer : ModelQuestion {
  int answer = 0, asked = 0;
  int AskModel(const std::string&, const std::vector<std::string>&) override { return ++asked, answer; }
};

std::string Bytes(const ScreenImage& built) {
  EXPECT_TRUE(built.image && built.problems.empty());
  return built.image ? std::string(built.image->begin(), built.image->end()) : "";
}
// The screen's image saved under name in the screen's folder.
std::string SaveImage(ShippedScreen& s, const std::string& name) {
  WriteBytes(s.dir.File(name), Bytes(BuildScreenImage(*s.view)));
  return s.dir.File(name);
}

TEST(ModelFromBackupName, NamesOfBackups) {
  const std::vector<std::string> models = {"KV16V", "KV16U", "KV16可定义", "KV16V-X"};
  const struct { const char* path; int model; } cases[] = {
      {"/x/backups/read-KV16V-20261207-101500.bin", 1}, {"write-KV16U-20261207-101500-2.bin", 2},
      {"/x/read-KV16可定义-20261207-101500.bin", 3},
      {"read-KV16V-X-20261207-101500.bin", 4},  // the longest name that fits
      {"/read-KV16V/radio.bin", 0}, {"KV16V.bin", 0}, {"read-KV16-20261207.bin", 0}, {"copy-KV16V-20261207.bin", 0}};
  for (const auto& c : cases) EXPECT_EQ(ModelFromBackupName(c.path, models), c.model) << c.path;
}

TEST(ImageFile, OpensAsAReadOfTheModelNamedGivenOrAskedAndSavesTheSameBytes) {
  ShippedScreen source, s;
  source.SetChannel(3, {"145.50000", "-DCS:754"});
  const std::string path = SaveImage(source, "read-KV16V-20261207-101500.bin"), unnamed = SaveImage(source, "radio.img");
  const OpenOutcome out = OpenSetupFile(*s.view, path, 0, nullptr);
  ASSERT_TRUE(out.status) << out.status.Message();
  EXPECT_TRUE(out.image);
  EXPECT_EQ(s.view->Combo("Type")->SelectedText(), "KV16V") << "the model named by the file name";
  EXPECT_EQ(s.view->grid.Text(3, 1) + " " + s.view->grid.Text(3, 2), "145.50000 -DCS:754");
  EXPECT_EQ(s.view->current_file_name, path);
  EXPECT_FALSE(std::filesystem::exists(s.files.read_ini));
  EXPECT_EQ(Bytes(BuildScreenImage(*s.view)), ReadBytes(path));
  // An image differs from its profile only where the radio keeps no setting
  // of its own (the fixed settings), never in a channel.
  for (const SetupDifference& d : CompareSetups(*source.view, *s.view))
    EXPECT_EQ(d.where.rfind("CH", 0), std::string::npos) << DifferenceLine(d);
  ASSERT_TRUE(OpenSetupFile(*s.view, path, 2, nullptr).status);
  EXPECT_EQ(s.view->Combo("Type")->SelectedText(), "KV16U") << "the model given wins over the file name";

  // No model in the name: asked, or the open is refused and the screen left.
  s.view->grid.SetText(3, 1, "150.00000");
  FixedAnswer cancel, second;
  second.answer = 2;
  EXPECT_FALSE(OpenSetupFile(*s.view, unnamed, 0, nullptr).status);
  EXPECT_FALSE(s.ui.errors.empty());
  EXPECT_TRUE(OpenSetupFile(*s.view, unnamed, 0, &cancel).cancelled);
  EXPECT_FALSE(OpenSetupFile(*s.view, unnamed, 9, nullptr).status) << "no model 9 in the Type list";
  EXPECT_EQ(s.view->grid.Text(3, 1), "150.00000");
  ASSERT_TRUE(OpenSetupFile(*s.view, unnamed, 0, &second).status);
  EXPECT_EQ(second.asked, 1);
  EXPECT_EQ(s.view->Combo("Type")->SelectedText() + " " + s.view->grid.Text(3, 1), "KV16U 145.50000");
}

TEST(ImageFile, OnlyImagesOfTheRightSizeAndBytesAreTakenOrSaved) {
  std::string profile = "[Previous]\r\nType=KV16V\r\n";
  profile.resize(768, ' ');
  EXPECT_FALSE(AsRadioImage(profile));
  for (std::size_t size : {767, 768, 769}) EXPECT_EQ(AsRadioImage(std::string(size, '\0')).has_value(), size == 768);
  ShippedScreen s;
  s.view->grid.SetText(2, 1, "146.52300");  // on no raster: a write would send wrong bytes
  const ScreenImage refused = BuildScreenImage(*s.view);
  EXPECT_TRUE(!refused.image && !refused.problems.empty());
}

TEST(CompareSetups, EqualOneCellOneSettingOneBox) {
  ShippedScreen a, b;
  EXPECT_TRUE(CompareSetups(*a.view, *b.view).empty());
  b.view->grid.SetText(3, 1, "145.5");
  a.view->grid.SetText(3, 1, "145.50000");
  EXPECT_TRUE(CompareSetups(*a.view, *b.view).empty()) << "145.5 is stored as 145.50000";
  b.view->grid.SetText(3, 3, "146.00000");
  ComboBox& timer = *b.view->Combo("TimerOut");
  timer.selected = timer.selected == 1 ? 2 : 1;
  b.view->tx_box[15].state = !b.view->tx_box[15].state;
  const auto d = CompareSetups(*a.view, *b.view);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].where + "=" + d[0].b, "发射定时限制=" + timer.SelectedText());
  EXPECT_EQ(d[1].where + "=" + d[1].b, "CH03 发射频率=146.00000");
  EXPECT_EQ(d[2].where, "CH16 TX");
}

}  // namespace
}  // namespace kavir::test
