// Start-up: option lists, fixed drop-downs, pages, the start-up model.
#include <gtest/gtest.h>

#include <set>

#include "support.h"

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

TEST(ScreenSetup, FillsListsLoadsPreviousModelAndOpensThePortAfterwards) {
  ProgramDir dir;
  FakeUi ui;
  CKAVIRView view(dir.files, ui);
  CountingPort port;
  port.view = &view;
  view.OnInitialUpdate(&port);
  EXPECT_EQ(port.opened, 1);
  EXPECT_TRUE(port.lists_filled_when_opened);
  EXPECT_EQ(view.Combo("Type")->options, (std::vector<std::string>{"KV16V", "KV16U", "KV16可定义"}));
  EXPECT_EQ(view.current_model_name, "KV16U");
  EXPECT_EQ(view.Combo("Type")->SelectedText(), "KV16U");
  EXPECT_EQ(view.Combo("TimerOut")->SelectedText(), "30S");  // from KV16U.ini
  EXPECT_EQ(view.grid.Text(1, 1), "430.12500");
  EXPECT_EQ(view.current_tab, 1);
  EXPECT_EQ(view.shown_page, 1);
  EXPECT_TRUE(ui.errors.empty());
  // Every enable box has an id of its own.
  std::set<int> ids;
  for (int n = 0; n < 16; ++n) ids.insert({view.ch_box[n].id, view.tx_box[n].id});
  EXPECT_EQ(ids.size(), 32u);
  EXPECT_EQ(ids.count(0), 0u);
  EXPECT_STREQ(ChannelGrid::Header(kGridCols), "");
  EXPECT_DOUBLE_EQ(ChannelGrid::WidthFactor(kGridCols), 1.0);
}

TEST(ScreenSetup, FixedDropDownsStayDisabledAndPagesShowTheirOwnControls) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const std::set<std::string> fixed = {"RunControl", "TuningMode", "RxStay",        "RxRestart", "TxRestart",
                                       "RxCH",       "TxChanSel",  "AssignCHSet",   "ScanDirection",
                                       "ScanSpeed",  "ScanDelAdd", "TempDel",       "ChanMode"};
  view->OnTabChanged(0);
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_TRUE(view->Combo("TimerOut")->visible);
  EXPECT_TRUE(view->battery.visible);
  EXPECT_FALSE(view->ch_box[0].visible);
  EXPECT_FALSE(view->Combo("PF1S")->visible);
  view->OnTabChanged(1);
  view->OnTabChanged(0);
  ASSERT_EQ(view->combos().size(), 30u);
  for (const ComboBox& c : view->combos()) {
    if (c.key == "Mode") {
      EXPECT_FALSE(c.enabled || c.visible);
    } else {
      EXPECT_EQ(c.enabled, !fixed.count(c.key)) << c.key;
    }
  }
  view->OnTabChanged(1);
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_FALSE(view->Combo("TimerOut")->visible);
  EXPECT_TRUE(view->tx_box[15].visible);
  EXPECT_TRUE(view->ch_box[0].visible);
  EXPECT_FALSE(view->Combo("PF3S")->visible);
}

TEST(ScreenSetup, ConfigurationListsAndDefaults) {
  ProgramDir dir;
  Entries timer = List({"a", "b", "c", "d", "e"});
  timer.emplace_back("7", "g");
  Entries many;
  for (int i = 1; i <= 205; ++i) many.emplace_back(std::to_string(i), "opt" + std::to_string(i));
  // No PreviousType: defaults only.
  WriteIni(dir.files.kavir_ini, {{"Type", List({"KV16V", "KV16U"})}, {"TimerOut", timer}, {"LookA", many},
                                 {"Voice", {{"2", "x"}, {"3", "y"}}}, {"Alarm", List({"一二三四五六七八九十"})},
                                 {"ChanMode", List({"当前信道", "固定设置的"})}, {"PF3S", List({"关", "固定报警键"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  EXPECT_EQ(view->Combo("TimerOut")->options.size(), 5u);  // up to the first gap
  ASSERT_EQ(view->Combo("LookA")->options.size(), 200u);
  EXPECT_EQ(view->Combo("LookA")->options.back(), "opt200");
  EXPECT_TRUE(view->Combo("Voice")->options.empty());
  EXPECT_EQ(view->Combo("Alarm")->options.at(0), "一二三四五六七八九");  // 19 GBK bytes
  EXPECT_EQ(view->current_model_name, "");
  EXPECT_EQ(view->Combo("Type")->selected, -1);
  EXPECT_EQ(view->Combo("ChanMode")->SelectedText(), "固定设置的");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "固定报警键");
  EXPECT_TRUE(ui.errors.empty());

  TempDir empty;
  CKAVIRView bare(WorkingFiles::FromDirectory(empty.path()), ui);
  bare.OnInitialUpdate(nullptr);
  for (const ComboBox& c : bare.combos()) EXPECT_TRUE(c.options.empty()) << c.key;
  ASSERT_EQ(ui.errors.size(), 1u);  // without KAVIR.ini nothing may be stored: said at once
  EXPECT_NE(ui.errors[0].find("KAVIR.ini"), std::string::npos);
  EXPECT_EQ(bare.shown_page, 1);
}

}  // namespace
}  // namespace kavir::test
