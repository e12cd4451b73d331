// Loading a profile into the screen and storing it back.
#include <gtest/gtest.h>

#include "ini/file_path.h"
#include "setup/profile_keys.h"
#include "support.h"

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
  std::string Store() {
    const std::string out = dir.dir.File("out.dat");
    EXPECT_TRUE(view->StoreProfile(out).ok);
    return out;
  }
};

TEST_F(LoadStore, StoredTextsSelectTheirOptions) {
  struct Case {
    const char *key, *stored, *selected;
  } cases[] = {
      {"TimerOut", "99S", "30S"},                               // not an option: the earlier selection stays
      {"SquelchLevel", "1", "1"},                               // an equal option wins over a longer one
      {"SquelchLevel", " \f1", "1"}, {"TimerOut", "", "30S"},   // an empty text selects nothing
      {"SquelchLevel", "10", "10"},  {"TimerOut", "4", "45S"},  // no equal option: prefix search from the second
      {"Type", "kv16", "KV16U"},
  };
  for (const Case& c : cases) {
    view->LoadProfile(dir.files.ModelFile("KV16U"));
    view->LoadProfile(Profile({{c.key, c.stored}}));
    EXPECT_EQ(view->Selected(c.key).text, c.selected) << c.key << "=" << c.stored;
    EXPECT_EQ(view->Selected("Beep").text, "开");  // missing keys keep theirs
  }
}

TEST_F(LoadStore, TheBandComesFromTheFileEditableOnlyForUserDefinedModels) {
  struct Case {
    std::string path;
    const char* text;
    int lower, upper;
    bool editable;
  } cases[] = {
      {Profile({{"FreqV", "136.5"}, {"FreqU", "174"}}, "a.dat"), "136.5", 136, 174, false},
      {Profile({{"FreqV", " +400MHz"}, {"FreqU", "abc"}}, "b.dat"), "+400MHz", 400, 0, false},
      {dir.files.ModelFile("KV16可定义"), "350", 350, 390, true},  // 义 after the first character: user-defined
      {Profile({{"FreqV", "1"}}, "x义.dat"), "1", 1, 0, true},
      {"定-no-such-file.dat", "", 0, 0, false},
  };
  for (const Case& c : cases) {
    view->LoadProfile(c.path);
    EXPECT_EQ(view->setup().band_lower, c.text) << c.path;
    EXPECT_EQ(view->band_lower_limit, c.lower) << c.path;
    EXPECT_EQ(view->band_upper_limit, c.upper) << c.path;
    EXPECT_EQ(view->band_lower.enabled, c.editable) << c.path;
    EXPECT_EQ(view->band_upper.enabled, c.editable) << c.path;
  }
}

TEST_F(LoadStore, CheckBoxesTravelAsZeroOrOne) {
  view->LoadProfile(Profile({{"BatterySupply", "0"},
                             {"CBR1", "1"},
                             {"CBT1", "1"},
                             {"CBR2", "0"},
                             {"CBT2", "1"},
                             {"CBR3", "7"},
                             {"CBT3", ""},
                             {"CBR4", "x"},
                             {"CBT4", "01"}}));
  EXPECT_FALSE(view->setup().battery_saver);
  // CH and TX of channels 1..5; TX 2 is cleared again: its channel is off.
  const bool boxes[][2] = {{true, true}, {false, false}, {true, false}, {true, false}, {false, false}};
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(view->setup().channel(n).enabled, boxes[n - 1][0]) << n;
    EXPECT_EQ(view->setup().channel(n).tx_enabled, boxes[n - 1][1]) << n;
  }
  // Rows follow their boxes: an unused channel is grey throughout.
  EXPECT_EQ(view->Cell(2, 1).fore_color, kGrey);
  EXPECT_EQ(view->Cell(2, 3).fore_color, kGrey);
  EXPECT_EQ(view->Cell(1, 4).fore_color, kBlack);
  const std::string out = Store();
  for (auto [key, value] : Entries{{"BatterySupply", "0"}, {"CBR1", "1"}, {"CBT2", "0"}, {"CBR3", "1"}, {"CBR5", "0"}})
    EXPECT_EQ(Stored(out, key), value) << key;
}

TEST_F(LoadStore, AStorePadsFrequenciesLeavingOtherCellsAsTheyAre) {
  view->OnTabChanged(0);
  for (auto [r, c, text] : {std::tuple{1, 1, "145.5"}, {1, 3, ""}, {2, 2, "CTCSS:67"}, {2, 4, ""}})
    SetCell(*view, r, c, text);
  Select(*view, "Voice", -1);  // its list is empty here
  const std::string out = Store();
  for (auto [key, value] : Entries{{"CH01.RxFreq", "145.50000"},
                                   {"CH01.TxFreq", "000000000"},
                                   {"CH02.RxFreq", "430.12500"},
                                   {"CH02.Decode", "CTCSS:67"},
                                   {"CH02.Coding", ""},
                                   {"FreqV", "400"},
                                   {"TimerOut", "30S"},
                                   {"PF3S", "扫描"},
                                   {"Voice", ""}})
    EXPECT_EQ(Stored(out, key), value) << key;
  EXPECT_EQ(view->shown_page, 0);  // the page is restored
}

TEST_F(LoadStore, AStoreRemembersTheModelInKavirIni) {
  Select(*view, "Type", 0);  // KV16V
  EXPECT_TRUE(view->StoreProfile(dir.files.write_ini).ok);
  EXPECT_EQ(Stored(dir.files.write_ini, "Type"), "KV16V");
  const IniDocument kavir = ReadIniFile(dir.files.kavir_ini);
  EXPECT_EQ(kavir.Find("PreviousType", "1").value_or(""), "KV16V");
  EXPECT_EQ(kavir.Find("Type", "3").value_or(""), "KV16可定义");
}

TEST_F(LoadStore, AStoreThatCannotRememberTheModelSaysSo) {
  Select(*view, "Type", 0);                                                                              // KV16V
  std::filesystem::remove(dir.files.kavir_ini), std::filesystem::create_directory(dir.files.kavir_ini);  // not writable
  EXPECT_FALSE(view->StoreProfile(dir.dir.File("o.dat")).ok);
  EXPECT_EQ(Stored(dir.dir.File("o.dat"), "Type"), "KV16V");  // the profile itself is saved
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find(dir.files.kavir_ini), std::string::npos);
}

TEST_F(LoadStore, AValueCutShortHoldsWhatASaveWrites) {
  ASSERT_TRUE(view->LoadProfile(Profile({{"CH04.RxFreq", "1" + std::string(40, ' ') + "43.81875"},
                                         {"CH04.ZoneWide", "窄带" + std::string(30, ' ') + "x"}}))
                  .ok);
  const auto shown = view->ProfileValues();
  const std::string out = Store();
  ASSERT_TRUE(view->LoadProfile(out).ok);
  EXPECT_EQ(view->ProfileValues(), shown);
  EXPECT_EQ(Stored(out, "CH04.RxFreq"), "1.0000000");  // 1 MHz, not 100000000
  EXPECT_EQ(Stored(out, "CH04.ZoneWide"), "窄带");
}

// Every shipped model, from a program folder whose path holds Chinese and spaces.
TEST(ShippedData, EveryModelFileStoresBackTheValuesItLoads) {
  TempDir base;
  const std::string program = JoinPath(base.path(), "对讲机 编程");
  std::filesystem::create_directories(PathFromUtf8(program));
  for (const auto& e : std::filesystem::directory_iterator(PathFromUtf8(KAVIR_DATA_DIR)))
    if (e.is_regular_file()) std::filesystem::copy_file(e.path(), PathFromUtf8(program) / e.path().filename());
  FakeUi ui;
  const WorkingFiles files = WorkingFiles::FromDirectory(program);
  CKAVIRView view(files, ui);
  view.OnInitialUpdate(nullptr);
  const auto& models = view.Combo("Type")->options;
  ASSERT_GE(models.size(), 3u);
  for (const std::string& m : models) {
    ASSERT_TRUE(view.LoadProfile(files.ModelFile(m)).ok) << m;
    EXPECT_EQ(view.Selected("Type").text, m);
    const std::string out = JoinPath(program, "我的 设置.dat");
    ASSERT_TRUE(view.ClearAndStoreProfile(out).ok);
    const IniDocument a = ReadIniFile(files.ModelFile(m)), b = ReadIniFile(out);
    for (const std::string& key : ProfileKeys())
      EXPECT_EQ(a.Find("Previous", key).value_or(""), b.Find("Previous", key).value_or("")) << m << " " << key;
  }
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(LoadStore, AStoreLeavesTheUserOnTheirPage) {
  view->OnTabChanged(1);
  Store();
  EXPECT_EQ(view->current_tab, 1);
  EXPECT_EQ(view->shown_page, 1);
}

TEST_F(LoadStore, StoreIntoWritesTheSetupOnShow) {
  SetCell(*view, 3, 1, "431.00000");
  IniDocument doc;
  view->StoreInto(doc);
  EXPECT_EQ(doc.Find("Previous", "CH03.RxFreq"), std::optional<std::string>("431.00000"));
  EXPECT_EQ(doc.Find("Previous", "Type"), std::optional<std::string>("KV16U"));
}

TEST_F(LoadStore, AnImportClosesAnOpenEditor) {
  view->grid.row = 2, view->grid.col = 1;
  view->editing().StartEdit(13);
  ASSERT_TRUE(view->editing().editor.visible);
  kavir::Setup changed = view->setup();
  changed.channel(5).fields[0] = "450.00000";
  ASSERT_TRUE(view->ApplySetup(changed));
  EXPECT_FALSE(view->editing().editor.visible);
}

}  // namespace
}  // namespace kavir::test
