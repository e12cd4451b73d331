// The recent-file list: order, limit, KAVIR.ini, and a file that is gone.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

TEST(RecentFilesList, NewestFirstNoDuplicatesAtMostSix) {
  struct Step {
    const char* add;
    std::vector<std::string> after;
  };
  const Step steps[] = {
      {"a", {"a"}},
      {"b", {"b", "a"}},
      {"a", {"a", "b"}},
      {"c", {"c", "a", "b"}},
      {"d", {"d", "c", "a", "b"}},
      {"e", {"e", "d", "c", "a", "b"}},
      {"f", {"f", "e", "d", "c", "a", "b"}},
      {"g", {"g", "f", "e", "d", "c", "a"}},
      {"", {"g", "f", "e", "d", "c", "a"}},
  };
  RecentFiles recent;
  for (const Step& s : steps) {
    recent.Add(s.add);
    EXPECT_EQ(recent.paths(), s.after) << "after adding " << s.add;
  }
}

TEST(RecentFilesList, OpenAndSaveAreRememberedInKavirIni) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const std::string saved = dir.dir.File("甲.dat");
  ui.save_path = saved;
  ASSERT_TRUE(view->OnFileSaveAsDat());
  ui.open_path = dir.files.ModelFile("KV16可定义");
  view->OnFileOpenDat();
  const std::vector<std::string> expected = {ui.open_path, saved};
  EXPECT_EQ(view->recent.paths(), expected);
  // Other settings of KAVIR.ini stay.
  EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("ComPort", "1").value_or(""), "1");

  FakeUi ui2;
  auto restarted = dir.Start(ui2);
  EXPECT_EQ(restarted->recent.paths(), expected);

  // A file that has gone is removed, with a message naming it.
  std::filesystem::remove(std::filesystem::path(std::u8string(saved.begin(), saved.end())));
  restarted->OnOpenRecent(1);
  ASSERT_EQ(ui2.errors.size(), 1u);
  EXPECT_NE(ui2.errors[0].find(saved), std::string::npos);
  EXPECT_EQ(restarted->recent.paths(), std::vector<std::string>{ui.open_path});
  RecentFiles stored;
  stored.Load(dir.files.kavir_ini);
  EXPECT_EQ(stored.paths(), std::vector<std::string>{ui.open_path});

  restarted->OnOpenRecent(0);
  EXPECT_EQ(restarted->current_file_name, ui.open_path);
  EXPECT_EQ(restarted->grid.Text(1, 1), "430.12500");
}

}  // namespace
}  // namespace kavir::test
