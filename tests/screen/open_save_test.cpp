// Open and Save As of .dat files.
#include <fstream>

#include <gtest/gtest.h>

#include "profile/profile_keys.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

class OpenSave : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);
};

void ExpectDatDialog(const FileDialogParams& p) {
  EXPECT_EQ(p.initial_name, "*.dat");
  EXPECT_EQ(p.default_extension, "dat");
  EXPECT_EQ(p.filter, "dat Files (*.dat) | *.dat | All Files (*.*) | *.* ||");
  EXPECT_TRUE(p.hide_read_only);
  EXPECT_TRUE(p.confirm_overwrite);
}

TEST_F(OpenSave, CancelledDialogsChangeNothing) {
  view->current_file_name = "before.dat";
  view->OnFileOpenDat();
  view->OnFileSaveAsDat();
  ASSERT_EQ(ui.dialogs.size(), 2u);
  ExpectDatDialog(ui.dialogs[0]);
  // Save As proposes the current file's name.
  EXPECT_EQ(ui.dialogs[1].initial_name, "before.dat");
  EXPECT_EQ(view->current_file_name, "before.dat");
  EXPECT_TRUE(ui.progress.empty());
  EXPECT_EQ(view->grid.Text(1, 1), "430.12500");
}

TEST_F(OpenSave, OpenLoadsTheFileWithProgress) {
  const std::string path = dir.dir.File("a.dat");
  WriteIni(path, {{"Previous", {{"CH01.RxFreq", "401.00000"}, {"TimerOut", "15S"}}}});
  ui.open_path = path;
  view->OnFileOpenDat();
  EXPECT_EQ(view->current_file_name, path);
  EXPECT_EQ(view->grid.Text(1, 1), "401.00000");
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "15S");
  EXPECT_EQ(ui.progress,
            (std::vector<std::string>{"begin:正在打开数据， 请稍候.......:10:10", "end"}));
  EXPECT_EQ(ui.pauses, std::vector<int>{300});
}

TEST_F(OpenSave, OpeningAnUnreadableFileKeepsTheFileName) {
  view->current_file_name = "kept.dat";
  ui.open_path = dir.dir.File("folder.dat");
  std::filesystem::create_directory(ui.open_path);
  view->OnFileOpenDat();
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(view->current_file_name, "kept.dat");
  EXPECT_EQ(ui.progress.back(), "end");
}

TEST_F(OpenSave, SaveAsThenOpenNamesTheOpenedFile) {
  ui.save_path = dir.dir.File("saved.dat");
  view->OnFileSaveAsDat();
  EXPECT_EQ(view->current_file_name, ui.save_path);
  EXPECT_EQ(ui.progress,
            (std::vector<std::string>{"begin:正在进行数据保存， 请稍候.......:10:10", "end"}));
  ui.open_path = dir.files.ModelFile("KV16可定义");
  view->OnFileOpenDat();
  EXPECT_EQ(view->current_file_name, dir.files.ModelFile("KV16可定义"));
}

TEST_F(OpenSave, SaveAsOverAnExistingFileKeepsForeignKeys) {
  const std::string path = dir.dir.File("old.dat");
  WriteIni(path, {{"Notes", {{"Owner", "车队"}}},
                  {"Previous", {{"TimerOut", "关"}, {"CH01.RxFreq", "401.00000"},
                                {"Comment", "keep me"}, {"CH02.Decode", "+DCS:023"}}}});
  view->grid.SetText(2, 2, "");
  ui.save_path = path;
  view->OnFileSaveAsDat();
  EXPECT_TRUE(ui.errors.empty());
  const IniDocument doc = ReadIniFile(path);
  EXPECT_EQ(doc.Find("Notes", "Owner").value_or(""), "车队");
  EXPECT_EQ(doc.Find("Previous", "Comment").value_or(""), "keep me");
  EXPECT_EQ(doc.Find("Previous", "TimerOut").value_or(""), "30S");
  EXPECT_EQ(doc.Find("Previous", "CH01.RxFreq").value_or(""), "430.12500");
  EXPECT_EQ(doc.Find("Previous", "CH02.Decode").value_or("<missing>"), "");
  for (const auto& [key, value] : view->ProfileValues())
    EXPECT_EQ(doc.Find("Previous", key).value_or("<missing>"), value) << key;
}

TEST_F(OpenSave, FailingSaveIsReportedWithPathAndReason) {
  const std::string blocker = dir.dir.File("not_a_folder");
  { std::ofstream(blocker) << "x"; }
  const std::string path = JoinPath(blocker, "x.dat");
  view->current_file_name = "kept.dat";
  ui.save_path = path;
  view->OnFileSaveAsDat();
  ASSERT_FALSE(ui.errors.empty());
  EXPECT_NE(ui.errors[0].find(path), std::string::npos) << ui.errors[0];
  EXPECT_GT(ui.errors[0].size(), path.size() + 2);  // a reason follows the path
  EXPECT_EQ(view->current_file_name, "kept.dat");
  EXPECT_EQ(ReadBytes(blocker), "x");
  EXPECT_EQ(ui.progress.back(), "end");
}

TEST_F(OpenSave, FailingSaveLeavesTheOldFileIntact) {
  // A name at the file system's limit leaves no room for the save's
  // temporary file beside it, so the save fails before touching the target.
  const std::string path = dir.dir.File(std::string(248, 'k') + ".dat");
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Previous]\r\nTimerOut=15S\r\nCH01.RxFreq=401.00000\r\n";
  }
  const std::string before = ReadBytes(path);
  ASSERT_FALSE(before.empty());
  ui.save_path = path;
  view->OnFileSaveAsDat();
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find(path), std::string::npos);
  EXPECT_EQ(ReadBytes(path), before);
  // Opening it again shows what it held.
  ui.open_path = path;
  view->OnFileOpenDat();
  EXPECT_EQ(view->grid.Text(1, 1), "401.00000");
}

}  // namespace
}  // namespace kavir::test
