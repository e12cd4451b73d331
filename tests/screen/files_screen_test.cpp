// The screen keeps a technician's settings when KAVIR.ini is missing or broken.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "support.h"

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

}  // namespace
}  // namespace kavir::test
