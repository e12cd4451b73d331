// The file layer with hostile paths: pipes, devices, huge files, folders,
// read-only targets, symbolic links, files held open, Windows' device names,
// and UTF-8 names (Chinese, spaces, longer than Windows' old 260 limit).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <thread>

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <csignal>

#include "files.h"
#include "ini/atomic_file.h"
#include "ini/platform_file.h"
#include "system_faults.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;

// Every name below dir with its bytes (a link: where it points).
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(PathFromUtf8(dir))) {
    std::string name = Utf8FromPath(e.path().lexically_relative(PathFromUtf8(dir)));
    std::replace(name.begin(), name.end(), '\\', '/');
    out[name] = e.is_symlink()        ? "-> " + Utf8FromPath(fs::read_symlink(e.path()))
                : e.is_regular_file() ? ReadBytes(Utf8FromPath(e.path()))
                                      : "<folder>";
  }
  return out;
}

TEST(ReadFile, AnythingButARegularFileOfSaneSizeIsRefusedAtOnce) {
  TempDir dir;
  const std::string big = dir.File("big.dat"), fifo = dir.File("fifo.dat"), loop = dir.File("loop.dat");
  WriteBytes(big, std::string(kMaxInputBytes + 1, '\n'));
  std::vector<std::pair<std::string, std::string>> cases = {// path, part of the reason
                                                            {dir.path(), "folder"},
                                                            {big, "too large"},
                                                            {dir.File("missing.dat"), "no such file"}};
#if !defined(_WIN32)
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("loop.dat", loop);
  cases.insert(cases.end(), {{fifo, "pipe"}, {"/dev/zero", "device"}, {loop, "loop"}});
#endif
  for (const auto& [path, reason] : cases) {
    // Each comes back at once; a hang fails the test instead of stalling it.
    auto read = std::async(std::launch::async, [&path = path] {
      IoStatus status, ini;
      const std::string bytes = ReadWholeFile(path, &status);
      ReadIniFile(path, &ini);
      return std::make_tuple(status, bytes.size(), ini.ok);
    });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready) << path;
    const auto [status, size, ini_ok] = read.get();
    EXPECT_FALSE(status.ok) << path;
    EXPECT_TRUE(status.bad_input) << path;
    EXPECT_EQ(size, 0u) << path;
    EXPECT_EQ(status.path, path);
    EXPECT_NE(status.reason.find(reason), npos) << path << ": " << status.reason;
    EXPECT_EQ(ini_ok, reason == "no such file") << path << ": only a missing INI file reads as defaults";
  }
  std::string reused = "from before";  // a refused read leaves no bytes behind
  EXPECT_FALSE(platform::ReadRegularFile(dir.path(), 100, &reused).ok);
  EXPECT_EQ(reused, "");
  IoStatus status;  // exactly the limit is still a file
  WriteBytes(big, std::string(kMaxInputBytes, '\n'));
  EXPECT_EQ(ReadWholeFile(big, &status).size(), kMaxInputBytes);
  EXPECT_TRUE(status.ok);
}

// Each case in a fresh folder: a write lands where it should, keeps the
// permission bits and the links; a refused one names the file and the reason
// and changes nothing. No temporary file is ever left behind. Names are UTF-8
// and reach the file system unchanged, also beyond Windows' old 260 limit.
TEST(WriteFile, ReplacesOnlyWhatItMay) {
  using Prepare = std::function<void(const std::string& dir)>;
  const auto folders = [](std::string rel) -> Prepare {
    return [rel](const std::string& d) { fs::create_directories(PathFromUtf8(JoinPath(d, rel))); };
  };
  const auto file = [](std::string rel) -> Prepare {
    return [rel](const std::string& d) {
      fs::create_directories(PathFromUtf8(JoinPath(d, rel)).parent_path());
      WriteBytes(JoinPath(d, rel), "old");
    };
  };
  const Prepare none = [](const std::string&) {};
  std::string deep = "很长的文件夹名 long folder name 0";
  for (int i = 1; i < 8; ++i) deep += "/很长的文件夹名 long folder name " + std::to_string(i);
  const struct Case {
    const char* name;
    Prepare prepare;
    std::string target;   // below the folder
    const char* refused;  // part of the reason; nullptr: written
    std::string lands;    // where the bytes arrive (the target when empty)
    unsigned mode;        // set before, expected after (0: none)
  } cases[] = {
    {"new file, Chinese folder and name", folders("对讲机"), "对讲机/KV16可定义.ini", nullptr, "", 0},
    {"existing file", file("型号 KV16可定义.ini"), "型号 KV16可定义.ini", nullptr, "", 0},
    {"spaces", folders("my radios/ leading space"), "my radios/ leading space/model file.ini", nullptr, "", 0},
    {"a path of over 300 bytes", folders(deep), deep + "/KV16可定义 profile.ini", nullptr, "", 0},
    {"a name as long as the file system takes", file(std::string(251, 'n') + ".ini"), std::string(251, 'n') + ".ini",
     nullptr, "", 0},
    {"folder missing", none, "no-such-folder/a.ini", "", "", 0},
    {"a folder", file("f.ini/inside"), "f.ini", "folder", "", 0},
#if !defined(_WIN32)
    {"NUL, an ordinary name here", none, "NUL", nullptr, "", 0},
    {"nul", none, "nul", nullptr, "", 0},
    {"private", file("a.dat"), "a.dat", nullptr, "", 0600},
    {"shared", file("a.dat"), "a.dat", nullptr, "", 0664},
    {"read-only", file("a.dat"), "a.dat", "read-only", "", 0444},
    {"no write at all", file("a.dat"), "a.dat", "read-only", "", 0400},
    {"a chain of links, the last dangling",
     [](const std::string& d) {
       fs::create_symlink("sub/target.dat", d + "/link.dat");
       fs::create_symlink("link.dat", d + "/chain.dat");
       fs::create_directory(d + "/sub");
     },
     "chain.dat", nullptr, "sub/target.dat", 0},
    {"a link loop", [](const std::string& d) { fs::create_symlink("loop.dat", d + "/loop.dat"); }, "loop.dat", "loop",
     "", 0},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    c.prepare(dir.path());
    const std::string target = dir.File(c.target);
    if (c.mode) fs::permissions(PathFromUtf8(target), static_cast<fs::perms>(c.mode));
    auto expected = Snapshot(dir.path());
    const IoStatus status = WriteFileAtomically(target, "new");
    EXPECT_EQ(status.ok, !c.refused) << status.Message();
    if (c.refused) {
      EXPECT_EQ(status.path, target);
      EXPECT_NE(status.reason.find(c.refused), npos) << status.reason;
      EXPECT_NE(status.Message().find(target), npos) << status.Message();
    } else {
      expected[c.lands.empty() ? c.target : c.lands] = "new";
      IoStatus read;
      EXPECT_EQ(ReadWholeFile(target, &read), "new") << read.Message();
    }
    if (c.mode) {
      EXPECT_EQ(static_cast<unsigned>(fs::status(PathFromUtf8(target)).permissions()), c.mode);
      fs::permissions(PathFromUtf8(target), fs::perms::owner_all);
    }
    EXPECT_EQ(Snapshot(dir.path()), expected);
  }
}

TEST(WriteFile, AnEmptyNameIsBadInput) {
  const IoStatus unnamed = WriteFileAtomically("", "x");
  EXPECT_FALSE(unnamed.ok);
  EXPECT_TRUE(unnamed.bad_input);
}

// A new file is made whole or not at all, and nothing that has its name is
// ever replaced; no temporary file is left behind either way.
TEST(CreateFile, MakesOnlyANewFile) {
  const struct Case {
    const char* name;
    std::function<void(const std::string& dir)> prepare;
    std::string target;  // below the folder
    bool taken;          // refused because the name is in use
    bool made;
  } cases[] = {
    {"new, Chinese name", [](const std::string&) {}, "备份 KV16可定义.bin", false, true},
    {"a file has the name", [](const std::string& d) { WriteBytes(JoinPath(d, "a.bin"), "old"); }, "a.bin", true,
     false},
    {"a folder has the name", [](const std::string& d) { fs::create_directory(PathFromUtf8(JoinPath(d, "a.bin"))); },
     "a.bin", true, false},
    {"folder missing", [](const std::string&) {}, "no-such-folder/a.bin", false, false},
    {"the longest name", [](const std::string&) {}, std::string(251, 'b') + ".bin", false, true},
#if !defined(_WIN32)
    {"a dangling link has the name", [](const std::string& d) { fs::create_symlink("elsewhere.bin", d + "/a.bin"); },
     "a.bin", true, false},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    c.prepare(dir.path());
    auto expected = Snapshot(dir.path());
    bool taken = !c.taken;
    const IoStatus status = CreateFileAtomically(dir.File(c.target), "new", &taken);
    EXPECT_EQ(status.ok, c.made) << status.Message();
    EXPECT_EQ(taken, c.taken) << status.Message();
    if (!status.ok) {
      EXPECT_EQ(status.path, dir.File(c.target));
    }
    if (c.made) expected[c.target] = "new";
    EXPECT_EQ(Snapshot(dir.path()), expected);
  }
}

#if !defined(_WIN32)
// A full disk, as a file-size limit: the write fails with a message that
// says so, the old file stays whole and nothing half-written is left.
TEST(WriteFile, AFullDiskFailsTheSaveLeavingTheOldFile) {
  TempDir dir;
  WriteBytes(dir.File("a.dat"), "old");
  const auto expected = Snapshot(dir.path());
  const std::string big(64 * 1024, 'x');
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const IoStatus replaced = WriteFileAtomically(dir.File("a.dat"), big);
  bool taken = true;
  const IoStatus created = CreateFileAtomically(dir.File("b.dat"), big, &taken);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, old_handler);
  for (const IoStatus& s : {replaced, created}) {
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.reason.find("no room to write"), npos) << s.reason;
  }
  EXPECT_FALSE(taken);
  EXPECT_EQ(Snapshot(dir.path()), expected);
}
#endif

#if defined(KAVIR_SYSTEM_FAULTS)
// What the system can do to a save or a read half-way.
struct ResetFaults {
  ~ResetFaults() { faults::Reset(); }
};

// A close that fails: a full disk seen only then, a network share gone.
TEST(SystemFaults, AFailedCloseFailsTheSave) {
  ResetFaults reset;
  TempDir dir;
  WriteBytes(dir.File("a.dat"), "old");
  faults::close_error = EIO;
  const IoStatus closed = WriteFileAtomically(dir.File("a.dat"), "new");
  EXPECT_FALSE(closed.ok);
  EXPECT_NE(closed.reason.find(std::strerror(EIO)), npos) << closed.reason;
  EXPECT_EQ(Snapshot(dir.path()), (std::map<std::string, std::string>{{"a.dat", "old"}}));
  int ends[2];  // nor does a pipe's: the reader may have got less
  ASSERT_EQ(::pipe(ends), 0);
  faults::close_error = EIO;
  EXPECT_FALSE(WriteFileAtomically("/proc/self/fd/" + std::to_string(ends[1]), "abc").ok);
  faults::close_error = 0;
  ::close(ends[0]), ::close(ends[1]);
}

// No exclusive rename: a hard link does it; no hard links either: the name is
// created exclusively. A taken name is refused all three ways.
TEST(SystemFaults, ANewFileIsMadeWithoutExclusiveRenameOrHardLinks) {
  ResetFaults reset;
  TempDir dir;
  for (const auto& [noreplace, link] : {std::pair{0, 0}, std::pair{EINVAL, 0}, std::pair{ENOSYS, EPERM}}) {
    SCOPED_TRACE(std::to_string(noreplace) + "/" + std::to_string(link));
    faults::noreplace_error = noreplace, faults::link_error = link;
    const std::string made = dir.File("made-" + std::to_string(noreplace) + ".bin");
    bool taken = true;
    EXPECT_TRUE(CreateFileAtomically(made, "new", &taken).ok);
    EXPECT_FALSE(taken);
    EXPECT_FALSE(CreateFileAtomically(made, "newer", &taken).ok);
    EXPECT_TRUE(taken);
    EXPECT_EQ(ReadBytes(made), "new");
  }
  faults::noreplace_error = EIO;  // any other refusal is an error, not a reason to try otherwise
  bool taken = true;
  EXPECT_FALSE(CreateFileAtomically(dir.File("never.bin"), "x", &taken).ok);
  EXPECT_FALSE(taken);
  faults::noreplace_error = EINVAL, faults::link_error = EIO;  // nor is a hard link's
  EXPECT_FALSE(CreateFileAtomically(dir.File("never.bin"), "x", &taken).ok);
  EXPECT_FALSE(taken);
  faults::Reset();
  EXPECT_EQ(Snapshot(dir.path()).size(), 3u);  // the three made: no temporaries
}

// Reads interrupted by a signal or returned in pieces.
TEST(SystemFaults, AReadInterruptedOrInPiecesGetsTheWholeFile) {
  ResetFaults reset;
  TempDir dir;
  const std::string text(5000, 'k');
  WriteBytes(dir.File("k.dat"), text);
  faults::interrupted_reads = 3, faults::read_piece = 7;
  IoStatus read;
  EXPECT_EQ(ReadWholeFile(dir.File("k.dat"), &read), text);
  EXPECT_TRUE(read.ok);
}
#endif

// A save killed half-way leaves its temporary file; the next save in the
// folder removes those of ours (by their name) that nobody holds any more.
TEST(WriteFile, LeftOversOfKilledSavesGo) {
  TempDir dir;
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  const std::string own = ".kavir~" + std::to_string(platform::CurrentProcessId()) + "-0000abcd.tmp";
  const struct {
    std::string name;
    bool old, gone;
  } files[] = {{"a.dat", true, false},
               {"a.dat.tmp123456", true, true},                  // the earlier naming, beside its file
               {".kavir~999999999-0000abcd.tmp", true, true},    // of a process that has ended
               {".kavir~999999998-00000001.tmp", false, false},  // ended, but written just now
               {own, true, false},                               // this process may still hold it
               {"notes.tmp1", true, false},                      // no file "notes": not ours
               {"a.dat.tmp", true, false},
               {"a.dat.tmpold", true, false},
               {".kavir~x-1.tmp", true, false}};
  for (const auto& f : files) {
    WriteBytes(dir.File(f.name), "x");
    if (f.old) fs::last_write_time(PathFromUtf8(dir.File(f.name)), old);
  }
  ASSERT_TRUE(WriteFileAtomically(dir.File("b.dat"), "new"));
  for (const auto& f : files) EXPECT_EQ(fs::exists(PathFromUtf8(dir.File(f.name))), !f.gone) << f.name;
  EXPECT_EQ(ReadBytes(dir.File("b.dat")), "new");
}

#if !defined(_WIN32)
TEST(WriteFile, AFolderThatCannotBeWrittenIsNamed) {
  TempDir dir;
  const std::string target = dir.File("a.dat");
  WriteBytes(target, "x");
  fs::permissions(PathFromUtf8(dir.path()), static_cast<fs::perms>(0555));
  // Root writes into any folder: the save is tried as nobody then, in a
  // folder and file of nobody's own.
  const bool as_root = ::geteuid() == 0;
  if (as_root) {
    ASSERT_EQ(::chown(dir.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::seteuid(65534), 0);
  }
  const IoStatus status = WriteFileAtomically(target, "new");
  if (as_root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  fs::permissions(PathFromUtf8(dir.path()), fs::perms::owner_all);
  EXPECT_NE(status.reason.find("the folder " + std::string(dir.path()) + " cannot be written"), npos) << status.reason;
  EXPECT_EQ(ReadBytes(target), "x");
}
#endif

// Windows will not replace a file another program has open: the save fails
// with a message that says so and the file keeps its old content. POSIX
// replaces it, and the other program goes on reading the old file. Once the
// other program lets go, the save goes through.
TEST(WriteFile, ATargetHeldOpenByAnotherProgram) {
  TempDir dir;
  const std::string path = dir.File("型号 KV16可定义.ini");
  WriteBytes(path, "old");
  std::FILE* holder = OpenFile(path, "rb");
  ASSERT_NE(holder, nullptr);
  const IoStatus saved = WriteFileAtomically(path, "new");
#if defined(_WIN32)
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.path, path);
  EXPECT_NE(saved.reason.find("another program"), npos) << saved.reason;
  std::fclose(holder);
  EXPECT_EQ(ReadBytes(path), "old");
  // "NUL" in any folder is the null device: written, nothing left.
  for (const char* name : {"NUL", "nul"}) EXPECT_TRUE(WriteFileAtomically(dir.File(name), "bytes").ok) << name;
  EXPECT_TRUE(WriteFileAtomically("NUL", "bytes").ok);
#else
  EXPECT_TRUE(saved.ok) << saved.Message();
  char buffer[8];
  EXPECT_EQ(std::string(buffer, std::fread(buffer, 1, sizeof buffer, holder)), "old");
  std::fclose(holder);
  EXPECT_EQ(ReadBytes(path), "new");
#endif
  ASSERT_TRUE(WriteFileAtomically(path, "newer").ok);
  EXPECT_EQ(Snapshot(dir.path()), (std::map<std::string, std::string>{{"型号 KV16可定义.ini", "newer"}}));
}

#if !defined(_WIN32)
TEST(WriteFile, AnUnreadPipeIsAnErrorNotAWait) {
  TempDir dir;
  const std::string fifo = dir.File("out.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto unread = std::async(std::launch::async, [&] { return WriteFileAtomically(fifo, "x"); });
  ASSERT_EQ(unread.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(unread.get().ok);
}

// A reader that is there: the bytes arrive and the pipe is still a pipe.
TEST(WriteFile, PipesAreWrittenInPlace) {
  TempDir dir;
  const std::string fifo = dir.File("out.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reader = std::async(std::launch::async, [&] { return ReadBytes(fifo); });
  IoStatus status;
  for (int i = 0; i < 200 && !(status = WriteFileAtomically(fifo, "profile bytes")).ok; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));  // until the reader has opened it
  EXPECT_TRUE(status.ok) << status.Message();
  EXPECT_EQ(reader.get(), "profile bytes");
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
#endif

// On Windows the system's own texts arrive in the ANSI code page (GBK on a
// Chinese system); they must reach a message as UTF-8, on one line.
TEST(FilePath, ErrorTextsAreUtf8OnOneLine) {
  for (int code : {2, 5, 32}) {  // not found, access denied, in use (Windows)
    const std::string text = ErrorText(std::error_code(code, std::system_category()));
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_EQ(text.find_first_of("\r\n"), npos) << text;
    // After a Chinese character, only valid UTF-8 is read as UTF-8.
    EXPECT_EQ(IniDocument::Parse("[A]\r\nk=关" + text).encoding(), IniDocument::Encoding::Utf8) << text;
  }
}

}  // namespace
}  // namespace kavir::test
