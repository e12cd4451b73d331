// A program folder anywhere a technician keeps it: its path may hold Chinese
// and spaces, and the model KV16可定义 loads by its own path from there.
#include <gtest/gtest.h>

#include <filesystem>

#include "profile/file_path.h"
#include "profile/ini_document.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class ProgramFolderPath : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramFolderPath, ShippedModelLoadsAndSavesAsUnderAChineseName) {
  TempDir base;
  const std::string program = JoinPath(base.path(), GetParam());
  fs::create_directories(PathFromUtf8(program));
  for (const auto& e : fs::directory_iterator(PathFromUtf8(KAVIR_DATA_DIR)))
    if (e.is_regular_file()) fs::copy_file(e.path(), PathFromUtf8(program) / e.path().filename());

  FakeUi ui;
  const WorkingFiles files = WorkingFiles::FromDirectory(program);
  CKAVIRView view(files, ui);
  view.OnInitialUpdate(nullptr);
  const std::string model = files.ModelFile("KV16可定义");
  const IoStatus loaded = view.LoadProfile(model);
  ASSERT_TRUE(loaded.ok) << loaded.Message();
  EXPECT_EQ(view.Combo("Type")->SelectedText(), "KV16可定义");
  EXPECT_EQ(view.Combo("Mode")->SelectedText(), "可定义频段");

  const std::string saved = JoinPath(program, "我的 设置.dat");
  ASSERT_TRUE(view.ClearAndStoreProfile(saved).ok);
  const IniDocument a = ReadIniFile(model);
  const IniDocument b = ReadIniFile(saved);
  for (const char* key : {"Type", "Mode", "TimerOut", "FreqV", "FreqU", "CH01.RxFreq"})
    EXPECT_EQ(a.Find("Previous", key).value_or("<a>"), b.Find("Previous", key).value_or("<b>")) << key;
  EXPECT_TRUE(ui.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Screen, ProgramFolderPath,
                         ::testing::Values("对讲机 编程", "Program Files (x86)", "程序"));

}  // namespace
}  // namespace kavir::test
