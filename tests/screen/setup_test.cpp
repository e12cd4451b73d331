// Set-up: option lists, fixed drop-downs, pages, the start-up model.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

struct CountingPort : PortStarter {
  int opened = 0;
  bool lists_filled_when_opened = false;
  const CKAVIRView* view = nullptr;
  void OpenStartupPort() override {
    ++opened;
    lists_filled_when_opened = !view->Combo("Type")->options.empty();
  }
};

TEST(ScreenSetup, FillsListsLoadsPreviousModelAndOpensOnChannelPage) {
  ProgramDir dir;
  FakeUi ui;
  CKAVIRView view(dir.files, ui);
  CountingPort port;
  port.view = &view;
  view.OnInitialUpdate(&port);

  EXPECT_EQ(port.opened, 1);
  EXPECT_TRUE(port.lists_filled_when_opened);
  EXPECT_EQ(view.Combo("Type")->options, (std::vector<std::string>{"KV16V", "KV16U", "KV16可定义"}));
  EXPECT_EQ(view.Combo("Type")->SelectedText(), "KV16U");
  EXPECT_EQ(view.current_model_name, "KV16U");
  EXPECT_EQ(view.Combo("TimerOut")->SelectedText(), "30S");  // from KV16U.ini
  EXPECT_EQ(view.grid.Text(1, 1), "430.12500");
  EXPECT_EQ(view.current_tab, 1);
  EXPECT_EQ(view.shown_page, 1);
  EXPECT_TRUE(ui.errors.empty());
}

TEST(ScreenSetup, FixedDropDownsStayDisabledAndModeHidden) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const std::vector<std::string> fixed = {"RunControl", "TuningMode", "RxStay",    "RxRestart",
                                          "TxRestart",  "RxCH",       "TxChanSel", "AssignCHSet",
                                          "ScanDirection", "ScanSpeed", "ScanDelAdd", "TempDel",
                                          "ChanMode"};
  view->OnTabChanged(0);
  view->OnTabChanged(1);
  view->OnTabChanged(0);
  for (const ComboBox& c : view->combos()) {
    const bool is_fixed = std::find(fixed.begin(), fixed.end(), c.key) != fixed.end();
    if (c.key == "Mode") {
      EXPECT_FALSE(c.enabled);
      EXPECT_FALSE(c.visible);
    } else {
      EXPECT_EQ(c.enabled, !is_fixed) << c.key;
    }
  }
  EXPECT_EQ(view->combos().size(), 30u);
}

TEST(ScreenSetup, PagesShowTheirOwnControls) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  view->OnTabChanged(0);
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_TRUE(view->Combo("TimerOut")->visible);
  EXPECT_TRUE(view->battery.visible);
  EXPECT_FALSE(view->ch_box[0].visible);
  EXPECT_FALSE(view->Combo("PF1S")->visible);
  view->OnTabChanged(1);
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_FALSE(view->Combo("TimerOut")->visible);
  EXPECT_TRUE(view->tx_box[15].visible);
  EXPECT_FALSE(view->Combo("PF3S")->visible);
  EXPECT_FALSE(view->Combo("Mode")->visible);
}

TEST(ScreenSetup, OptionListsEndAtFirstGapAndHoldAtMost200) {
  ProgramDir dir;
  Entries timer = List({"a", "b", "c", "d", "e"});
  timer.emplace_back("7", "g");
  Entries many;
  for (int i = 1; i <= 205; ++i) many.emplace_back(std::to_string(i), "opt" + std::to_string(i));
  WriteIni(dir.files.kavir_ini, {{"TimerOut", timer},
                                 {"LookA", many},
                                 {"Voice", {{"2", "x"}, {"3", "y"}}},
                                 {"Alarm", List({"一二三四五六七八九十"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  EXPECT_EQ(view->Combo("TimerOut")->options.size(), 5u);
  ASSERT_EQ(view->Combo("LookA")->options.size(), 200u);
  EXPECT_EQ(view->Combo("LookA")->options.back(), "opt200");
  EXPECT_TRUE(view->Combo("Voice")->options.empty());
  // 10 characters are 20 GBK bytes: nine of them fit in 19.
  EXPECT_EQ(view->Combo("Alarm")->options.at(0), "一二三四五六七八九");
}

TEST(ScreenSetup, NoPreviousTypeLoadsDefaultsOnly) {
  ProgramDir dir;
  WriteIni(dir.files.kavir_ini, {{"Type", List({"KV16V", "KV16U"})},
                                 {"ChanMode", List({"当前信道", "固定设置的"})},
                                 {"PF3S", List({"关", "固定报警键"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  EXPECT_EQ(view->current_model_name, "");
  EXPECT_EQ(view->Combo("Type")->selected, -1);
  EXPECT_EQ(view->Combo("ChanMode")->SelectedText(), "固定设置的");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "固定报警键");
  EXPECT_TRUE(ui.errors.empty());
}

TEST(ScreenSetup, MissingConfigurationGivesEmptyListsAndSaysSo) {
  TempDir empty;
  FakeUi ui;
  CKAVIRView view(WorkingFiles::FromDirectory(empty.path()), ui);
  view.OnInitialUpdate(nullptr);
  for (const ComboBox& c : view.combos()) EXPECT_TRUE(c.options.empty()) << c.key;
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("KAVIR.ini"), std::string::npos);
  EXPECT_EQ(view.shown_page, 1);
}

TEST(ChannelGridLayout, HeadersAndChannelNames) {
  ChannelGrid grid;
  EXPECT_EQ(grid.Text(0, 0), "信道号");
  EXPECT_EQ(grid.Text(0, 1), "接收频率");
  EXPECT_EQ(grid.Text(0, 9), "宽带");
  EXPECT_EQ(grid.Text(1, 0), "CH01");
  EXPECT_EQ(grid.Text(16, 0), "CH16");
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(0), 0.8);
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(2), 1.3);
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(3), 1.2);
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(7), 1.0);
}

}  // namespace
}  // namespace kavir::test
