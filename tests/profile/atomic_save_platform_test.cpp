// Saving where the platforms differ: a target another program holds open,
// and names that are devices rather than files.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "profile/atomic_file.h"
#include "profile/file_path.h"
#include "profile/working_files.h"
#include "test_dir.h"

namespace kavir {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Listing(const testing::TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(Utf8FromPath(e.path().filename()));
  return names;
}

// Windows will not replace a file another program has open: the save fails
// with a message that says so and the file keeps its old content. POSIX
// replaces it, and the other program goes on reading the old file.
TEST(AtomicSave, FileHeldOpenByAnotherProgram) {
  testing::TempDir dir;
  const std::string path = dir.File("型号 KV16可定义.ini");
  testing::WriteBytes(path, "old");
  std::FILE* holder = OpenFile(path, "rb");
  ASSERT_NE(holder, nullptr);

  const IoStatus saved = WriteFileAtomically(path, "new");
#if defined(_WIN32)
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_NE(saved.reason.find("another program"), std::string::npos) << saved.reason;
  std::fclose(holder);
  EXPECT_EQ(testing::ReadBytes(path), "old");
#else
  EXPECT_TRUE(saved.ok) << saved.Message();
  char buffer[8] = {};
  EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, holder), 3u);
  EXPECT_EQ(std::string(buffer), "old");
  std::fclose(holder);
  EXPECT_EQ(testing::ReadBytes(path), "new");
#endif
  EXPECT_EQ(Listing(dir), std::vector<std::string>{"型号 KV16可定义.ini"});  // no temporary left

  // Once the other program lets go, the save goes through.
  ASSERT_TRUE(WriteFileAtomically(path, "newer").ok);
  EXPECT_EQ(testing::ReadBytes(path), "newer");
}

// "NUL" in any folder is Windows' null device: writing there succeeds and
// leaves no file, no temporary and no renamed device. Elsewhere it is an
// ordinary name.
TEST(AtomicSave, NulIsTheNullDeviceOnlyOnWindows) {
  testing::TempDir dir;
  for (const char* name : {"NUL", "nul"}) {
    const std::string path = dir.File(name);
    const IoStatus saved = WriteFileAtomically(path, "bytes");
    EXPECT_TRUE(saved.ok) << saved.Message();
#if defined(_WIN32)
    EXPECT_TRUE(Listing(dir).empty()) << name;
#else
    EXPECT_EQ(testing::ReadBytes(path), "bytes");
    fs::remove(PathFromUtf8(path));
#endif
  }
#if defined(_WIN32)
  EXPECT_TRUE(WriteFileAtomically("NUL", "bytes").ok);
#endif
}

}  // namespace
}  // namespace kavir
