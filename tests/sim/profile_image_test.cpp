// The image the virtual radio starts with when given a profile: what a
// write of that profile would send, or why there is none.
#include "sim/profile_image.h"

#include <gtest/gtest.h>

#include "program_files.h"

namespace kavir::sim {
namespace {

TEST(ProfileImage, IsWhatAWriteOfTheProfileSendsOrWhyNot) {
  test::TempDir dir;
  const std::string data = KAVIR_DATA_DIR;
  RadioImage image{};
  std::string error;
  ASSERT_TRUE(BuildImageFromProfile(data + "/KV16U.ini", data, &image, &error)) << error;
  EXPECT_EQ(std::string(image.begin(), image.end()), test::ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/KV16U.img"));

  test::WriteBytes(dir.File("notes.txt"), "not a profile\r\n");
  const struct {
    std::string profile;
    const char* error;
  } refused[] = {
      {dir.File("missing.dat"), "no such profile file"},
      {dir.path(), "no such profile file"},  // a folder
      {dir.File("notes.txt"), "不是数据文件"},
  };
  for (const auto& r : refused) {
    error.clear();
    RadioImage untouched{};
    EXPECT_FALSE(BuildImageFromProfile(r.profile, data, &untouched, &error)) << r.profile;
    EXPECT_NE(error.find(r.error), std::string::npos) << error;
    EXPECT_EQ(untouched, RadioImage{});
  }
}

}  // namespace
}  // namespace kavir::sim
