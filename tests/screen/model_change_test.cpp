// Changing the model in the Type drop-down.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

const char* kPrompt = "\n\t您需要改变机器型号吗 \t\t\n\n\t (Y：改变  N：不改变) ?\n";

std::string PreviousType(const ProgramDir& dir) {
  return ReadIniFile(dir.files.kavir_ini).Find("PreviousType", "1").value_or("");
}

TEST(ModelChange, YesLoadsTheModelFileAndRemembersIt) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  ui.answers = {true};
  view->OnTypeChanged(2);  // KV16可定义
  ASSERT_EQ(ui.prompts.size(), 1u);
  EXPECT_EQ(ui.prompts[0].text, kPrompt);
  EXPECT_EQ(ui.prompts[0].caption, "提示信息!");
  EXPECT_EQ(view->current_model_name, "KV16可定义");
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16可定义");
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "45S");
  EXPECT_EQ(view->band_lower_limit, 350);
  EXPECT_TRUE(view->band_lower.enabled);
  EXPECT_EQ(PreviousType(dir), "KV16可定义");
  EXPECT_EQ(view->shown_page, 1);
}

TEST(ModelChange, NoKeepsEverythingButReturnsToCurrentModel) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  view->grid.SetText(4, 1, "431.00000");
  view->Combo("TimerOut")->selected = 0;
  ui.answers = {false};
  view->OnTypeChanged(0);
  EXPECT_EQ(ui.prompts.size(), 1u);
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16U");
  EXPECT_EQ(view->current_model_name, "KV16U");
  EXPECT_EQ(view->grid.Text(4, 1), "431.00000");
  EXPECT_EQ(view->Combo("TimerOut")->selected, 0);
  EXPECT_EQ(PreviousType(dir), "KV16U");
}

TEST(ModelChange, NoAfterLoadingAnotherModelsFileReturnsToCurrentModel) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  view->LoadProfile(dir.files.ModelFile("KV16可定义"));
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16可定义");
  ui.answers = {false};
  view->OnTypeChanged(0);
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16U");
}

TEST(ModelChange, NoWithoutACurrentModelKeepsTheEarlierSelection) {
  ProgramDir dir;
  WriteIni(dir.files.kavir_ini, {{"Type", List({"KV16V", "KV16U", "KV16可定义"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  view->Combo("Type")->selected = 0;
  ui.answers = {false};
  view->OnTypeChanged(2);
  // An empty name would match every option; the selection goes back instead.
  EXPECT_EQ(view->Combo("Type")->selected, 0);
}

TEST(ModelChange, YesWithAnUnreadableModelFileKeepsTheScreen) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  std::filesystem::remove(dir.files.ModelFile("KV16V"));
  std::filesystem::create_directory(dir.files.ModelFile("KV16V"));  // cannot be read as a file
  ui.answers = {true};
  view->OnTypeChanged(0);
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(view->Combo("Type")->SelectedText(), "KV16U");
  EXPECT_EQ(view->current_model_name, "KV16U");
  EXPECT_EQ(PreviousType(dir), "KV16U");
}

}  // namespace
}  // namespace kavir::test
