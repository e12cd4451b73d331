// Commands on the screen: the CH and TX boxes and the colours of the grid
// rows, the model change in the Type drop-down, the key settings dialog.
#include <functional>

#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

class EnableBoxes : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // every box set

  // Row n's colours as text, "b" black, "g" grey, for columns 1..9; then its CH and TX box.
  std::string Row(int n) const {
    std::string s;
    for (int c = 1; c <= 9; ++c) s += view->Cell(n, c).fore_color == kGrey ? 'g' : 'b';
    return s + std::to_string(view->setup().channel(n).enabled) + std::to_string(view->setup().channel(n).tx_enabled);
  }
};
using KeySettings = EnableBoxes;  // the same started screen

TEST_F(EnableBoxes, BoxesGreyTheirColumnsWithTxNeedingItsChannel) {
  view->OnTxBoxClicked(7);
  EXPECT_EQ(Row(7), "bbggbbbbb10");                  // only the transmit columns
  view->OnChBoxClicked(7), view->OnChBoxClicked(7);  // the row comes back with TX still off
  EXPECT_EQ(Row(7), "bbggbbbbb10");
  EXPECT_EQ(Row(6), "bbbbbbbbb11");
  view->OnTxBoxClicked(6);  // each box goes by its own state
  EXPECT_EQ(Row(6), "bbggbbbbb10");
  view->OnTxBoxClicked(6);
  EXPECT_EQ(Row(6), "bbbbbbbbb11");
  view->OnChBoxClicked(3);  // TX 3 stays set, the row is grey
  EXPECT_EQ(Row(3), "ggggggggg01");
  view->OnTxBoxClicked(3), view->OnTxBoxClicked(3);  // clears it; setting it again is refused
  EXPECT_EQ(Row(3), "ggggggggg00");
  ui.repaints = 0;
  view->OnChBoxClicked(5), view->OnChBoxClicked(5), view->OnTxBoxClicked(5);
  EXPECT_EQ(Row(5), "bbggbbbbb10");
  EXPECT_EQ(ui.repaints, 3);  // each click shows its row at once
  view->OnTxBoxClicked(5);
  const std::string out = dir.dir.File("boxes.dat");
  view->StoreProfile(out);
  for (auto [key, value] : Entries{
           {"CBR3", "0"}, {"CBT3", "0"}, {"CBT7", "0"}, {"CBR7", "1"}, {"CBR5", "1"}, {"CBR1", "1"}, {"CBT16", "1"}})
    EXPECT_EQ(Stored(out, key), value) << key;
}

TEST_F(EnableBoxes, OpenAllOrCloseAllActsFromAnyStateKeepingThePage) {
  view->OnChBoxClicked(1), view->OnTxBoxClicked(2), view->OnTabChanged(1);
  view->OnCloseAllChannels();
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(Row(n), "ggggggggg00") << n;
  EXPECT_EQ(view->shown_page, 1);
  view->OnTabChanged(0), view->OnChBoxClicked(4);
  view->OnOpenAllChannels();
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(Row(n), "bbbbbbbbb11") << n;
  EXPECT_EQ(view->shown_page, 0);
  EXPECT_EQ(view->current_tab, 0);
  EXPECT_FALSE(view->Combo("Mode")->visible);
}

TEST(ModelChange, YesLoadsTheModelNoKeepsTheScreen) {
  struct Case {
    const char* what;
    std::function<void(ProgramDir&, CKAVIRView&)> before;
    int choose;
    bool yes;
    const char *type, *model, *previous_type, *timer;
    std::size_t errors;
  } cases[] = {
      {"yes", [](ProgramDir&, CKAVIRView&) {}, 2, true, "KV16可定义", "KV16可定义", "KV16可定义", "45S", 0},
      {"no", [](ProgramDir&, CKAVIRView& v) { Select(v, "TimerOut", 0); }, 0, false, "KV16U", "KV16U", "KV16U", "关",
       0},
      // No goes back to the model the screen shows, whatever put it there.
      {"no after loading another model's file",
       [](ProgramDir& d, CKAVIRView& v) { v.LoadProfile(d.files.ModelFile("KV16可定义")); }, 0, false, "KV16可定义",
       "KV16可定义", "KV16U", "45S", 0},
      // An empty name would match every option; the selection goes back instead.
      {"no without a current model",
       [](ProgramDir&, CKAVIRView& v) { v.current_model_name.clear(), Select(v, "Type", 0); }, 2, false, "KV16V", "",
       "KV16U", "30S", 0},
      {"no with the first model current", [](ProgramDir&, CKAVIRView& v) { v.current_model_name = "KV16V"; }, 2, false,
       "KV16V", "KV16V", "KV16U", "30S", 0},
      {"yes with an unreadable model file",
       [](ProgramDir& d, CKAVIRView&) { std::filesystem::create_directory(d.files.ModelFile("KV16V")); }, 0, true,
       "KV16U", "KV16U", "KV16U", "30S", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramDir dir;
    FakeUi ui;
    auto view = dir.Start(ui);
    c.before(dir, *view);
    SetCell(*view, 4, 1, "431.00000");
    ui.answers = {c.yes};
    view->OnSelectOption("Type", c.choose);  // as the drop-down sends it
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(view->Selected("Type").text, c.type);
    EXPECT_EQ(view->current_model_name, c.model);
    EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("PreviousType", "1").value_or(""), c.previous_type);
    EXPECT_EQ(view->Selected("TimerOut").text, c.timer);
    EXPECT_EQ(ui.errors.size(), c.errors);
    EXPECT_EQ(view->shown_page, 1);
    EXPECT_EQ(view->Cell(4, 1).text, c.yes && !c.errors ? "430.12500" : "431.00000");
  }
}

using Texts = std::array<std::string, 3>;

TEST_F(KeySettings, OpensOnTheScreensKeysElseTheModelFilesElseTheDefaults) {
  const std::string other = dir.dir.File("other.dat");
  WriteIni(other, {{"Previous", {{"PF1S", "扫描"}, {"PF2S", "监听"}, {"PF3S", "关"}}}});
  view->LoadProfile(other);  // the screen holds other values than the model file
  std::vector<Texts> seen;
  std::size_t options = 0;
  ui.key_settings = [&](CKeySettingsDlg& d) {
    seen.push_back({d.GetPF1Text(), d.GetPF2Text(), d.GetPF3Text()});
    options = d.pf[1].options.size();
    return true;  // OK without a change
  };
  view->OnKeySettings(), view->OnKeySettings();
  EXPECT_EQ(ui.key_settings_model_names, (std::vector<std::string>{"KV16U", "KV16U"}));
  EXPECT_EQ(options, 4u);
  WriteIni(dir.files.ModelFile("KV16U"), {{"Previous", {{"Type", "KV16U"}, {"PF3S", "扫描"}}}});
  for (const char* key : {"PF1S", "PF2S", "PF3S"}) Select(*view, key, -1);
  view->OnKeySettings();
  EXPECT_EQ(seen, (std::vector<Texts>{{"扫描", "监听", "关"}, {"扫描", "监听", "关"}, {"关", "关", "扫描"}}));
  EXPECT_EQ(view->Selected("PF3S").text, "扫描");
}

TEST_F(KeySettings, OnlyOkAppliesTheChoices) {
  struct {
    std::array<int, 3> choose;
    bool ok;
    Texts keys;
  } cases[] = {{{3, 3, 3}, false, {"监听", "关", "扫描"}},
               {{2, -1, 1}, true, {"固定报警键", "关", "监听"}},  // no choice keeps what was there
               {{0, -1, 0}, true, {"关", "关", "关"}}};           // the first option is a choice like any other
  for (const auto& c : cases) {
    ui.key_settings = [&](CKeySettingsDlg& d) {
      for (int i = 0; i < 3; ++i) d.pf[i].selected = c.choose[i];
      return c.ok;
    };
    view->OnKeySettings();
    EXPECT_EQ((Texts{view->Selected("PF1S").text, view->Selected("PF2S").text, view->Selected("PF3S").text}), c.keys);
  }
}

}  // namespace
}  // namespace kavir::test
