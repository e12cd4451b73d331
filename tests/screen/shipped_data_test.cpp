// The shipped data files through the screen: every model file loads and
// stores back the same 209 values.
#include <filesystem>

#include <gtest/gtest.h>

#include "profile/file_path.h"
#include "profile/profile_keys.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ModelFiles(const fs::path& data) {
  std::vector<fs::path> models;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(data, ec)) {
    const std::string name = Utf8FromPath(e.path().filename());
    if (e.path().extension() == ".ini" && name != "KAVIR.ini" && name != "QTDQT.ini")
      models.push_back(e.path());
  }
  return models;
}

TEST(ShippedData, EveryModelFileRoundTrips) {
  const fs::path data = KAVIR_DATA_DIR;
  const auto models = ModelFiles(data);
  if (models.empty()) GTEST_SKIP() << "no model files in " << data;
  TempDir dir;
  const fs::path to = PathFromUtf8(dir.path());
  for (const char* f : {"KAVIR.ini", "QTDQT.ini"}) fs::copy_file(data / f, to / f);
  for (const fs::path& m : models) fs::copy_file(m, to / m.filename());

  FakeUi ui;
  CKAVIRView view(WorkingFiles::FromDirectory(dir.path()), ui);
  view.OnInitialUpdate(nullptr);
  for (const fs::path& m : models) {
    const std::string model = JoinPath(dir.path(), Utf8FromPath(m.filename()));
    ASSERT_TRUE(view.LoadProfile(model).ok);
    const std::string out = dir.File("out.dat");
    ASSERT_TRUE(view.ClearAndStoreProfile(out).ok);
    const IniDocument a = ReadIniFile(model);
    const IniDocument b = ReadIniFile(out);
    for (const std::string& key : ProfileKeys())
      EXPECT_EQ(a.Find("Previous", key).value_or(""), b.Find("Previous", key).value_or(""))
          << m.filename() << " " << key;
  }
  EXPECT_TRUE(ui.errors.empty());
}

}  // namespace
}  // namespace kavir::test
