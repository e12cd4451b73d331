// Loading a profile into the screen and storing it back.
#include <fstream>

#include <gtest/gtest.h>

#include "profile/profile_keys.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

class LoadStore : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);

  std::string Profile(const Entries& entries, const std::string& name = "p.dat") {
    const std::string path = dir.dir.File(name);
    WriteIni(path, {{"Previous", entries}});
    return path;
  }
};

TEST_F(LoadStore, SparseOrBrokenFileKeepsEarlierSelections) {
  ASSERT_EQ(view->Combo("TimerOut")->SelectedText(), "30S");
  ASSERT_EQ(view->Combo("Beep")->SelectedText(), "开");
  view->LoadProfile(Profile({{"TimerOut", "99S"}, {"SquelchLevel", "7"}}));
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "30S");  // not an option
  EXPECT_EQ(view->Combo("Beep")->SelectedText(), "开");       // missing
  EXPECT_EQ(view->Combo("SquelchLevel")->SelectedText(), "7");

  const std::string junk = dir.dir.File("junk.dat");
  {
    std::ofstream out(junk, std::ios::binary);
    out << "\x01\x02[Previ\r\nTimerOut\n\xff\xfe=garbage\0\0 more";
  }
  // No profile content: refused, the screen kept.
  EXPECT_FALSE(view->LoadProfile(junk).ok);
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "30S");
  EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(LoadStore, MissingFileReadsDefaultsWithoutError) {
  view->Combo("ChanMode")->selected = 0;
  view->Combo("PF1S")->selected = 1;
  view->Combo("PF3S")->selected = 0;
  EXPECT_TRUE(view->LoadProfile(dir.dir.File("nowhere.dat")).ok);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(view->Combo("ChanMode")->SelectedText(), "固定设置的");
  EXPECT_EQ(view->Combo("PF1S")->SelectedText(), "关");
  EXPECT_EQ(view->Combo("PF2S")->SelectedText(), "关");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "固定报警键");
  EXPECT_EQ(view->grid.Text(5, 2), "");
  EXPECT_FALSE(view->ch_box[0].checked());
}

TEST_F(LoadStore, UnreadableFileIsReportedAndScreenKept) {
  const std::string folder = dir.dir.File("folder.dat");
  std::filesystem::create_directory(folder);
  IoStatus s = view->LoadProfile(folder);
  EXPECT_FALSE(s.ok);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find(folder), std::string::npos);
  EXPECT_EQ(view->grid.Text(1, 1), "430.12500");
}

TEST_F(LoadStore, ExactOptionWinsOverLongerOne) {
  // "1" must not come back as "10" (the prefix search tries "10" before "1").
  view->LoadProfile(Profile({{"SquelchLevel", "1"}}));
  EXPECT_EQ(view->Combo("SquelchLevel")->SelectedText(), "1");
  view->LoadProfile(Profile({{"SquelchLevel", " 1 "}}));
  EXPECT_EQ(view->Combo("SquelchLevel")->SelectedText(), "1");
  view->LoadProfile(Profile({{"SquelchLevel", "10"}}));
  EXPECT_EQ(view->Combo("SquelchLevel")->SelectedText(), "10");
  // With no equal option the prefix search runs, second option first.
  view->LoadProfile(Profile({{"TimerOut", "4"}}));
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "45S");
  view->LoadProfile(Profile({{"Type", "kv16"}}));
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16U");
}

TEST_F(LoadStore, SelectOptionTextRules) {
  ComboBox c;
  c.options = {"ab", "abc", "x"};
  view->SelectOptionText(c, "");
  EXPECT_EQ(c.selected, -1);
  view->SelectOptionText(c, "A");
  EXPECT_EQ(c.selected, 1);  // second option tried first
  view->SelectOptionText(c, "ab");
  EXPECT_EQ(c.selected, 0);
  view->SelectOptionText(c, "zzz");
  EXPECT_EQ(c.selected, 0);
}

TEST_F(LoadStore, BandLimitsFromLeadingDigits) {
  view->LoadProfile(Profile({{"FreqV", "136.5"}, {"FreqU", "174"}}));
  EXPECT_EQ(view->band_lower.text, "136.5");
  EXPECT_EQ(view->band_lower_limit, 136);
  EXPECT_EQ(view->band_upper.text, "174");
  EXPECT_EQ(view->band_upper_limit, 174);
  view->LoadProfile(Profile({{"FreqV", " +400MHz"}, {"FreqU", "abc"}}));
  EXPECT_EQ(view->band_lower_limit, 400);
  EXPECT_EQ(view->band_upper_limit, 0);
}

TEST_F(LoadStore, BandEditsEnabledByCustomModelName) {
  view->LoadProfile(dir.files.ModelFile("KV16可定义"));
  EXPECT_TRUE(view->band_lower.enabled);
  EXPECT_TRUE(view->band_upper.enabled);
  view->LoadProfile(dir.files.ModelFile("KV16U"));
  EXPECT_FALSE(view->band_lower.enabled);
  EXPECT_FALSE(view->band_upper.enabled);
  view->LoadProfile(Profile({{"FreqU", "470"}}, "x义.dat"));
  EXPECT_TRUE(view->band_upper.enabled);
  // Only after the first character: a path that is 定 and plain letters does not count.
  view->LoadProfile("定-no-such-file.dat");
  EXPECT_FALSE(view->band_lower.enabled);
}

TEST_F(LoadStore, CheckBoxValues) {
  view->LoadProfile(Profile({{"BatterySupply", "0"}, {"CBR1", "1"}, {"CBT1", "1"},
                             {"CBR2", "0"}, {"CBT2", "1"}, {"CBR3", "7"}, {"CBT3", ""},
                             {"CBR4", "x"}, {"CBT4", "01"}}));
  EXPECT_FALSE(view->battery.checked());
  EXPECT_TRUE(view->ch_box[0].checked());
  EXPECT_TRUE(view->tx_box[0].checked());
  EXPECT_FALSE(view->ch_box[1].checked());
  EXPECT_FALSE(view->tx_box[1].checked());  // cleared again: its channel is off
  EXPECT_TRUE(view->ch_box[2].checked());
  EXPECT_FALSE(view->tx_box[2].checked());
  EXPECT_TRUE(view->ch_box[3].checked());
  EXPECT_FALSE(view->tx_box[3].checked());
  EXPECT_FALSE(view->ch_box[4].checked());  // missing
  const std::string out = dir.dir.File("out.dat");
  view->StoreProfile(out);
  EXPECT_EQ(Stored(out, "BatterySupply"), "0");
  EXPECT_EQ(Stored(out, "CBR1"), "1");
  EXPECT_EQ(Stored(out, "CBT2"), "0");
  EXPECT_EQ(Stored(out, "CBR3"), "1");
  EXPECT_EQ(Stored(out, "CBR5"), "0");
}

TEST_F(LoadStore, LoadColoursCells) {
  view->LoadProfile(dir.files.ModelFile("KV16U"));
  EXPECT_EQ(view->grid.Cell(1, 1).back_color, 0xF5FAF3u);
  EXPECT_EQ(view->grid.Cell(16, 5).back_color, 0xCDE6CBu);
  EXPECT_EQ(view->grid.Cell(8, 9).back_color, 0xA5D2A3u);
  EXPECT_EQ(view->grid.back_color, 0xFFABABu);
  EXPECT_EQ(view->grid.Text(3, 2), "CTCSS:67.0");
  EXPECT_EQ(view->grid.Cell(3, 3).fore_color, kBlack);
}

TEST_F(LoadStore, StorePadsFrequenciesAndKeepsOtherCells) {
  view->grid.SetText(1, 1, "145.5");
  view->grid.SetText(1, 3, "");
  view->grid.SetText(2, 1, "145.12500");
  view->grid.SetText(2, 2, "CTCSS:67");
  view->grid.SetText(2, 4, "");
  const std::string out = dir.dir.File("out.dat");
  EXPECT_TRUE(view->StoreProfile(out).ok);
  EXPECT_EQ(Stored(out, "CH01.RxFreq"), "145.50000");
  EXPECT_EQ(Stored(out, "CH01.TxFreq"), "000000000");
  EXPECT_EQ(Stored(out, "CH02.RxFreq"), "145.12500");
  EXPECT_EQ(Stored(out, "CH02.Decode"), "CTCSS:67");
  EXPECT_EQ(Stored(out, "CH02.Coding"), "");
  EXPECT_EQ(Stored(out, "FreqV"), "400");
  EXPECT_EQ(Stored(out, "TimerOut"), "30S");
  EXPECT_EQ(Stored(out, "PF3S"), "扫描");
}

TEST_F(LoadStore, StoreWritesPreviousTypeEvenToWriteIni) {
  view->Combo("Type")->selected = 0;  // KV16V
  EXPECT_TRUE(view->StoreProfile(dir.files.write_ini).ok);
  EXPECT_EQ(Stored(dir.files.write_ini, "Type"), "KV16V");
  EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("PreviousType", "1").value_or(""), "KV16V");
  // The configuration's option lists are untouched.
  EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("Type", "3").value_or(""), "KV16可定义");
}

TEST_F(LoadStore, NoSelectionIsStoredEmpty) {
  view->Combo("Voice")->selected = -1;  // its list is empty here
  const std::string out = dir.dir.File("out.dat");
  view->StoreProfile(out);
  EXPECT_EQ(Stored(out, "Voice"), "");
}

TEST_F(LoadStore, LoadAndStoreRestoreThePage) {
  view->OnTabChanged(1);
  const int repaints = ui.repaints;
  view->LoadProfile(dir.files.ModelFile("KV16U"));
  EXPECT_EQ(view->current_tab, 1);
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_GT(ui.repaints, repaints);
  view->OnTabChanged(0);
  view->StoreProfile(dir.dir.File("o.dat"));
  EXPECT_EQ(view->current_tab, 0);
  EXPECT_EQ(view->shown_page, 0);
}

TEST_F(LoadStore, RoundTripOfTheModelFile) {
  const std::string out = dir.dir.File("round.dat");
  view->StoreProfile(out);
  const IniDocument a = ReadIniFile(dir.files.ModelFile("KV16U"));
  const IniDocument b = ReadIniFile(out);
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(a.Find("Previous", key).value_or(""), b.Find("Previous", key).value_or("")) << key;
}

TEST_F(LoadStore, ProfileValuesListAllKeysInClearingOrder) {
  const auto values = view->ProfileValues();
  ASSERT_EQ(values.size(), ProfileKeys().size());
  EXPECT_EQ(values.size(), 209u);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i].first, ProfileKeys()[i]);
  for (const auto& [k, v] : values) {
    if (k == "CH16.RxFreq") {
      EXPECT_EQ(v, "430.12500");
    }
  }
}

}  // namespace
}  // namespace kavir::test
