// The key settings dialog.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

class KeySettings : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);
};

TEST_F(KeySettings, OpensOnTheScreensKeys) {
  // The screen holds other values than the model file.
  view->LoadProfile([&] {
    const std::string p = dir.dir.File("other.dat");
    WriteIni(p, {{"Previous", {{"PF1S", "扫描"}, {"PF2S", "监听"}, {"PF3S", "关"}}}});
    return p;
  }());
  ASSERT_EQ(view->Combo("PF1S")->SelectedText(), "扫描");
  std::array<std::string, 3> seen;
  std::size_t options = 0;
  ui.key_settings = [&](CKeySettingsDlg& d) {
    seen = {d.GetPF1Text(), d.GetPF2Text(), d.GetPF3Text()};
    options = d.pf[1].options.size();
    return true;  // OK without a change
  };
  view->OnKeySettings();
  view->OnKeySettings();
  EXPECT_EQ(ui.key_settings_model_names, (std::vector<std::string>{"KV16U", "KV16U"}));
  EXPECT_EQ(seen, (std::array<std::string, 3>{"扫描", "监听", "关"}));
  EXPECT_EQ(options, 4u);
  EXPECT_EQ(view->Combo("PF1S")->SelectedText(), "扫描");
  EXPECT_EQ(view->Combo("PF2S")->SelectedText(), "监听");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "关");
}

TEST_F(KeySettings, WithoutKeysOnTheScreenOpensOnTheModelFileOrTheDefaults) {
  WriteIni(dir.files.ModelFile("KV16U"), {{"Previous", {{"Type", "KV16U"}, {"PF3S", "扫描"}}}});
  for (const char* key : {"PF1S", "PF2S", "PF3S"}) view->Combo(key)->selected = -1;
  std::array<std::string, 3> seen;
  ui.key_settings = [&](CKeySettingsDlg& d) {
    seen = {d.GetPF1Text(), d.GetPF2Text(), d.GetPF3Text()};
    return false;
  };
  view->OnKeySettings();
  EXPECT_EQ(seen, (std::array<std::string, 3>{"关", "关", "扫描"}));
}

TEST_F(KeySettings, OkAppliesTheChoicesAndKeepsAnEmptyOne) {
  ui.key_settings = [](CKeySettingsDlg& d) {
    d.pf[0].selected = 2;   // 固定报警键
    d.pf[1].selected = -1;  // nothing chosen
    d.pf[2].selected = 1;   // 监听
    return true;
  };
  view->OnKeySettings();
  EXPECT_EQ(view->Combo("PF1S")->SelectedText(), "固定报警键");
  EXPECT_EQ(view->Combo("PF2S")->SelectedText(), "关");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "监听");
  const std::string out = dir.dir.File("keys.dat");
  view->StoreProfile(out);
  EXPECT_EQ(Stored(out, "PF1S"), "固定报警键");
  EXPECT_EQ(Stored(out, "PF3S"), "监听");
}

TEST_F(KeySettings, CancelChangesNothing) {
  ui.key_settings = [](CKeySettingsDlg& d) {
    for (ComboBox& c : d.pf) c.selected = 3;
    return false;
  };
  view->OnKeySettings();
  EXPECT_EQ(view->Combo("PF1S")->SelectedText(), "监听");
  EXPECT_EQ(view->Combo("PF2S")->SelectedText(), "关");
  EXPECT_EQ(view->Combo("PF3S")->SelectedText(), "扫描");
}

TEST(KeySettingsDialog, CaptionAndIds) {
  CKeySettingsDlg d;
  EXPECT_STREQ(CKeySettingsDlg::kCaption, "键盘设置");
  TempDir empty;
  d.SetModelName("none");
  d.Initialize(WorkingFiles::FromDirectory(empty.path()));
  EXPECT_EQ(d.pf[0].id, 1117);
  EXPECT_EQ(d.pf[2].id, 1119);
  EXPECT_TRUE(d.pf[0].options.empty());
  EXPECT_EQ(d.GetPF3Text(), "");
}

}  // namespace
}  // namespace kavir::test
