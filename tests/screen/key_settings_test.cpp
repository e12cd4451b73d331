// The key settings dialog.
#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

using Texts = std::array<std::string, 3>;

TEST(KeySettings, OpensOnTheScreensKeysElseTheModelFilesElseTheDefaults) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
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
  view->OnKeySettings();
  view->OnKeySettings();
  EXPECT_EQ(ui.key_settings_model_names, (std::vector<std::string>{"KV16U", "KV16U"}));
  EXPECT_EQ(options, 4u);
  EXPECT_EQ(view->Combo("PF1S")->SelectedText(), "扫描");
  EXPECT_EQ(view->Combo("PF2S")->SelectedText(), "监听");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "关");
  WriteIni(dir.files.ModelFile("KV16U"), {{"Previous", {{"Type", "KV16U"}, {"PF3S", "扫描"}}}});
  for (const char* key : {"PF1S", "PF2S", "PF3S"}) view->Combo(key)->selected = -1;
  view->OnKeySettings();
  EXPECT_EQ(seen, (std::vector<Texts>{{"扫描", "监听", "关"}, {"扫描", "监听", "关"}, {"关", "关", "扫描"}}));
}

TEST(KeySettings, OkAppliesTheChoicesAndCancelNothing) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  ui.key_settings = [](CKeySettingsDlg& d) {
    for (ComboBox& c : d.pf) c.selected = 3;
    return false;
  };
  view->OnKeySettings();
  const Texts shipped = {"监听", "关", "扫描"};
  EXPECT_EQ((Texts{view->Combo("PF1S")->SelectedText(), view->Combo("PF2S")->SelectedText(),
                   view->Combo("PF3S")->SelectedText()}),
            shipped);
  ui.key_settings = [](CKeySettingsDlg& d) {
    d.pf[0].selected = 2;   // 固定报警键
    d.pf[1].selected = -1;  // nothing chosen keeps what was there
    d.pf[2].selected = 1;   // 监听
    return true;
  };
  view->OnKeySettings();
  const std::string out = dir.dir.File("keys.dat");
  view->StoreProfile(out);
  EXPECT_EQ((Texts{Stored(out, "PF1S"), Stored(out, "PF2S"), Stored(out, "PF3S")}), (Texts{"固定报警键", "关", "监听"}));
}

}  // namespace
}  // namespace kavir::test
