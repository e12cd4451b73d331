// Start-up: option lists, fixed drop-downs, pages, the start-up model, and a
// missing or broken KAVIR.ini, which is never made from nothing.
#include <gtest/gtest.h>

#include <set>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>

#include "support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

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
  EXPECT_TRUE(port.opened == 1 && port.lists_filled_when_opened);
  EXPECT_EQ(view.Combo("Type")->options, (std::vector<std::string>{"KV16V", "KV16U", "KV16可定义"}));
  EXPECT_EQ(view.current_model_name + view.Combo("Type")->SelectedText(), "KV16UKV16U");
  EXPECT_EQ(view.Combo("TimerOut")->SelectedText(), "30S");  // from KV16U.ini
  EXPECT_EQ(view.grid.Text(1, 1), "430.12500");
  EXPECT_EQ(view.current_tab + view.shown_page, 2);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(view.grid.Text(0, 9), ChannelGrid::Header(9));
  std::set<int> ids = {0};  // every CH and TX box has an id of its own
  for (int n = 0; n < 16; ++n) ids.insert({view.ch_box[n].id, view.tx_box[n].id});
  EXPECT_EQ(ids.size(), 33u);
}

TEST(ScreenSetup, PagesShowTheirOwnControls) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  view->OnTabChanged(0);
  view->OnTabChanged(1);
  view->OnTabChanged(0);
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_TRUE(view->Combo("TimerOut")->visible && view->battery.visible);
  EXPECT_FALSE(view->ch_box[0].visible || view->Combo("PF1S")->visible);
  EXPECT_FALSE(view->Combo("Mode")->enabled || view->Combo("Mode")->visible || view->Combo("ChanMode")->enabled);
  view->OnTabChanged(1);
  EXPECT_EQ(view->shown_page, 1);
  EXPECT_FALSE(view->Combo("TimerOut")->visible || view->Combo("PF3S")->visible);
  EXPECT_TRUE(view->tx_box[15].visible && view->ch_box[0].visible);
}

TEST(ScreenSetup, ConfigurationListsAndDefaults) {
  ProgramDir dir;
  Entries timer = List({"a", "b", "c", "d", "e"});
  timer.emplace_back("7", "g");
  Entries many;
  for (int i = 1; i <= 205; ++i) many.emplace_back(std::to_string(i), "opt" + std::to_string(i));
  // The first model, without a model file: defaults only.
  WriteIni(dir.files.kavir_ini, {{"Type", List({"KV16V", "KV16U"})}, {"PreviousType", List({"KV16V"})}, {"TimerOut", timer}, {"LookA", many},
                                 {"Voice", {{"2", "x"}, {"3", "y"}}}, {"Alarm", List({"一二三四五六七八九十"})},
                                 {"ChanMode", List({"当前信道", "固定设置的"})}, {"PF3S", List({"关", "固定报警键"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  EXPECT_EQ(view->Combo("TimerOut")->options.size(), 5u);  // up to the first gap
  EXPECT_EQ(view->Combo("LookA")->options.size(), 200u);
  EXPECT_TRUE(view->Combo("Voice")->options.empty());
  EXPECT_EQ(view->Combo("Alarm")->options.at(0), "一二三四五六七八九");  // 19 GBK bytes
  EXPECT_EQ(view->current_model_name + view->Combo("Type")->SelectedText(), "KV16VKV16V");
  EXPECT_EQ(view->Combo("ChanMode")->SelectedText() + view->Combo("PF3S")->SelectedText(), "固定设置的固定报警键");
  EXPECT_TRUE(ui.errors.empty());
}

#if !defined(_WIN32)
TEST(BrokenKavirIni, NothingIsStoredAndKavirIniIsNeverMadeFromNothing) {
  struct Case { const char* name; std::function<void(const std::string& path)> break_it; const char* reason; } cases[] = {
      {"missing", [](const std::string& p) { fs::remove(p); }, "is missing"},
      {"no lists", [](const std::string& p) { WriteIni(p, {{"ComPort", {{"1", "1"}}}}); }, "no option lists"},
      {"a folder", [](const std::string& p) { fs::remove(p), fs::create_directory(p); }, "folder"},
      {"a pipe", [](const std::string& p) { fs::remove(p), ::mkfifo(p.c_str(), 0600); }, "pipe"},
  };
  for (const Case& c : cases) {
    ProgramDir dir;
    const std::string good = dir.dir.File("good.dat");
    fs::copy_file(dir.files.ModelFile("KV16U"), good);
    const std::string good_bytes = ReadBytes(good);
    c.break_it(dir.files.kavir_ini);
    const bool was_file = fs::is_regular_file(dir.files.kavir_ini);
    const std::string kavir_bytes = was_file ? ReadBytes(dir.files.kavir_ini) : "";

    FakeUi ui;
    auto view = dir.Start(ui);
    // Start-up says which file is wrong and what to do.
    ASSERT_EQ(ui.errors.size(), 1u) << c.name;
    EXPECT_NE(ui.errors[0].find(c.reason), std::string::npos) << c.name << ": " << ui.errors[0];
    EXPECT_FALSE(view->option_lists_status().ok);

    // Open still shows a file; Save As, Save over it and the model change refuse.
    ui.open_path = ui.save_path = good;
    EXPECT_TRUE(view->OnFileOpenDat().ok) << c.name;
    ui.errors.clear();
    EXPECT_FALSE(view->OnFileSaveAsDat()) << c.name;
    EXPECT_FALSE(view->StoreProfile(dir.dir.File("new.dat")).ok) << c.name;
    ui.answers = {true};
    view->OnTypeChanged(0);  // an empty model list: nothing to change to
    EXPECT_EQ(ui.errors.size(), 2u) << c.name;
    for (const std::string& e : ui.errors) EXPECT_EQ(e, view->OptionListsMessage());

    EXPECT_EQ(ReadBytes(good), good_bytes) << c.name;
    EXPECT_FALSE(fs::exists(dir.dir.File("new.dat"))) << c.name;
    if (was_file) { EXPECT_EQ(ReadBytes(dir.files.kavir_ini), kavir_bytes) << c.name; }
    if (std::string(c.name) == "missing") { EXPECT_FALSE(fs::exists(dir.files.kavir_ini)); }
  }
}
#endif

}  // namespace
}  // namespace kavir::test
