// Open and Save As of .dat files, and the recent-file list.
#include <gtest/gtest.h>

#include "codec/codec.h"
#include "screen/open_setup.h"
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
  view->document().current_file_name = "before.dat";
  view->document().OnFileOpenDat(), view->document().OnFileSaveAsDat();  // both cancelled
  ASSERT_EQ(ui.dialogs.size(), 2u);
  EXPECT_EQ(ui.dialogs[1].initial_name, "before.dat");  // Save As proposes it
  EXPECT_EQ(view->document().current_file_name, "before.dat");
  EXPECT_TRUE(ui.progress.empty());
}

TEST_F(OpenSave, SaveAsKeepsTheFilesForeignKeys) {
  const std::string path = dir.dir.File("old.dat");
  WriteIni(path, {{"Notes", {{"Owner", "车队"}}},
                  {"Previous", {{"TimerOut", "关"}, {"CH01.RxFreq", "401.00000"}, {"Comment", "keep me"}}}});
  SetCell(*view, 2, 2, "");
  ui.save_path = path;
  view->document().OnFileSaveAsDat();
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(view->document().current_file_name, path);
  EXPECT_EQ(ui.status.back(), "已保存 old.dat");  // says what it did, not only that it is ready
  const IniDocument doc = ReadIniFile(path);
  EXPECT_EQ(doc.Find("Notes", "Owner").value_or(""), "车队");
  EXPECT_EQ(doc.Find("Previous", "Comment").value_or(""), "keep me");
  for (const auto& [key, value] : view->ProfileValues())
    EXPECT_EQ(doc.Find("Previous", key).value_or("<missing>"), value) << key;
  EXPECT_EQ(doc.Find("Previous", "CH02.Decode").value_or("<missing>"), "");
  EXPECT_EQ(ui.progress.size(), 2u);  // begun and ended
}

TEST_F(OpenSave, OpenLoadsTheFileWithProgress) {
  const std::string other = dir.dir.File("a.dat");
  WriteIni(other, {{"Previous", {{"CH01.RxFreq", "401.00000"}, {"TimerOut", "15S"}}}});
  ui.open_path = other;
  view->document().OnFileOpenDat();
  EXPECT_EQ(view->document().current_file_name, other);
  EXPECT_EQ(view->Cell(1, 1).text, "401.00000");
  EXPECT_EQ(view->Selected("TimerOut").text, "15S");
  EXPECT_EQ(ui.progress.size(), 2u);  // begun and ended
}

TEST_F(OpenSave, AFileWithAFrequencyNoRadioTakesOpensWithAWarning) {
  const std::string other = dir.dir.File("odd.dat");
  WriteIni(other, {{"Previous", {{"CH01.RxFreq", "430.1.2"}}}});
  ASSERT_TRUE(view->LoadProfile(other).ok);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_NE(ui.errors[0].find("430.1.2"), std::string::npos) << ui.errors[0];
  EXPECT_EQ(view->Cell(1, 1).text, "430.1.2");  // shown as the file has it
}

TEST_F(OpenSave, AFailedOpenOrSaveIsShownChangingNothing) {
  const std::string blocker = dir.dir.File("not_a_folder");
  WriteBytes(blocker, "x");
  std::filesystem::create_directory(dir.dir.File("folder.dat"));
  struct Case {  // bytes written to path first, unless "-"; bad_input: there but not a profile
    const char* what;
    bool save;
    std::string path, bytes;
    bool bad_input;
  } cases[] = {
      {"save below a file", true, JoinPath(blocker, "x.dat"), "-", false},
      {"open a folder", false, dir.dir.File("folder.dat"), "-", true},
      {"open a radio image", false, dir.dir.File("x.dat"), std::string(768, '\x5A'), true},
      {"open an empty file", false, dir.dir.File("x.dat"), "", true},
      {"open another INI file", false, dir.dir.File("x.dat"), "[ComPort]\r\n1=2\r\n[Previous2]\r\nType=KV16U\r\n",
       true},
  };
  SetCell(*view, 1, 1, "402.00000");
  const auto shown = view->ProfileValues();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.bytes != "-") WriteBytes(c.path, c.bytes);
    const std::string before = ReadBytes(c.path);
    view->document().current_file_name = "kept.dat";
    ui.errors.clear();
    ui.save_path = ui.open_path = c.path;
    if (c.save) {
      EXPECT_FALSE(view->document().OnFileSaveAsDat());
    } else {
      const IoStatus status = view->document().OnFileOpenDat();
      EXPECT_FALSE(status.ok);
      EXPECT_EQ(status.bad_input, c.bad_input);
    }
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find(c.path), std::string::npos) << ui.errors[0];
    EXPECT_GT(ui.errors[0].size(), c.path.size() + 2);  // a reason follows the path
    EXPECT_EQ(view->document().current_file_name, "kept.dat");
    EXPECT_TRUE(view->ProfileValues() == shown);
    EXPECT_EQ(ReadBytes(c.path), before);
    EXPECT_EQ(ui.progress.back(), "end");
  }
  EXPECT_EQ(ReadBytes(blocker), "x");
}

// A name at the file system's limit opens and saves like any other.
TEST_F(OpenSave, ANameAtTheFileSystemsLimitWorksLikeAnyOther) {
  const std::string at_limit = dir.dir.File(std::string(248, 'k') + ".dat");
  WriteBytes(at_limit, "[Previous]\r\nTimerOut=15S\r\n");
  ui.open_path = at_limit;  // it opens, and one profile key is enough to be a profile
  EXPECT_TRUE(view->document().OnFileOpenDat().ok);
  EXPECT_EQ(view->Selected("TimerOut").text, "15S");
  ui.save_path = at_limit;
  EXPECT_TRUE(view->document().OnFileSaveAsDat());
}

// A KAVIR.ini that cannot be written only loses the model for the next start:
// the profile is saved, named and clean, and the error says where.
TEST_F(OpenSave, AnUnwritableKavirIniOnlyLosesTheModelForTheNextStart) {
  namespace fs = std::filesystem;
  fs::permissions(PathFromUtf8(dir.files.kavir_ini), fs::perms::owner_read);
  SetCell(*view, 1, 1, "403.00000");
  ui.errors.clear();
  ui.save_path = dir.dir.File("saved.dat");
  const bool saved = view->document().OnFileSaveAsDat();
  fs::permissions(PathFromUtf8(dir.files.kavir_ini), fs::perms::owner_all);
  EXPECT_TRUE(saved);
  EXPECT_EQ(view->document().current_file_name, ui.save_path);
  EXPECT_FALSE(view->IsModified());
  EXPECT_EQ(ReadIniFile(ui.save_path).Find("Previous", "CH01.RxFreq").value_or(""), "403.00000");
  ASSERT_FALSE(ui.errors.empty());
  for (const std::string& e : ui.errors) EXPECT_NE(e.find("KAVIR.ini"), std::string::npos) << e;
}

TEST(RecentFilesList, NewestFirstNoDuplicatesAtMostSix) {
  struct Step {
    const char* add;
    std::vector<std::string> after;
  };
  const Step steps[] = {
      {"b", {"b", "a"}},
      {"a", {"a", "b"}},
      {"f", {"f", "e", "d", "c", "a", "b"}},
      {"g", {"g", "f", "e", "d", "c", "a"}},
      {"", {"g", "f", "e", "d", "c", "a"}},
  };
  RecentFiles recent;
  recent.Add("a");
  for (const Step& s : steps) {
    if (*s.add == 'f')
      for (const char* p : {"c", "d", "e"}) recent.Add(p);
    recent.Add(s.add);
    EXPECT_EQ(recent.paths(), s.after) << "after adding " << s.add;
  }
  IniDocument config = IniDocument::Parse("[RecentFiles]\r\nFile7=z\r\n");  // beyond the six kept
  RecentFiles read;
  recent.WriteTo(config), read.ReadFrom(config);
  EXPECT_EQ(read.paths(), recent.paths());
  EXPECT_EQ(config.Find("RecentFiles", "File7"), std::optional<std::string>("z"));  // only six are ours
  EXPECT_EQ(config.Find("RecentFiles", "File1"), std::optional<std::string>("g"));  // the newest first
  read.ReadFrom(IniDocument::Parse("[RecentFiles]\r\nFile1=x\r\n"));                // another read replaces the list
  EXPECT_EQ(read.paths(), std::vector<std::string>{"x"});
}

TEST(RecentFilesList, RemembersWhatWasOpenedOrSavedAsAProfile) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const std::string saved = dir.dir.File("甲.dat");
  ui.save_path = saved;
  ASSERT_TRUE(view->document().OnFileSaveAsDat());
  ui.open_path = dir.files.ModelFile("KV16可定义");
  view->document().OnFileOpenDat();
  EXPECT_EQ(ReadIniFile(dir.files.kavir_ini).Find("ComPort", "1").value_or(""), "1");  // the rest of KAVIR.ini stays

  FakeUi ui2;
  auto restarted = dir.Start(ui2);
  EXPECT_EQ(restarted->document().recent.paths(), (std::vector<std::string>{ui.open_path, saved}));

  // A file that has gone is removed, with a message naming it.
  std::filesystem::remove(std::filesystem::path(std::u8string(saved.begin(), saved.end())));
  restarted->document().OnOpenRecent(1);
  ASSERT_EQ(ui2.errors.size(), 1u);
  EXPECT_NE(ui2.errors[0].find(saved), std::string::npos);
  EXPECT_EQ(restarted->document().recent.paths(), std::vector<std::string>{ui.open_path});
  EXPECT_EQ(dir.Start(ui2)->document().recent.paths(), std::vector<std::string>{ui.open_path});
  restarted->document().OnOpenRecent(0);
  EXPECT_EQ(restarted->document().current_file_name, ui.open_path);
  EXPECT_EQ(restarted->Cell(1, 1).text, "430.12500");

  // The window's 打开 (which also opens images) remembers the file too, and
  // a file just saved opens as it is: nothing unsaved.
  ui.save_path = dir.dir.File("customer1.dat");
  ASSERT_TRUE(view->document().OnFileSaveAsDat());
  ui.open_path = dir.files.ModelFile("KV16U");
  EXPECT_TRUE(OnFileOpenSetup(*view, nullptr).status.ok);
  ui.open_path = ui.save_path;
  ui.pauses.clear();
  EXPECT_TRUE(OnFileOpenSetup(*view, nullptr).status.ok);
  EXPECT_FALSE(view->IsModified());
  const std::vector<int> shown_for = std::exchange(ui.pauses, {});
  EXPECT_EQ(view->document().recent.paths()[1], dir.files.ModelFile("KV16U"));
  EXPECT_EQ(view->document().recent.paths()[0], ui.save_path);
  EXPECT_NE(ui.dialogs.back().filter.find("(*.dat *.img *.bin)"), std::string::npos);  // images are offered too
  EXPECT_TRUE(view->document().OnFileOpenDat().ok);
  EXPECT_FALSE(shown_for.empty());
  EXPECT_EQ(shown_for, ui.pauses);  // both opens keep their progress up a moment

  // An image opens but is not remembered (it would not reopen as a
  // profile); a cancelled dialog opens nothing and says so.
  const Image image = EncodeImage(view->setup());
  ui.open_path = dir.dir.File("radio.img");
  WriteBytes(ui.open_path, std::string(image.begin(), image.end()));
  const std::vector<std::string> remembered = view->document().recent.paths();
  const OpenOutcome opened = OnFileOpenSetup(*view, nullptr);
  EXPECT_TRUE(opened.status.ok);
  EXPECT_TRUE(opened.image);
  EXPECT_FALSE(opened.cancelled);
  ui.open_path.clear();
  EXPECT_TRUE(OnFileOpenSetup(*view, nullptr).cancelled);
  EXPECT_EQ(view->document().recent.paths(), remembered);
}

}  // namespace
}  // namespace kavir::test
