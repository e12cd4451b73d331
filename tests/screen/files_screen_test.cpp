// The screen keeps a technician's settings when the program's files are
// missing or broken, when the file opened is not a profile, and when a tone
// typed into the grid is not one the radio knows.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

TEST(BrokenKavirIni, NothingIsStoredAndKavirIniIsNeverMadeFromNothing) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> break_it;
    const char* reason;
  } cases[] = {
      {"missing", [](const std::string& p) { fs::remove(p); }, "is missing"},
      {"empty", [](const std::string& p) { std::ofstream(p, std::ios::trunc); }, "no option lists"},
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
    EXPECT_NE(ui.errors[0].find(dir.files.kavir_ini), std::string::npos) << ui.errors[0];
    EXPECT_NE(ui.errors[0].find(c.reason), std::string::npos) << c.name << ": " << ui.errors[0];
    EXPECT_FALSE(view->option_lists_status().ok);

    // Open still shows a file; Save As, Save over it and the model change refuse.
    ui.open_path = good;
    EXPECT_TRUE(view->OnFileOpenDat().ok) << c.name;
    ui.errors.clear();
    ui.save_path = good;
    EXPECT_FALSE(view->OnFileSaveAsDat()) << c.name;
    EXPECT_FALSE(view->StoreProfile(dir.dir.File("new.dat")).ok) << c.name;
    ui.answers = {true};
    view->OnTypeChanged(0);  // an empty model list: nothing to change to
    EXPECT_EQ(ui.errors.size(), 2u) << c.name;
    for (const std::string& e : ui.errors) EXPECT_EQ(e, view->OptionListsMessage());

    EXPECT_EQ(ReadBytes(good), good_bytes) << c.name;
    EXPECT_FALSE(fs::exists(dir.dir.File("new.dat"))) << c.name;
    if (was_file) {
      EXPECT_EQ(ReadBytes(dir.files.kavir_ini), kavir_bytes) << c.name;
    } else if (std::string(c.name) == "missing") {
      EXPECT_FALSE(fs::exists(dir.files.kavir_ini));
    }
  }
}

TEST(OpenFile, AFileWithoutProfileContentIsRefusedAndTheScreenKept) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const auto before = view->ProfileValues();
  const std::string path = dir.dir.File("x.dat");
  const std::string image(768, '\x5A');
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a radio image", image},
      {"binary junk", std::string("\x00\xFF\x10\r\n\x01=\x02", 8)},
      {"an empty file", ""},
      {"another INI file", "[ComPort]\r\n1=2\r\n[Previous2]\r\nType=KV16U\r\n"},
  };
  for (const Case& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    ui.errors.clear();
    ui.open_path = path;
    const IoStatus status = view->OnFileOpenDat();
    EXPECT_FALSE(status.ok) << c.name;
    EXPECT_TRUE(status.bad_input) << c.name;
    ASSERT_EQ(ui.errors.size(), 1u) << c.name;
    EXPECT_NE(ui.errors[0].find(path), std::string::npos) << ui.errors[0];
    EXPECT_EQ(view->ProfileValues(), before) << c.name;
    EXPECT_NE(view->current_file_name, path) << c.name;
  }
  // One profile key is enough to be a profile.
  std::ofstream(path, std::ios::binary | std::ios::trunc) << "[Previous]\r\nTimerOut=15S\r\n";
  EXPECT_TRUE(view->OnFileOpenDat().ok);
  EXPECT_EQ(view->Combo("TimerOut")->SelectedText(), "15S");
}

TEST(OpenFile, AValueCutShortHoldsWhatASaveWrites) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  const std::string in = dir.dir.File("in.dat"), out = dir.dir.File("out.dat");
  WriteIni(in, {{"Previous", {{"CH04.RxFreq", "1" + std::string(40, ' ') + "43.81875"},
                              {"CH04.ZoneWide", "窄带" + std::string(30, ' ') + "x"}}}});
  ASSERT_TRUE(view->LoadProfile(in).ok);
  const auto shown = view->ProfileValues();
  ASSERT_TRUE(view->StoreProfile(out).ok);
  ASSERT_TRUE(view->LoadProfile(out).ok);
  EXPECT_EQ(view->ProfileValues(), shown);
  EXPECT_EQ(Stored(out, "CH04.RxFreq"), "100000000");
  EXPECT_EQ(Stored(out, "CH04.ZoneWide"), "窄带");
}

TEST(ToneCells, OnlyToneListEntriesAreTakenAndTheCheckNamesEveryOtherTone) {
  ProgramDir dir;
  FakeUi ui;
  auto view = dir.Start(ui);
  struct Case {
    int col;
    const char* typed;
    const char* kept;  // the cell's text afterwards
  } cases[] = {
      {2, "CTCSS:88.0", "CTCSS:88.0"}, {4, "+DCS:023", "+DCS:023"}, {2, "CTCSS:88", "CTCSS:88.0"},
      {2, "关", "关"},                 {2, "hello", "关"},          {4, "CTCSS:99.9", "+DCS:023"},
      {2, "", "关"},                   {4, "-DCS:00", "+DCS:023"},   {2, "ctcss:67.0", "关"},
  };
  for (const Case& c : cases) {
    view->grid.row = 3;
    view->grid.col = c.col;
    view->StartEdit(13);
    view->editor.text = c.typed;
    ui.status.clear();
    ui.beeps.clear();
    view->CommitEdit();
    EXPECT_EQ(view->grid.Text(3, c.col), c.kept) << c.typed;
    const bool refused = std::string(c.typed) != c.kept && std::string(c.typed) + ".0" != c.kept;
    EXPECT_EQ(ui.beeps.size(), refused ? 1u : 0u) << c.typed;
    if (refused) {
      ASSERT_EQ(ui.status.size(), 1u);
      EXPECT_NE(ui.status[0].find(c.typed), std::string::npos) << ui.status[0];
    }
  }

  // A refused tone typed over a selection leaves the other cells as they were.
  view->grid.SetText(4, 2, "CTCSS:88.0");
  view->selection = {3, 2, 4, 2};
  view->grid.row = 3;
  view->grid.col = 2;
  view->StartEdit(13);
  view->editor.text = "hello";
  view->CommitEdit();
  EXPECT_EQ(view->grid.Text(4, 2), "CTCSS:88.0");
  view->selection = CellRange::One(3, 2);

  // Texts put into the grid some other way (an old file) are caught before a write.
  auto tone_problems = [&] {
    std::vector<std::string> found;
    for (const WriteProblem& p : CheckBeforeWrite(*view))
      if (p.message.find("亚音") != std::string::npos) found.push_back(p.message);
    return found;
  };
  EXPECT_TRUE(tone_problems().empty());
  view->grid.SetText(5, 2, "hello");
  view->grid.SetText(12, 4, "CTCSS:99.9");
  const auto problems = tone_problems();
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].rfind("CH05 " + std::string(ChannelGrid::Header(2)) + " \"hello\"", 0), 0u)
      << problems[0];
  EXPECT_EQ(problems[1].rfind("CH12 " + std::string(ChannelGrid::Header(4)) + " \"CTCSS:99.9\"", 0), 0u)
      << problems[1];
}

}  // namespace
}  // namespace kavir::test
