// Raw images kept in the backups folder.
#include <gtest/gtest.h>

#include <fstream>

#include <fstream>
#include <iterator>

#include "../profile/scoped_time_zone.h"
#include "link/backups.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

BackupImage Pattern(std::uint8_t seed) {
  BackupImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + seed);
  return image;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Backups, NameCarriesKindModelAndTheLocalTime) {
  ScopedTimeZone china("CST-8");
  ProgramFolder folder;
  std::string path;
  // 2026-12-07 23:30:05 UTC is 07:30:05 on the 8th in UTC+8.
  std::time_t when = 1796686205;
  ASSERT_TRUE(SaveBackup(folder.path(), "read", "KV16V", Pattern(1), when, &path));
  EXPECT_EQ(fs::path(path).filename().string(), "read-KV16V-20261208-073005.bin");
  EXPECT_EQ(fs::path(path).parent_path().filename().string(), "backups");
  std::string bytes = Contents(path);
  ASSERT_EQ(bytes.size(), 768u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[100]), Pattern(1)[100]);
}

TEST(Backups, ASecondBackupInTheSameSecondKeepsTheFirst) {
  ProgramFolder folder;
  std::string first, second;
  ASSERT_TRUE(SaveBackup(folder.path(), "write", "KV16U", Pattern(1), 1000, &first));
  ASSERT_TRUE(SaveBackup(folder.path(), "write", "KV16U", Pattern(2), 1000, &second));
  EXPECT_NE(first, second);
  EXPECT_EQ(static_cast<std::uint8_t>(Contents(first)[0]), Pattern(1)[0]);
  EXPECT_EQ(static_cast<std::uint8_t>(Contents(second)[0]), Pattern(2)[0]);
  for (const auto& e : fs::directory_iterator(fs::path(folder.path()) / "backups"))
    EXPECT_NE(e.path().extension(), ".tmp");
}

TEST(Backups, ModelTextsThatNoFileNameCanHoldAreMadeSafe) {
  EXPECT_EQ(BackupModelName("KV16可定义"), "KV16可定义");
  EXPECT_EQ(BackupModelName("a/b\\c:d"), "a_b_c_d");
  EXPECT_EQ(BackupModelName(""), "unknown");
  EXPECT_EQ(BackupModelName(".."), "unknown");
}

TEST(Backups, AFolderThatCannotBeMadeIsReportedWithItsPath) {
  ProgramFolder folder;
  std::ofstream(fs::path(folder.path()) / "backups") << "a file, not a folder";
  IoStatus status = SaveBackup(folder.path(), "read", "KV16V", Pattern(1), 1000);
  EXPECT_FALSE(status);
  EXPECT_NE(status.path.find("backups"), std::string::npos);
  EXPECT_FALSE(status.reason.empty());
}

}  // namespace
}  // namespace kavir::test
