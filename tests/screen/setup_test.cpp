// Start-up: option lists, fixed drop-downs, pages, the start-up model, and a
// missing or broken KAVIR.ini, which is never made from nothing.
#include <filesystem>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

struct CountingPort : PortStarter {
  int opened = 0;
  bool lists_filled_when_opened = false;
  const CKAVIRView* view = nullptr;
  void OpenStartupPort(const ProgramConfig&) override {
    ++opened;
    lists_filled_when_opened = !view->Combo("Type")->options.empty();
  }
};

// The lists are filled and the previous model loaded before the port opens.
TEST(ScreenSetup, LoadsThePreviousModelBeforeOpeningThePort) {
  ProgramDir dir;
  FakeUi ui;
  CKAVIRView view(dir.files, ui);
  CountingPort port;
  port.view = &view;
  view.OnInitialUpdate(&port);
  EXPECT_EQ(port.opened, 1);
  EXPECT_TRUE(port.lists_filled_when_opened);
  EXPECT_EQ(view.current_model_name, "KV16U");
  EXPECT_EQ(view.Selected("Type").text, "KV16U");
  EXPECT_EQ(view.Selected("TimerOut").text, "30S");  // from KV16U.ini
  EXPECT_EQ(view.current_tab, 1);
  EXPECT_EQ(view.shown_page, 1);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(view.Cell(0, 9).text, ChannelGrid::Header(9));
  EXPECT_EQ(view.Cell(16, 0).text, "CH16");
}

// The form shows every setting; the user may change only these.
TEST(ScreenSetup, OnlyTheSettingsAUserMayChangeAreEnabled) {
  const std::set<std::string> changeable = {
      "Type",        "TimerOut",  "Prealet",       "ChannelMonitor", "SquelchLevel", "Beep", "Voice", "Alarm",
      "CloneEnable", "ScanAlert", "ScanOperation", "ChanSet",        "LookA",        "PF1S", "PF2S",  "PF3S"};
  ProgramDir dir;
  FakeUi ui;
  const auto view = dir.Start(ui);
  for (const SettingInfo& info : Settings()) {
    const SettingBox* box = view->Combo(info.key);
    ASSERT_NE(box, nullptr) << info.key;
    EXPECT_EQ(box->enabled, changeable.count(info.key) == 1) << info.key;
  }
}

TEST(ChannelGrid, TheFirstColumnIsTheChannelNumber) {
  EXPECT_STREQ(ChannelGrid::Header(0), "信道号");
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(0), 0.8);
}

TEST(ChannelGrid, NothingLiesOutsideTheGrid) {
  EXPECT_STREQ(ChannelGrid::Header(kGridCols), "");
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(kGridCols), 1.0);
  ProgramDir dir;
  FakeUi ui;
  const auto view = dir.Start(ui);
  EXPECT_EQ(view->Cell(1, kGridCols).text, "");
  EXPECT_EQ(view->Cell(kGridRows, 1).text, "");
}

TEST(ScreenSetup, EveryControlHasAnIdOfItsOwn) {
  ProgramDir dir;
  FakeUi ui;
  const auto view = dir.Start(ui);
  std::set<int> ids = {0, view->battery.id, view->band_lower.id, view->band_upper.id};
  for (int n = 0; n < 16; ++n) ids.insert({view->ch_box[n].id, view->tx_box[n].id});
  EXPECT_EQ(ids.size(), 36u);
}

TEST(ScreenSetup, EachPageShowsItsOwnControls) {
  ProgramDir dir;
  FakeUi ui;
  const auto view = dir.Start(ui);
  view->OnTabChanged(0), view->OnTabChanged(1), view->OnTabChanged(0);
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_TRUE(view->Combo("TimerOut")->visible);
  EXPECT_TRUE(view->battery.visible);
  EXPECT_FALSE(view->ch_box[0].visible);
  EXPECT_FALSE(view->Combo("PF1S")->visible);
  EXPECT_FALSE(view->Combo("Mode")->enabled);
  EXPECT_FALSE(view->Combo("Mode")->visible);
  EXPECT_FALSE(view->Combo("ChanMode")->enabled);
  view->OnTabChanged(1);
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_FALSE(view->Combo("TimerOut")->visible);
  EXPECT_FALSE(view->Combo("PF3S")->visible);
  EXPECT_TRUE(view->tx_box[15].visible);
  EXPECT_TRUE(view->ch_box[0].visible);
}

TEST(ScreenSetup, ListsUpTo200Options) {
  ProgramDir dir;
  IniDocument kavir = ReadIniFile(dir.files.kavir_ini);
  for (int i = 1; i <= 205; ++i) kavir.SetString("LookA", std::to_string(i), "opt" + std::to_string(i));
  ASSERT_TRUE(WriteIniFile(dir.files.kavir_ini, kavir).ok);
  FakeUi ui;
  EXPECT_EQ(dir.Start(ui)->Combo("LookA")->options.size(), 200u);
}

// The first model of the list, without a model file here: the defaults.
TEST(ScreenSetup, StartsOnTheFirstModelWithDefaults) {
  ProgramDir dir;
  IniDocument kavir = ReadIniFile(dir.files.kavir_ini);
  kavir.SetString("PreviousType", "1", "KV16V");
  ASSERT_TRUE(WriteIniFile(dir.files.kavir_ini, kavir).ok);
  FakeUi ui;
  auto view = dir.Start(ui);
  EXPECT_EQ(view->current_model_name, "KV16V");
  EXPECT_EQ(view->Selected("Type").text, "KV16V");
  EXPECT_EQ(view->Selected("ChanMode").text, "固定设置的");
  EXPECT_EQ(view->Selected("PF1S").text, "关");
  EXPECT_EQ(view->Selected("PF3S").text, "固定报警键");
  EXPECT_EQ(view->Cell(5, 2).text, "");
  EXPECT_FALSE(view->setup().channel(1).enabled);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_FALSE(view->IsModified());
}

TEST(BrokenKavirIni, LeavesEveryFileAsItWas) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> break_it;
    const char* reason;
  } cases[] = {
      // In Chinese, as the rest of the message.
      {"missing", [](const std::string& p) { fs::remove(p); }, "KAVIR.ini: 文件不存在\n"},
      {"no lists",
       [](const std::string& p) {
         WriteIni(p, {{"ComPort", {{"1", "1"}}}});
       },
       "没有选项列表（缺少 [Type] 列表）"},
      {"a folder", [](const std::string& p) { fs::remove(p), fs::create_directory(p); }, "是文件夹，不是文件"},
  };
  for (const Case& c : cases) {
    ProgramDir dir;
    const std::string good = dir.files.ModelFile("KV16U"), good_bytes = ReadBytes(good);
    c.break_it(dir.files.kavir_ini);
    const std::string kavir_bytes = ReadBytes(dir.files.kavir_ini);  // "" for none or a folder

    FakeUi ui;
    auto view = dir.Start(ui);
    // Start-up says which file is wrong and what to do.
    ASSERT_EQ(ui.errors.size(), 1u) << c.name;
    EXPECT_NE(ui.errors[0].find(c.reason), std::string::npos) << c.name << ": " << ui.errors[0];
    EXPECT_FALSE(view->option_lists_status().ok);

    // Open still shows a file; Save As, Save over it and the model change refuse.
    ui.open_path = ui.save_path = good;
    EXPECT_TRUE(view->document().OnFileOpenDat().ok) << c.name;
    ui.errors.clear();
    EXPECT_FALSE(view->document().OnFileSaveAsDat()) << c.name;
    EXPECT_FALSE(view->StoreProfile(dir.dir.File("new.dat")).ok) << c.name;
    ui.answers = {true};
    view->OnTypeChanged(0);  // an empty model list: nothing to change to
    EXPECT_EQ(ui.errors.size(), 2u) << c.name;
    for (const std::string& e : ui.errors) EXPECT_EQ(e, view->OptionListsMessage());

    EXPECT_EQ(ReadBytes(good), good_bytes) << c.name;
    EXPECT_FALSE(fs::exists(dir.dir.File("new.dat"))) << c.name;
    EXPECT_EQ(ReadBytes(dir.files.kavir_ini), kavir_bytes) << c.name;
    if (std::string(c.name) == "missing") {
      EXPECT_FALSE(fs::exists(dir.files.kavir_ini));
    }
  }
}

}  // namespace
}  // namespace kavir::test
