// Changing the model in the Type drop-down.
#include <gtest/gtest.h>

#include <functional>

#include "support.h"

namespace kavir::test {
namespace {

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
      {"no", [](ProgramDir&, CKAVIRView& v) { v.Combo("TimerOut")->selected = 0; }, 0, false, "KV16U", "KV16U", "KV16U",
       "关", 0},
      {"no after loading another model's file",
       [](ProgramDir& d, CKAVIRView& v) { v.LoadProfile(d.files.ModelFile("KV16可定义")); }, 0, false, "KV16U", "KV16U",
       "KV16U", "45S", 0},
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
    view->grid.SetText(4, 1, "431.00000");
    ui.answers = {c.yes};
    view->OnTypeChanged(c.choose);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].text, "\n\t您需要改变机器型号吗 \t\t\n\n\t (Y：改变  N：不改变) ?\n");
    EXPECT_EQ(ui.prompts[0].caption, "提示信息!");
    EXPECT_EQ(view->Combo("Type")->SelectedText(), c.type);
    EXPECT_EQ(view->current_model_name, c.model);
    EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("PreviousType", "1").value_or(""), c.previous_type);
    EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), c.timer);
    EXPECT_EQ(view->grid.Text(4, 1), c.yes && !c.errors ? "430.12500" : "431.00000");
    EXPECT_EQ(ui.errors.size(), c.errors);
    EXPECT_EQ(view->shown_page, 1);
  }
}

TEST(ModelChange, NoWithoutACurrentModelKeepsTheEarlierSelection) {
  ProgramDir dir;
  WriteIni(dir.files.kavir_ini, {{"Type", List({"KV16V", "KV16U", "KV16可定义"})}});
  FakeUi ui;
  auto view = dir.Start(ui);
  view->Combo("Type")->selected = 0;
  view->OnTypeChanged(2);
  // An empty name would match every option; the selection goes back instead.
  EXPECT_EQ(view->Combo("Type")->selected, 0);
}

}  // namespace
}  // namespace kavir::test
