// Paths are UTF-8 text: Chinese names, spaces and paths longer than the old
// 260-character limit of Windows reach the file system unchanged, through
// the helpers and through every layer that opens files.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "profile/atomic_file.h"
#include "profile/file_path.h"
#include "profile/ini_document.h"
#include "profile/working_files.h"
#include "test_dir.h"

namespace kavir {
namespace {

namespace fs = std::filesystem;

struct PathCase {
  const char* what;
  std::vector<std::string> folders;  // made below the test's own folder
  std::string file;
};

std::vector<std::string> LongFolders() {
  std::vector<std::string> parts;
  for (int i = 0; i < 8; ++i) parts.push_back("很长的文件夹名 long folder name " + std::to_string(i));
  return parts;
}

const PathCase kCases[] = {
    {"Chinese", {"对讲机"}, "KV16可定义.ini"},
    {"Spaces", {"my radios", " leading space"}, "model file.ini"},
    {"Long", LongFolders(), "KV16可定义 profile.ini"},
};

class Utf8Paths : public ::testing::TestWithParam<PathCase> {};

// Names as a user sees them when a folder is listed.
std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(PathFromUtf8(folder)))
    names.push_back(Utf8FromPath(e.path().filename()));
  return names;
}

TEST_P(Utf8Paths, WriteReplaceReadAndListByTheSameName) {
  const PathCase& c = GetParam();
  testing::TempDir dir;
  std::string folder = Utf8FromPath(dir.path());
  for (const std::string& part : c.folders) folder = JoinPath(folder, part);
  std::error_code ec;
  fs::create_directories(PathFromUtf8(folder), ec);
  ASSERT_FALSE(ec) << folder << ": " << ErrorText(ec);
  const std::string file = JoinPath(folder, c.file);
  if (std::string(c.what) == "Long") {
    EXPECT_GT(file.size(), 300u);
  }

  EXPECT_EQ(Utf8FromPath(PathFromUtf8(file)), file);
  ASSERT_TRUE(WriteFileAtomically(file, "first").ok);
  const IoStatus second = WriteFileAtomically(file, "second");  // over the existing file
  ASSERT_TRUE(second.ok) << second.Message();
  IoStatus read;
  EXPECT_EQ(ReadWholeFile(file, &read), "second");
  EXPECT_TRUE(read.ok) << read.Message();
  EXPECT_EQ(Listing(folder), std::vector<std::string>{c.file});  // no temporary left

  std::FILE* f = OpenFile(file, "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
}

TEST_P(Utf8Paths, IniValuesSurviveAProfileRoundTrip) {
  const PathCase& c = GetParam();
  testing::TempDir dir;
  std::string folder = Utf8FromPath(dir.path());
  for (const std::string& part : c.folders) folder = JoinPath(folder, part);
  fs::create_directories(PathFromUtf8(folder));
  const std::string file = JoinPath(folder, c.file);

  ASSERT_TRUE(WritePrivateProfileString("Previous", "Type", "KV16可定义", file).ok);
  ASSERT_TRUE(WritePrivateProfileString("Previous", "Beep", "开", file).ok);
  EXPECT_EQ(GetPrivateProfileString("Previous", "Type", "", 32, file), "KV16可定义");
  EXPECT_EQ(GetPrivateProfileString("Previous", "Beep", "", 32, file), "开");
}

INSTANTIATE_TEST_SUITE_P(FilePath, Utf8Paths, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.what); });

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

// On Windows the system's own texts arrive in the ANSI code page (GBK on a
// Chinese system); they must reach a message as UTF-8.
TEST(FilePath, ErrorTextsAreUtf8OnOneLine) {
  std::error_code codes[] = {
      std::error_code(2, std::system_category()),    // file not found
      std::error_code(5, std::system_category()),    // access denied
      std::error_code(32, std::system_category()),   // in use (Windows)
      std::make_error_code(std::errc::no_such_file_or_directory),
      std::make_error_code(std::errc::permission_denied),
  };
  for (const std::error_code& ec : codes) {
    const std::string text = ErrorText(ec);
    EXPECT_FALSE(text.empty()) << ec.value();
    EXPECT_TRUE(ValidUtf8(text)) << text;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace kavir
