// Radio image files opened and saved, and set-ups compared.
#include <filesystem>

#include <gtest/gtest.h>

#include "interchange/image_file.h"
#include "interchange/open_setup.h"
#include "interchange/setup_compare.h"
#include "interchange_fixture.h"

namespace kavir::test {
namespace {

struct FixedAnswer : ModelQuestion {
  int answer = 0;
  int asked = 0;
  int AskModel(const std::string&, const std::vector<std::string>&) override {
    ++asked;
    return answer;
  }
};

std::string Bytes(const Image& image) { return std::string(image.begin(), image.end()); }

// The screen's image saved under name in the screen's folder.
std::string SaveImage(Screen& s, const std::string& name) {
  const ScreenImage built = BuildScreenImage(s.view());
  EXPECT_TRUE(built.problems.empty());
  const std::string path = s.File(name);
  testing::WriteBytes(path, Bytes(*built.image));
  return path;
}

TEST(ModelFromBackupName, NamesOfBackups) {
  const std::vector<std::string> models = {"KV16V", "KV16U", "KV16可定义", "KV16V-X"};
  struct Case {
    const char* path;
    int model;
  } cases[] = {
      {"/x/backups/read-KV16V-20261207-101500.bin", 1},
      {"write-KV16U-20261207-101500-2.bin", 2},
      {"/x/read-KV16可定义-20261207-101500.bin", 3},
      {"read-KV16V-X-20261207-101500.bin", 4},  // the longest name that fits
      {"/read-KV16V/radio.bin", 0},
      {"KV16V.bin", 0},
      {"read-KV16-20261207.bin", 0},
      {"copy-KV16V-20261207.bin", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ModelFromBackupName(c.path, models), c.model) << c.path;
}

TEST(ImageFile, OpenDecodesAsAReadWithoutTouchingReadIni) {
  Screen source;
  source.view().grid.SetText(3, 1, "145.50000");
  source.view().grid.SetText(3, 2, "-DCS:754");
  const std::string path = SaveImage(source, "read-KV16U-20261207-101500.bin");

  Screen s(source, 0);
  const OpenOutcome out = OpenSetupFile(s.view(), path, 0, nullptr);
  ASSERT_TRUE(out.status) << out.status.Message();
  EXPECT_TRUE(out.image);
  EXPECT_EQ(s.view().Combo("Type")->SelectedText(), "KV16U") << "the model named by the file name";
  EXPECT_EQ(s.view().grid.Text(3, 1), "145.50000");
  EXPECT_EQ(s.view().grid.Text(3, 2), "-DCS:754");
  EXPECT_EQ(s.view().current_file_name, path);
  EXPECT_FALSE(std::filesystem::exists(s.view().files().read_ini));

  // The model given wins over the file name.
  ASSERT_TRUE(OpenSetupFile(s.view(), path, 1, nullptr).status);
  EXPECT_EQ(s.view().Combo("Type")->SelectedText(), "KV16V");
}

TEST(ImageFile, ModelIsAskedOrTheOpenIsRefused) {
  Screen s;
  const std::string path = SaveImage(s, "radio.img");
  s.view().grid.SetText(1, 1, "150.00000");

  EXPECT_FALSE(OpenSetupFile(s.view(), path, 0, nullptr).status);
  EXPECT_EQ(s.view().grid.Text(1, 1), "150.00000") << "a refused open leaves the screen";
  EXPECT_FALSE(s.ui().errors.empty());

  FixedAnswer cancel;
  const OpenOutcome cancelled = OpenSetupFile(s.view(), path, 0, &cancel);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(s.view().grid.Text(1, 1), "150.00000");

  FixedAnswer second;
  second.answer = 2;
  ASSERT_TRUE(OpenSetupFile(s.view(), path, 0, &second).status);
  EXPECT_EQ(second.asked, 1);
  EXPECT_EQ(s.view().Combo("Type")->SelectedText(), "KV16U");
  EXPECT_NE(s.view().grid.Text(1, 1), "150.00000");

  EXPECT_FALSE(OpenSetupFile(s.view(), path, 9, nullptr).status) << "no model 9 in the Type list";
}

TEST(ImageFile, SavedImageOpensToTheSameScreenAndTheSameBytes) {
  Screen s;
  const std::string path = SaveImage(s, "write-KV16V-20261207-101500.bin");
  Screen opened(s, 0);
  ASSERT_TRUE(OpenSetupFile(opened.view(), path, 0, nullptr).status);
  EXPECT_EQ(Bytes(*BuildScreenImage(opened.view()).image), testing::ReadBytes(path));
  for (const SetupDifference& d : CompareSetups(s.view(), opened.view()))
    EXPECT_EQ(d.where.rfind("CH", 0), std::string::npos) << DifferenceLine(d);
}

TEST(ImageFile, ProfilesAndOtherSizesAreNotImages) {
  std::string profile = "[Previous]\r\nType=KV16V\r\n";
  profile.resize(768, ' ');
  EXPECT_FALSE(AsRadioImage(profile));
  EXPECT_FALSE(AsRadioImage(std::string(767, '\0')));
  EXPECT_FALSE(AsRadioImage(std::string(769, '\0')));
  EXPECT_TRUE(AsRadioImage(std::string(768, '\0')));
}

TEST(ImageFile, AWriteThatWouldSendWrongBytesIsNotSaved) {
  Screen s;
  s.view().grid.SetText(2, 1, "146.52300");  // on no raster
  EXPECT_FALSE(BuildScreenImage(s.view()).image);
  EXPECT_FALSE(BuildScreenImage(s.view()).problems.empty());
}

TEST(CompareSetups, EqualOneCellOneSettingAndImageAgainstProfile) {
  Screen a;
  Screen b(a, 0);
  EXPECT_TRUE(CompareSetups(a.view(), b.view()).empty());

  b.view().grid.SetText(3, 1, "145.5");
  a.view().grid.SetText(3, 1, "145.50000");
  EXPECT_TRUE(CompareSetups(a.view(), b.view()).empty()) << "145.5 is stored as 145.50000";

  b.view().grid.SetText(3, 3, "146.00000");
  ComboBox& timer = *b.view().Combo("TimerOut");
  timer.selected = timer.selected == 1 ? 2 : 1;
  b.view().tx_box[15].state = !b.view().tx_box[15].state;
  const auto d = CompareSetups(a.view(), b.view());
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].where, "发射定时限制");
  EXPECT_EQ(d[0].b, timer.SelectedText());
  EXPECT_EQ(d[1].where, "CH03 发射频率");
  EXPECT_EQ(d[1].b, "146.00000");
  EXPECT_EQ(d[2].where, "CH16 TX");

  // An image of a profile differs from it only where the radio keeps no
  // setting of its own (the fixed settings), never in a channel.
  Screen c(a, 0);
  ASSERT_TRUE(OpenSetupFile(c.view(), SaveImage(a, "read-KV16V-20261207-101500.bin"), 0, nullptr).status);
  for (const SetupDifference& x : CompareSetups(a.view(), c.view()))
    EXPECT_EQ(x.where.rfind("CH", 0), std::string::npos) << DifferenceLine(x);
}

}  // namespace
}  // namespace kavir::test
