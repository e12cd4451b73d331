// What the file layer does with hostile paths: pipes, devices, huge files,
// read-only targets, symbolic links, empty names, and text that is UTF-8.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "profile/atomic_file.h"
#include "profile/gbk.h"
#include "profile/ini_document.h"
#include "test_dir.h"

namespace kavir {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

unsigned Mode(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool HasTemporaryFiles(const fs::path& dir) {
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename().string().find(".tmp") != std::string::npos) return true;
  return false;
}

TEST(InputFiles, AnythingButARegularFileOfSaneSizeIsRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir.File("fifo.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = dir.File("big.dat");
  WriteBytes(big, std::string(kMaxInputBytes + 1, '\n'));
  const std::string loop = dir.File("loop.dat");
  fs::create_symlink("loop.dat", loop);
  struct Case {
    std::string path, reason;
  } cases[] = {
      {fifo, "pipe"},
      {"/dev/zero", "device"},
      {dir.path().string(), "folder"},
      {big, "too large"},
      {loop, "loop"},
      {dir.File("missing.dat"), "no such file"},
  };
  for (const Case& c : cases) {
    // Each must come back at once; a hang fails the test instead of stalling it.
    auto read = std::async(std::launch::async, [&] {
      IoStatus status;
      const std::string bytes = ReadWholeFile(c.path, &status);
      return std::make_pair(status, bytes.size());
    });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.path;
    const auto [status, size] = read.get();
    EXPECT_FALSE(status.ok) << c.path;
    EXPECT_TRUE(status.bad_input) << c.path;
    EXPECT_EQ(status.path, c.path);
    EXPECT_NE(status.reason.find(c.reason), std::string::npos) << c.path << ": " << status.reason;
    EXPECT_EQ(size, 0u);
  }
  // An INI read of the same is a failure too, except a missing file (defaults).
  IoStatus status;
  ReadIniFile(fifo, &status);
  EXPECT_FALSE(status.ok);
  ReadIniFile(dir.File("missing.dat"), &status);
  EXPECT_TRUE(status.ok);
  // Exactly the limit is still a file.
  WriteBytes(big, std::string(kMaxInputBytes, '\n'));
  EXPECT_EQ(ReadWholeFile(big, &status).size(), kMaxInputBytes);
  EXPECT_TRUE(status.ok);
}

TEST(OutputFiles, ReplacingKeepsPermissionsRefusesReadOnlyAndFollowsLinks) {
  TempDir dir;
  const std::string file = dir.File("a.dat");
  struct Case {
    const char* name;
    unsigned mode_before;
    bool refused;
  } cases[] = {{"private", 0600, false}, {"shared", 0664, false}, {"read-only", 0444, true},
               {"no write at all", 0400, true}};
  for (const Case& c : cases) {
    WriteBytes(file, "old");
    ::chmod(file.c_str(), c.mode_before);
    const IoStatus status = WriteFileAtomically(file, "new");
    EXPECT_EQ(status.ok, !c.refused) << c.name;
    EXPECT_EQ(ReadBytes(file), c.refused ? "old" : "new") << c.name;
    EXPECT_EQ(Mode(file), c.mode_before) << c.name;
    if (c.refused) {
      EXPECT_EQ(status.path, file);
      EXPECT_NE(status.reason.find("read-only"), std::string::npos) << status.reason;
    }
    ::chmod(file.c_str(), 0600);
  }

  // Through links, dangling or chained, the named file is written and the links stay.
  const std::string link = dir.File("link.dat");
  const std::string chain = dir.File("chain.dat");
  fs::create_symlink("sub/target.dat", link);
  fs::create_symlink("link.dat", chain);
  fs::create_directory(fs::path(dir.path()) / "sub");
  ASSERT_TRUE(WriteFileAtomically(chain, "through"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(ReadBytes(dir.File("sub/target.dat")), "through");
  ASSERT_TRUE(WriteFileAtomically(link, "again"));
  EXPECT_EQ(ReadBytes(dir.File("sub/target.dat")), "again");

  const std::string loop = dir.File("loop.dat");
  fs::create_symlink("loop.dat", loop);
  const IoStatus looped = WriteFileAtomically(loop, "x");
  EXPECT_FALSE(looped.ok);
  EXPECT_NE(looped.reason.find("loop"), std::string::npos) << looped.reason;

  const IoStatus unnamed = WriteFileAtomically("", "x");
  EXPECT_FALSE(unnamed.ok);
  EXPECT_TRUE(unnamed.bad_input);
  EXPECT_FALSE(HasTemporaryFiles(dir.path()));
}

TEST(OutputFiles, APipeIsWrittenInPlaceAndOneNobodyReadsIsAnErrorNotAWait) {
  TempDir dir;
  const std::string fifo = dir.File("out.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto unread = std::async(std::launch::async, [&] { return WriteFileAtomically(fifo, "x"); });
  ASSERT_EQ(unread.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(unread.get().ok);

  // A reader that is there: the bytes arrive and the pipe is still a pipe.
  std::promise<std::string> got;
  std::thread reader([&] {
    std::FILE* f = std::fopen(fifo.c_str(), "rb");
    std::string s;
    for (int c; f && (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    if (f) std::fclose(f);
    got.set_value(s);
  });
  IoStatus status;
  for (int i = 0; i < 200 && !(status = WriteFileAtomically(fifo, "profile bytes")).ok; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));  // until the reader has opened it
  reader.join();
  EXPECT_TRUE(status.ok) << status.Message();
  EXPECT_EQ(got.get_future().get(), "profile bytes");
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A pipe named by a link that is not a path, as /dev/stdout is.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const IoStatus through_proc = WriteFileAtomically("/proc/self/fd/" + std::to_string(ends[1]), "abc");
  ::close(ends[1]);
  char buf[8] = {};
  EXPECT_EQ(::read(ends[0], buf, sizeof buf), 3);
  ::close(ends[0]);
  EXPECT_TRUE(through_proc.ok) << through_proc.Message();
  EXPECT_STREQ(buf, "abc");
}

TEST(TextEncoding, UnmarkedUtf8IsKeptAsUtf8AndGbkStaysGbk) {
  using E = IniDocument::Encoding;
  struct Case {
    const char* name;
    std::string bytes;
    E encoding;
    const char* type;  // [Previous] Type as read
  } cases[] = {
      {"UTF-8 without a mark", "[Previous]\r\nType=KV16可定义\r\nMode=常规\r\n", E::Utf8, "KV16可定义"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF[Previous]\r\nType=常规\r\n", E::Utf8Bom, "常规"},
      {"GBK", "[Previous]\r\nType=" + *Utf8ToGbk("KV16可定义") + "\r\n", E::Gbk, "KV16可定义"},
      {"ASCII only", "[Previous]\r\nType=KV16V\r\n", E::Gbk, "KV16V"},
      {"UTF-8 but one stray byte", "[Previous]\r\nType=常规\r\nX=\xB9\r\n", E::Gbk, nullptr},
      {"overlong UTF-8 form", "[Previous]\r\nType=\xC0\xAF\r\n", E::Gbk, nullptr},
      // D6 B5 is 值 in GBK and also a valid two-byte UTF-8 form.
      {"GBK that reads as UTF-8", "[Previous]\r\nType=" + *Utf8ToGbk("值") + "\r\n", E::Gbk, "值"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.File("p.dat");
    WriteBytes(path, c.bytes);
    IniFile file(path);
    EXPECT_EQ(file.doc().encoding(), c.encoding) << c.name;
    if (c.type) {
      EXPECT_EQ(file.GetString("Previous", "Type", "", 20), c.type) << c.name;
    }
    // A resave keeps the file's encoding: the new value reads back the same.
    file.SetString("Previous", "Mode", "集群");
    ASSERT_TRUE(file.Save()) << c.name;
    IniFile again(path);
    EXPECT_EQ(again.doc().encoding(), c.encoding) << c.name;
    EXPECT_EQ(again.GetString("Previous", "Mode", "", 20), "集群") << c.name;
    if (c.type) {
      EXPECT_EQ(again.GetString("Previous", "Type", "", 20), c.type) << c.name;
    }
  }
}

TEST(TextEncoding, EveryShippedDataFileIsStillReadAsGbk) {
  int checked = 0;
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR)) {
    if (e.path().extension() != ".ini") continue;
    const IniDocument doc = ReadIniFile(e.path().string());
    EXPECT_EQ(doc.encoding(), IniDocument::Encoding::Gbk) << e.path();
    ++checked;
  }
  EXPECT_GE(checked, 5);
}

}  // namespace
}  // namespace kavir
