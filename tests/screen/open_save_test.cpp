// Open and Save As of .dat files.
#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

class OpenSave : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);
};

TEST_F(OpenSave, CancelledDialogsChangeNothing) {
  view->current_file_name = "before.dat";
  view->OnFileOpenDat();
  view->OnFileSaveAsDat();
  ASSERT_EQ(ui.dialogs.size(), 2u);
  for (const FileDialogParams& p : ui.dialogs) {
    EXPECT_EQ(p.default_extension, "dat");
    EXPECT_TRUE(p.confirm_overwrite);
  }
  EXPECT_EQ(ui.dialogs[1].initial_name, "before.dat");  // Save As proposes the current name
  EXPECT_EQ(view->current_file_name, "before.dat");
  EXPECT_TRUE(ui.progress.empty());
}

TEST_F(OpenSave, SaveAsKeepsForeignKeysAndOpenLoadsWithProgress) {
  const std::string path = dir.dir.File("old.dat");
  WriteIni(path, {{"Notes", {{"Owner", "车队"}}},
                  {"Previous", {{"TimerOut", "关"}, {"CH01.RxFreq", "401.00000"}, {"Comment", "keep me"}}}});
  view->grid.SetText(2, 2, "");
  ui.save_path = path;
  view->OnFileSaveAsDat();
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(view->current_file_name, path);
  const IniDocument doc = ReadIniFile(path);
  EXPECT_EQ(doc.Find("Notes", "Owner").value_or(""), "车队");
  EXPECT_EQ(doc.Find("Previous", "Comment").value_or(""), "keep me");
  for (const auto& [key, value] : view->ProfileValues())
    EXPECT_EQ(doc.Find("Previous", key).value_or("<missing>"), value) << key;
  EXPECT_EQ(doc.Find("Previous", "CH02.Decode").value_or("<missing>"), "");

  const std::string other = dir.dir.File("a.dat");
  WriteIni(other, {{"Previous", {{"CH01.RxFreq", "401.00000"}, {"TimerOut", "15S"}}}});
  ui.open_path = other;
  view->OnFileOpenDat();
  EXPECT_EQ(view->current_file_name, other);
  EXPECT_EQ(view->grid.Text(1, 1), "401.00000");
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "15S");
  EXPECT_EQ(ui.progress, (std::vector<std::string>{"begin:正在进行数据保存， 请稍候.......:10:10", "end",
                                                   "begin:正在打开数据， 请稍候.......:10:10", "end"}));
  EXPECT_EQ(ui.pauses, (std::vector<int>{300, 300}));
}

TEST_F(OpenSave, FailuresAreShownAndKeepTheFileAndItsName) {
  const std::string blocker = dir.dir.File("not_a_folder");
  WriteBytes(blocker, "x");
  // A name at the file system's limit leaves no room for the save's
  // temporary file beside it, so the save fails before touching the target.
  const std::string at_limit = dir.dir.File(std::string(248, 'k') + ".dat");
  WriteBytes(at_limit, "[Previous]\r\nTimerOut=15S\r\nCH01.RxFreq=401.00000\r\n");
  for (const std::string& path : {JoinPath(blocker, "x.dat"), at_limit}) {
    const std::string before = ReadBytes(path);
    view->current_file_name = "kept.dat";
    ui.errors.clear();
    ui.save_path = path;
    view->OnFileSaveAsDat();
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find(path), std::string::npos) << ui.errors[0];
    EXPECT_GT(ui.errors[0].size(), path.size() + 2);  // a reason follows the path
    EXPECT_EQ(view->current_file_name, "kept.dat");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ui.progress.back(), "end");
  }
  EXPECT_EQ(ReadBytes(blocker), "x");
  ui.open_path = at_limit;
  view->OnFileOpenDat();
  EXPECT_EQ(view->grid.Text(1, 1), "401.00000");
  ui.open_path = dir.dir.File("folder.dat");
  std::filesystem::create_directory(ui.open_path);
  ui.errors.clear();
  view->OnFileOpenDat();
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(view->current_file_name, at_limit);
  EXPECT_EQ(ui.progress.back(), "end");
}

}  // namespace
}  // namespace kavir::test
