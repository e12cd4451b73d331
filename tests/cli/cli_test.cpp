// kavir-cli's file commands run as a technician runs them, and what bad
// input and hostile files get: exit code 1 for a failed file operation, 2
// for bad usage or bad input, one line saying why, nothing left behind.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "ini/gbk.h"
#include "run_program.h"
#include "setup/profile_keys.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
 protected:
  void TearDown() override {  // nothing read-only left for the clean-up
    for (const std::string& dir : {d.path(), std::string(scratch.path())})
      for (const auto& e : fs::recursive_directory_iterator(dir))
        if (!fs::is_symlink(e.symlink_status())) ::chmod(e.path().c_str(), 0755);
  }
  // Under a time-out: a hang shows as exit code 124.
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"30", KAVIR_CLI, "--dir", d.path()});
    return RunProgram("timeout", args, scratch.path());
  }
  std::string Model(const std::string& name = "KV16V") const { return d.files.ModelFile(name); }
  std::string File(const std::string& name) const { return scratch.File(name); }
  std::string Fixture(const std::string& name) const {
    return std::string(KAVIR_FIXTURES_DIR) + "/interchange/" + name;
  }
  bool TemporaryFilesLeft() const {
    for (const std::string& dir : {d.path(), std::string(scratch.path())})
      for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.path().filename().string().find(".tmp") != std::string::npos) return true;
    return false;
  }
  ShippedDir d;
  TempDir scratch;
};

TEST_F(Cli, TheFileCommandsGiveEveryKeyOfTheFile) {
  const IniDocument model = ReadIniFile(Model("KV16U"));
  const CliResult show = Run({"show", Model("KV16U")});
  ASSERT_EQ(show.exit_code, 0) << show.err;
  const auto lines = show.OutLines();
  ASSERT_EQ(lines.size(), ProfileKeys().size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(lines[i], ProfileKeys()[i] + "=" + model.Find("Previous", ProfileKeys()[i]).value_or(""));

  const std::string kept = File("kept.dat");
  WriteIni(kept, {{"Notes", {{"Owner", "车队三"}}}, {"Previous", {{"Extra", "x"}, {"TimerOut", "nonsense"}}}});
  ASSERT_EQ(Run({"resave", Model("KV16U"), kept}).exit_code, 0);
  EXPECT_EQ(ReadIniFile(kept).Find("Notes", "Owner").value_or(""), "车队三");
  EXPECT_EQ(ReadIniFile(kept).Find("Previous", "Extra").value_or(""), "x");

  const std::string image = File("radio.bin"), back = File("back.dat");
  ASSERT_EQ(Run({"encode", Model("KV16U"), image}).exit_code, 0);
  EXPECT_EQ(ReadBytes(image), ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/KV16U.img"));
  ASSERT_EQ(Run({"decode", image, "--model", "2", "--out", back}).exit_code, 0);
  for (const std::string& key : ProfileKeys()) {
    EXPECT_EQ(Stored(kept, key), model.Find("Previous", key).value_or("")) << key;
    EXPECT_EQ(Stored(back, key), model.Find("Previous", key).value_or("")) << key;
  }
  // An image whose name says its model opens as a file, not as a read.
  const std::string backup = File("read-KV16U-20261207-101500.bin");
  fs::copy_file(image, backup);
  fs::remove(d.files.read_ini);  // the decode is a read
  const CliResult shown = Run({"show", backup});
  EXPECT_EQ(shown.out, show.out) << shown.err;
  EXPECT_FALSE(fs::exists(d.files.read_ini));
}

TEST_F(Cli, EveryCommandGivesTheExitCodeOfWhatWentWrongInOneLine) {
  const std::string fifo = File("fifo.dat"), missing = File("missing.dat"), image = File("radio.bin");
  ::mkfifo(fifo.c_str(), 0600);
  fs::create_symlink(File("loop.dat"), File("loop.dat"));
  ASSERT_EQ(Run({"encode", Model(), image}).exit_code, 0);  // names model 1 in its band block
  const std::string junk = File("junk.bin");
  WriteBytes(junk, std::string(768, '\x11'));
  WriteBytes(File("short.bin"), std::string(767, '\0'));
  WriteBytes(File("long.img"), std::string(769, '\x11'));
  WriteBytes(File("tiny.bin"), "abc");
  const std::string read_only = File("ro.dat");
  WriteBytes(read_only, ReadBytes(Model()));
  ::chmod(read_only.c_str(), 0444);
  IniDocument bad = ReadIniFile(Model());
  bad.SetString("Previous", "CH02.RxFreq", "480.00000");
  ASSERT_TRUE(WriteIniFile(File("bad.dat"), bad).ok);
  WriteBytes(File("bad.csv"), "Location,Frequency,Mode\n1,146.52,AM\n");
  WriteBytes(File("bad-licence.csv"), "Frequency,MaxPower,Bandwidth,TX\n451.025,5W,narrow,yes\n");
  IniDocument no_band = ReadIniFile(Model("KV16可定义"));
  no_band.SetString("Previous", "FreqU", "");
  ASSERT_TRUE(WriteIniFile(Model("KV16可定义"), no_band).ok);
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string says;  // in the one line that reports the failure
  } cases[] = {
      {{"show"}, 2, "usage"},
      {{"show", missing}, 2, missing},
      {{"show", fifo}, 2, "pipe"},
      {{"show", junk}, 2, "不是电台数据"},
      {{"diff", image, junk}, 2, "0x290"},
      {{"show", image, "--model", "2"}, 2, "--force"},
      {{"show", image, "--model", "0"}, 2, "--model must be a model number from 1"},
      {{"show", File("loop.dat")}, 2, "symbolic link loop"},
      {{"resave", missing, File("x.dat")}, 2, missing},
      {{"resave", Model(), ""}, 2, "no output file name"},
      {{"resave", Model(), read_only}, 1, "是只读文件"},
      {{"export-csv", Model(), read_only}, 1, "read-only"},
      {{"encode", File("bad.dat"), File("x.bin")}, 1, "CH02 接收频率 \"480.00000\""},
      {{"decode", File("short.bin"), "--model", "1"}, 2, "767 bytes"},
      {{"decode", image}, 2, "--model"},
      {{"decode", fifo, "--model", "1"}, 2, "pipe"},
      {{"decode", image, "--model", "3", "--force"}, 2, "no upper band limit"},  // as a read refuses such a radio
      {{"decode", image, "--model", "2"}, 2, "而指定的是第 2 号"},
      {{"decode", junk, "--model", "1"}, 2, "不是电台数据"},
      {{"show", File("short.bin")}, 2, "有 767 字节, 而电台数据有 768 字节"},
      {{"write", "--port", "/dev/kavir-no-such-port", File("long.img")}, 2, "有 769 字节"},
      {{"batch", "--port", "/dev/kavir-no-such-port", File("short.bin")}, 2, "有 767 字节"},
      {{"diff", Model(), File("tiny.bin")}, 2, "有 3 字节"},
      {{"write", "--port", "/dev/kavir-no-such-port", junk}, 2, "不是电台数据"},
      {{"batch", "--port", "/dev/kavir-no-such-port", junk}, 2, "不是电台数据"},
      {{"import-csv", fifo, File("x.dat")}, 2, "pipe"},
      {{"import-csv", File("bad.csv"), File("x.dat")}, 1, "nothing saved"},
      {{"import-csv", Fixture("no-frequency.csv"), File("x.dat")}, 2, "Frequency"},
      {{"diff", Model(), missing}, 2, missing},
      {{"check"}, 2, "usage"},
      {{"check", missing}, 2, missing},
      {{"check", fifo}, 2, "pipe"},
      {{"check", junk}, 2, "不是电台数据"},
      {{"check", Model(), "--licence", missing}, 2, missing},
      {{"check", Model(), "--licence", fifo}, 2, "pipe"},
      {{"check", Model(), "--licence", File("bad-licence.csv")},
       2,
       "bad-licence.csv: 第 2 行第 2 列 (MaxPower): \"5W\""},
      {{"read", "--port", "1", "--out", File("x.dat"), "--retries", "many"}, 2, "many"},
      {{"write", "--port", "1", missing}, 2, missing},
      {{"write", "--port", "/dev/kavir-no-such-port", Model()}, 1, "/dev/kavir-no-such-port 不存在"},
      {{"read", "--port", "/dev/null", "--out", File("x.dat")}, 1, "/dev/null 不是串口"},
      {{"batch", "--port", "/dev/kavir-no-such-port", Model(), "--log", File("no-folder/log.csv")}, 1, "no-folder"},
      {{"batch", "--port", "/dev/kavir-no-such-port", Model(), "--log", fifo}, 2, "not a regular file"},
  };
  for (const Case& c : cases) {
    const CliResult r = Run(c.args);
    std::string what;
    for (const auto& a : c.args) what += a + " ";
    SCOPED_TRACE(what + "\n" + r.err);
    EXPECT_EQ(r.exit_code, c.exit_code);
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_FALSE(r.ErrLines().empty());
    EXPECT_EQ(r.ErrLines().back().rfind("kavir-cli: ", 0), 0u);
    EXPECT_EQ(Count(r.err, c.says), 1u);  // said once
  }
  EXPECT_EQ(ReadBytes(read_only), ReadBytes(Model()));
  for (const char* never : {"x.dat", "x.bin"}) EXPECT_FALSE(fs::exists(File(never))) << never;
  EXPECT_FALSE(fs::exists(d.files.read_ini));
  EXPECT_FALSE(TemporaryFilesLeft());
  WriteBytes(d.files.write_ini, "");
  ::chmod(d.files.write_ini.c_str(), 0444);  // a batch stores the set-up there first, as a write does
  const CliResult batch = Run({"batch", "--port", "/dev/kavir-no-such-port", Model()});
  EXPECT_EQ(batch.exit_code, 1) << batch.err;
  EXPECT_EQ(Count(batch.err, "Write.ini"), 1u) << batch.err;
}

// A misspelt option, or one of another command, never goes unnoticed: it
// could change what goes into a radio.
TEST_F(Cli, AnOptionTheCommandDoesNotTakeIsRefusedWithItsUsage) {
  const std::string port = "/dev/kavir-no-such-port", out = File("out.dat");
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{"write", "--port", port, "--bogus", "1", Model()}, "unknown option --bogus"},
      {{"write", "--port", port, Model(), "--json"}, "write does not take --json"},
      {{"batch", "--port", port, Model(), "--model", "1"}, "batch does not take --model"},
      {{"write", "--port", "--force", Model()}, "--port needs a value"},
      {{"write", Model(), "--port"}, "--port needs a value"},
      {{"write", "--port", port, "--no-verify=yes", Model()}, "--no-verify takes no value"},
      {{"write", "--port", port, "--port", "/dev/kavir-other", Model()}, "--port is given twice"},
      {{"resave", Model(), out, "--modle", "1"}, "unknown option --modle"},
      {{"show", Model(), "--out", out}, "show does not take --out"},
      {{"ports", "--jsn"}, "unknown option --jsn"},
      {{"show", Model(), "--version"}, "show does not take --version"},
  };
  for (const auto& c : cases) {
    const CliResult r = Run(c.args);
    SCOPED_TRACE(c.args.front() + " " + c.says + "\n" + r.err);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_EQ(r.ErrLines().size(), 1u);  // nothing was tried: no port, no file
    EXPECT_EQ(r.err.rfind("kavir-cli: " + c.says + " (usage: kavir-cli " + c.args.front() + " ", 0), 0u);
  }
  EXPECT_FALSE(fs::exists(out));
}

// What each command does with its options, as its code reads them; the
// usage lists exactly these, and every other option is refused.
TEST_F(Cli, EveryCommandTakesExactlyTheOptionsItsUsageLists) {
  const std::map<std::string, std::set<std::string>> takes = {
      {"show", {"--model", "--force"}},
      {"resave", {"--model", "--force"}},
      {"encode", {"--model", "--force"}},
      {"decode", {"--model", "--out", "--force"}},
      {"ports", {"--json"}},
      {"doctor", {"--port", "--loopback"}},
      {"read", {"--port", "--out", "--retries"}},
      {"write", {"--port", "--model", "--retries", "--force", "--no-verify", "--no-backup", "--dry-run", "--licence"}},
      {"batch", {"--port", "--count", "--log", "--no-verify", "--no-backup", "--force", "--licence"}},
      {"report", {"--model", "--force"}},
      {"import-csv", {"--base", "--by-location", "--model", "--force"}},
      {"export-csv", {"--model", "--force"}},
      {"diff", {"--model", "--force"}},
      {"check", {"--licence", "--model", "--force"}},
  };
  const std::set<std::string> flags = {"--force",     "--json",        "--loopback", "--no-verify",
                                       "--no-backup", "--by-location", "--dry-run"};
  std::set<std::string> every;
  for (const auto& [command, options] : takes) every.insert(options.begin(), options.end());

  const CliResult help = Run({"help"});
  ASSERT_EQ(help.exit_code, 0) << help.err;
  for (const auto& [command, options] : takes) {
    SCOPED_TRACE(command);
    std::string line;  // the command's line in the list of commands
    for (const std::string& l : help.OutLines())
      if (l.rfind("  " + command + " ", 0) == 0 || l == "  " + command) line = l + " ";
    std::set<std::string> listed;
    for (std::size_t at = line.find("--"); at != std::string::npos; at = line.find("--", at + 2))
      listed.insert(line.substr(at, line.find_first_of(" ]", at) - at));
    EXPECT_EQ(listed, options) << line;
    const CliResult own = Run({command, "--help"});
    EXPECT_EQ(own.exit_code, 0) << own.err;
    EXPECT_EQ(own.OutLines().front(), "usage: kavir-cli " + line.substr(2, line.size() - 3));

    // Three arguments fit no command: a taken option ends in its usage error.
    for (const std::string& option : every) {
      std::vector<std::string> args{command, option};
      if (!flags.count(option)) args.push_back("1");
      args.insert(args.end(), {"x", "y", "z"});
      const CliResult r = Run(args);
      EXPECT_EQ(r.exit_code, 2) << option;
      const bool refused = r.err.find(command + " does not take " + option + " (usage") != std::string::npos;
      EXPECT_EQ(refused, !options.count(option)) << option << ": " << r.err;
      EXPECT_NE(r.err.find("usage: kavir-cli " + command), std::string::npos) << option << ": " << r.err;
    }
  }
}

// The shell's completion offers what each command takes, and nothing else.
TEST_F(Cli, TheCompletionOffersTheOptionsOfTheUsage) {
  std::map<std::string, std::string> offered;  // command -> options, from lines like 'show | diff) options="..." ;;'
  for (const std::string& line : CliResult::Lines(ReadBytes(KAVIR_COMPLETION))) {
    const std::size_t paren = line.find(") options=\"");
    if (paren == std::string::npos || line.find('*') != std::string::npos) continue;
    const std::size_t start = paren + 11;
    const std::string options = line.substr(start, line.find('"', start) - start);
    std::string names = line.substr(0, paren);
    for (std::size_t at = 0; at <= names.size();) {
      std::size_t end = names.find('|', at);
      if (end == std::string::npos) end = names.size();
      std::string name = names.substr(at, end - at);
      name.erase(0, name.find_first_not_of(' '));
      name.erase(name.find_last_not_of(' ') + 1);
      offered[name] = options;
      at = end + 1;
    }
  }
  const CliResult help = Run({"help"});
  std::set<std::string> commands;
  for (const std::string& line : help.OutLines()) {
    if (line.size() < 3 || line.rfind("  ", 0) != 0 || line[2] == ' ') continue;
    const std::string command = line.substr(2, line.find(' ', 2) - 2);
    commands.insert(command);
    std::set<std::string> listed, completed;
    for (std::size_t at = line.find("--"); at != std::string::npos; at = line.find("--", at + 2))
      listed.insert(line.substr(at, line.find_first_of(" ]", at) - at));
    const std::string options = offered[command] + " ";
    for (std::size_t at = options.find("--"); at != std::string::npos; at = options.find("--", at + 2))
      completed.insert(options.substr(at, options.find(' ', at) - at));
    EXPECT_EQ(completed, listed) << command;
  }
  EXPECT_EQ(commands.size(), 14u) << help.out;
}

TEST_F(Cli, HelpIsPrintedOnStandardOutput) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"help"}, {"--lang", "en", "--help"}}) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.exit_code, 0) << args.front();
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(r.out.rfind("usage: kavir-cli [--dir DIR]", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("  decode IMAGE --model N [--out FILE] [--force]\n"), std::string::npos) << r.out;
  }
  CliResult r = Run({"help", "write"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.OutLines().front().rfind("usage: kavir-cli write --port PORT FILE [", 0), 0u) << r.out;
  r = Run({});  // nothing asked: the usage is the error
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_EQ(r.err.rfind("usage: kavir-cli", 0), 0u) << r.err;
  r = Run({"frobnicate", "--help"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos) << r.err;
}

// A copy a byte short is told by its size, not as "not a data file"; a
// profile keeps opening whatever its name, and other files are what they were.
TEST_F(Cli, AFileNearAnImagesSizeIsNamedWithItsSize) {
  WriteBytes(File("short.img"), std::string(767, '\x11'));
  CliResult r = Run({"--lang", "en", "show", File("short.img")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("has 767 bytes, a radio image has 768"), std::string::npos) << r.err;
  WriteBytes(File("one.bin"), "x");
  r = Run({"--lang", "en", "show", File("one.bin")});
  EXPECT_NE(r.err.find("has 1 byte, a radio image has 768"), std::string::npos) << r.err;

  WriteBytes(File("profile.bin"), ReadBytes(Model()));
  r = Run({"show", File("profile.bin")});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, Run({"show", Model()}).out);
  WriteBytes(File("notes.txt"), std::string(20, 'x'));
  r = Run({"show", File("notes.txt")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("不是数据文件"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("字节"), std::string::npos) << r.err;
}

TEST_F(Cli, AFailedResaveExitsOneNamingEveryFileThatFailed) {
  const std::string out = File("out.dat");
  ::chmod(d.files.kavir_ini.c_str(), 0444);  // only the PreviousType update fails
  CliResult r = Run({"resave", Model(), out});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_TRUE(fs::exists(out));
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find(d.files.kavir_ini), std::string::npos) << r.err;

  WriteBytes(out, "old");
  ::chmod(out.c_str(), 0444);  // both fail
  r = Run({"resave", Model(), out});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find(d.files.kavir_ini), std::string::npos) << r.err;
  EXPECT_NE(r.ErrLines().back().find(out), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(out), "old");
}

// Without the option lists every value would come out blank: every command
// that opens or stores a set-up refuses, naming the file.
TEST_F(Cli, WithoutKavirIniEveryCommandRefusesWithoutMakingIt) {
  const std::string image = File("radio.bin"), out = File("out.dat"), csv = File("plan.csv");
  ASSERT_EQ(Run({"encode", Model(), image}).exit_code, 0);
  ASSERT_EQ(Run({"export-csv", Model(), csv}).exit_code, 0);
  const std::string port = "/dev/kavir-no-such-port";
  std::vector<std::vector<std::string>> commands = {
      {"show", Model()},
      {"show", image, "--model", "1"},
      {"diff", Model(), image},
      {"export-csv", Model(), out},
      {"resave", Model(), out},
      {"encode", Model(), out},
      {"import-csv", csv, out},
      {"decode", image, "--model", "1", "--out", out},
      {"write", "--port", port, Model()},
      {"batch", "--port", port, Model(), "--log", out},
      {"check", Model()},
  };
#if !defined(KAVIR_CLI_WITHOUT_QT)  // without Qt the report is refused before anything is opened
  commands.push_back({"report", Model(), out});
#endif
  for (const char* kavir_ini : {"", "[ComPort]\r\n1=1\r\n"}) {  // missing, then without the option lists
    if (*kavir_ini)
      WriteBytes(d.files.kavir_ini, kavir_ini);
    else
      fs::remove(d.files.kavir_ini);
    for (const auto& args : commands) {
      const CliResult r = Run(args);
      SCOPED_TRACE(args.front() + " " + kavir_ini + "\n" + r.err);
      EXPECT_EQ(r.exit_code, 2);
      EXPECT_TRUE(r.out.empty()) << r.out;
      ASSERT_FALSE(r.ErrLines().empty());
      EXPECT_NE(r.ErrLines().back().find(d.files.kavir_ini + (*kavir_ini ? " holds no" : " is missing")),
                std::string::npos);
      EXPECT_FALSE(fs::exists(out));
      EXPECT_EQ(r.err.find("from 1 to 0"), std::string::npos);
    }
    EXPECT_EQ(fs::exists(d.files.kavir_ini), *kavir_ini != '\0');
  }
  EXPECT_FALSE(fs::exists(d.files.read_ini));
}

TEST_F(Cli, AFileSizeLimitFailsTheSaveLikeAFullDisk) {
  const std::string out = File("out.dat");
  WriteBytes(out, "old");
  const CliResult r =
      RunProgram("sh", {"-c", "ulimit -f 1; exec \\$0 \\$@", KAVIR_CLI, "--dir", d.path(), "resave", Model(), out},
                 scratch.path());
  EXPECT_EQ(r.exit_code, 1) << r.err;
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find("磁盘已满"), std::string::npos) << r.err;  // said in the chosen language
  EXPECT_EQ(ReadBytes(out), "old");
  EXPECT_FALSE(TemporaryFilesLeft());
}

// Write.ini is stored, then KAVIR.ini remembers the model; when only the
// latter finds no room, the write is stopped and KAVIR.ini is named.
TEST_F(Cli, AWriteStoppedByAFullDiskNamesTheFileThatFailed) {
  const int far_end = ::posix_openpt(O_RDWR | O_NOCTTY);  // a line nobody answers on
  ASSERT_GE(far_end, 0);
  ASSERT_EQ(::grantpt(far_end) | ::unlockpt(far_end), 0);
  const std::string port = ::ptsname(far_end);
  IniDocument kavir = ReadIniFile(d.files.kavir_ini);
  for (int i = 0; i < 200; ++i) kavir.SetString("Notes", "N" + std::to_string(i), std::string(60, 'x'));
  ASSERT_TRUE(WriteIniFile(d.files.kavir_ini, kavir).ok);  // larger than the limit below, Write.ini smaller
  const std::string kavir_before = ReadBytes(d.files.kavir_ini);
  const CliResult r = RunProgram("bash",
                                 {"-c", "ulimit -f 8; exec \\$0 \\$@", KAVIR_CLI, "--dir", d.path(), "write",
                                  "--no-backup", "--port", port, Model()},
                                 scratch.path());
  ::close(far_end);
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_NE(
      r.err.find("KAVIR.ini 未能保存，没有写入电台: " + d.files.kavir_ini + ": no room to write: the disk is full"),
      std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("Write.ini 未能保存"), std::string::npos) << r.err;
  EXPECT_EQ(Stored(d.files.write_ini, "CH01.RxFreq"), Stored(Model(), "CH01.RxFreq"));
  EXPECT_EQ(ReadBytes(d.files.kavir_ini), kavir_before);
  EXPECT_FALSE(TemporaryFilesLeft());
}

// A terminal whose locale names GBK gets the messages and results in GBK;
// the character set comes from LC_ALL, LC_CTYPE, LANG in that order, and
// the files written are the same bytes whatever the terminal.
TEST_F(Cli, TheTerminalsCharacterSetChangesOnlyWhatIsPrinted) {
  IniDocument other = ReadIniFile(Model());
  other.SetString("Previous", "CH01.RxFreq", "146.52000");
  ASSERT_TRUE(WriteIniFile(File("other.dat"), other).ok);
  WriteBytes(File("notes.txt"), "club plan\r\n");
  const std::vector<std::string> diff{"--lang", "zh", "diff", Model(), File("other.dat")};
  const std::vector<std::string> show{"--lang", "zh", "show", File("notes.txt")};
  const CliResult utf8_diff = Run(diff), utf8_show = Run(show);
  ASSERT_NE(utf8_diff.out.find("CH01 接收频率"), std::string::npos) << utf8_diff.out;
  ASSERT_NE(utf8_show.err.find("不是数据文件"), std::string::npos) << utf8_show.err;
  ASSERT_EQ(Run({"resave", Model(), File("utf8.dat")}).exit_code, 0);

  const struct {
    std::vector<std::string> locale;
    bool gbk;
  } cases[] = {
      {{"LANG=zh_CN.GBK"}, true},
      {{"LANG=zh_CN.gb18030"}, true},
      {{"LANG=en_US.UTF-8", "LC_CTYPE=zh_CN.GB2312"}, true},
      {{"LANG=zh_CN.GBK", "LC_CTYPE=zh_CN.UTF-8"}, false},
      {{"LANG=zh_CN.GBK", "LC_ALL=zh_CN.UTF-8"}, false},
      {{"LANG=zh_CN.UTF-8"}, false},
      {{"LANG=zh_CN.GBK", "LC_ALL=zh_CN.eucCN"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.back());
    auto run = [&](const std::vector<std::string>& args) {
      std::vector<std::string> all{"-u", "LC_ALL", "-u", "LC_CTYPE", "-u", "LC_MESSAGES", "-u", "LANG"};
      all.insert(all.end(), c.locale.begin(), c.locale.end());
      all.insert(all.end(), {"timeout", "30", KAVIR_CLI, "--dir", d.path()});
      all.insert(all.end(), args.begin(), args.end());
      return RunProgram("env", all, scratch.path());
    };
    const CliResult r = run(diff);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, c.gbk ? Utf8ToGbk(utf8_diff.out).value_or("?") : utf8_diff.out);
    const CliResult e = run(show);
    EXPECT_EQ(e.exit_code, 2);
    EXPECT_EQ(e.err, c.gbk ? Utf8ToGbk(utf8_show.err).value_or("?") : utf8_show.err);
    ASSERT_EQ(run({"resave", Model(), File("again.dat")}).exit_code, 0);
    EXPECT_EQ(ReadBytes(File("again.dat")), ReadBytes(File("utf8.dat")));
  }
}

// The system keeps 15 bytes of a program's name, which may end inside a
// character: the program holding the port is named without the cut bytes.
TEST_F(Cli, AHolderWhoseNameWasCutInsideACharacterIsNamedWhole) {
  const int far_end = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(far_end, 0);
  ASSERT_EQ(::grantpt(far_end) | ::unlockpt(far_end), 0);
  const std::string port = ::ptsname(far_end);
  const std::string sleep = fs::exists("/bin/sleep") ? "/bin/sleep" : "/usr/bin/sleep";
  const std::string holder = File("a电台编程器读写");  // 15 bytes end inside 器
  fs::create_symlink(sleep, holder);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(far_end);  // the far end's holder is never named
    if (::open(port.c_str(), O_RDWR | O_NOCTTY) >= 0) ::execl(holder.c_str(), holder.c_str(), "30", nullptr);
    ::_exit(127);
  }
  ASSERT_GT(pid, 0);
  const std::string comm = "/proc/" + std::to_string(pid) + "/comm";
  for (int i = 0; i < 200 && ReadBytes(comm).rfind("a电台", 0) != 0; ++i) ::usleep(10000);
  const CliResult r = Run({"read", "--port", port, "--out", File("x.dat")});
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  ::close(far_end);
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_NE(r.err.find("正被其他程序使用: a电台编程 (进程 " + std::to_string(pid) + ")"), std::string::npos) << r.err;
}

TEST_F(Cli, ShowNamesValuesALoadCutsShort) {
  std::string text = ReadBytes(Model());
  const std::string key = "CH03.RxFreq=";
  const std::size_t at = text.find(key);
  ASSERT_NE(at, std::string::npos);
  text.insert(text.find('\r', at), std::string(16, '0'));  // 9 + 16 = 25 bytes, still the same MHz
  WriteBytes(File("long.dat"), text);
  const CliResult r = Run({"show", File("long.dat")});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.ErrLines().size(), 1u) << r.err;
  EXPECT_NE(r.err.find("CH03.RxFreq"), std::string::npos) << r.err;
  const std::size_t start = at + key.size();
  const std::string value = text.substr(start, text.find('\r', start) - start);
  EXPECT_NE(r.err.find("(\"" + value.substr(0, 19) + "\")"), std::string::npos) << "the 19 bytes kept: " << r.err;
}

// A start-up model file that holds no settings is named once, and the
// command goes on with the defaults.
TEST_F(Cli, AStartModelFileWithoutSettingsIsNamedButStopsNothing) {
  const std::string start = ReadIniFile(d.files.kavir_ini).GetString("PreviousType", "1", "", 20);
  WriteBytes(Model(start), "not a profile\r\n");
  const CliResult r = Run({"show", Model("KV16U")});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.ErrLines().size(), 1u) << r.err;
  EXPECT_NE(r.err.find(Model(start)), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("Type=KV16U"), std::string::npos) << r.out;
}

// A file that is neither UTF-8 nor GBK throughout opens with the line named;
// a save never changes bytes nobody edited: kept as they came, or refused.
TEST_F(Cli, AFileOfMixedEncodingsOpensNamingTheLineButIsNeverSavedChanged) {
  const std::string utf8 = *GbkToUtf8(ReadBytes(Model()));
  const std::size_t tone = utf8.find("\r\nCH01.Decode=关") + 2, after = utf8.find('\r', tone);
  const int line = static_cast<int>(std::count(utf8.begin(), utf8.begin() + tone, '\n')) + 1;
  const std::string head = utf8.substr(0, tone), tail = utf8.substr(after);
  const struct {
    const char* what;
    std::string bytes;
    bool saved_elsewhere;
  } cases[] = {// A stray byte in a note: every value reads, and goes to a new file whole.
               {"UTF-8, a stray byte in a note", head + "; \xB9\r\n" + utf8.substr(tone), true},
               // In a value: that value cannot be written into another file unchanged.
               {"UTF-8, a stray byte in a value", head + "CH01.Decode=关\xB9" + tail, false},
               {"GBK, a stray byte in a value",
                *Utf8ToGbk(head) + "CH01.Decode=" + *Utf8ToGbk("关") + "\xB9" + *Utf8ToGbk(tail), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string in = File("mixed.dat"), out = File("out.dat");
    WriteBytes(in, c.bytes);
    fs::remove(out);
    CliResult r = Run({"resave", in, out});
    EXPECT_NE(r.err.find("第 " + std::to_string(line) + " 行"), std::string::npos) << r.err;
    if (c.saved_elsewhere) {
      ASSERT_EQ(r.exit_code, 0) << r.err;
      EXPECT_EQ(Run({"show", out}).out, Run({"show", in}).out);
    } else {
      EXPECT_EQ(r.exit_code, 2) << r.err;
      EXPECT_NE(r.err.find("CH01.Decode 的值含有既不是 UTF-8 也不是 GBK 的字节"), std::string::npos) << r.err;
      EXPECT_FALSE(fs::exists(out));
    }
    // Saved over itself, nothing changes.
    r = Run({"resave", in, in});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_TRUE(ReadBytes(in) == c.bytes);
  }
}

TEST_F(Cli, ADiffShowsWhatAnImportChanged) {
  const std::string out = File("out.dat");
  CliResult r = Run({"import-csv", Fixture("refused.csv"), out});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.err.find("line 2 refused: Tone TSQL-R"), std::string::npos) << r.err;
  r = Run({"diff", Model(), out});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.out.find("CH01 接收频率: " + Stored(Model(), "CH01.RxFreq") + " | 146.52000\n"), std::string::npos)
      << r.out;
  r = Run({"--lang", "en", "diff", Model(), out});  // the catalogue the program carries
  EXPECT_NE(r.out.find("CH01 RX freq: " + Stored(Model(), "CH01.RxFreq") + " | 146.52000\n"), std::string::npos)
      << r.out;
}

TEST_F(Cli, AnExportImportsBackUnchanged) {
  const std::string csv = File("plan.csv"), again = File("again.dat");
  ASSERT_EQ(Run({"export-csv", Model(), csv}).exit_code, 0);
  ASSERT_EQ(Run({"import-csv", csv, again, "--base", Model(), "--by-location"}).exit_code, 0);
  const CliResult r = Run({"diff", Model(), again});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
}

// The plan check: a line per finding and a count, in the language asked
// for; the exit code is the worst it found (0 nothing, 3 warnings, 1 errors).
TEST_F(Cli, CheckListsWhatShouldNotGoOnAirExitingWithTheWorst) {
  // As shipped, KV16U has a tone on one side of CH05 and CH13, and a
  // transmit tone on CH16, whose TX is off.
  const std::string warnings =
      "警告 [单向亚音] CH05 发射信令 \"CTCSS:88.5\": 只有发射带亚音: 接收信令是关\n"
      "警告 [单向亚音] CH13 发射信令 \"CTCSS:88.5\": 只有发射带亚音: 接收信令是关\n"
      "警告 [发射关闭] CH16 发射信令 \"+DCS:274\": TX 没有勾选: 这个发射信令不会发出\n";
  CliResult r = Run({"check", Model("KV16U")});
  EXPECT_EQ(r.exit_code, 3) << r.err;
  EXPECT_EQ(r.out, warnings + "错误: 0, 警告: 3\n");
  EXPECT_TRUE(r.err.empty()) << r.err;

  IniDocument clean = ReadIniFile(Model("KV16U"));
  clean.SetString("Previous", "CH05.Decode", "CTCSS:88.5");
  clean.SetString("Previous", "CH13.Decode", "CTCSS:88.5");
  clean.SetString("Previous", "CH16.Coding", "关");
  ASSERT_TRUE(WriteIniFile(File("clean.dat"), clean).ok);
  const std::string image = File("clean.bin");
  ASSERT_EQ(Run({"encode", File("clean.dat"), image}).exit_code, 0);
  for (const std::string& file : {File("clean.dat"), image}) {  // a radio image is checked as it reads
    r = Run({"check", file});
    EXPECT_EQ(r.exit_code, 0) << file << r.err;
    EXPECT_EQ(r.out, "没有发现问题\n") << file;
  }

  // KV16U's transmit frequencies, CH03's for narrow only (it is wide).
  std::string licence =
      "Frequency,MaxPower,Bandwidth,TX\n402.05625,high,wide,yes\n406.175,high,wide,yes\n"
      "410.29375,high,narrow,yes\n";
  for (const char* mhz : {"419.40625", "418.525", "422.64375", "426.7625", "430.88125", "440", "439.1125", "443.23125",
                          "447.35", "451.46875", "460.5875", "459.7"})
    licence += std::string(mhz) + ",high,wide,yes\n";
  WriteBytes(File("licence.csv"), licence);
  r = Run({"check", Model("KV16U"), "--licence", File("licence.csv")});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_EQ(r.out, "许可证: " + File("licence.csv") +
                       "\n错误 [许可证] CH03 宽带 \"宽\": 许可证在这个频率上只允许窄带 (第 4 行)\n" + warnings +
                       "错误: 1, 警告: 3\n");
  r = Run({"--lang", "en", "check", File("clean.dat"), "--licence", File("licence.csv")});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_EQ(r.out, "Licence: " + File("licence.csv") +
                       "\nerror [licence] CH03 Bandwidth \"Wide\": the licence allows only narrow here (line 4)\n"
                       "errors: 1, warnings: 0\n");

  // Without --licence the licence chosen for the file is used; one gone
  // since then stops the check rather than passing what it forbids.
  IniDocument kavir = ReadIniFile(d.files.kavir_ini);
  kavir.SetString("Licence", File("clean.dat"), File("licence.csv"));
  ASSERT_TRUE(WriteIniFile(d.files.kavir_ini, kavir).ok);
  const CliResult remembered = Run({"--lang", "en", "check", File("clean.dat")});
  EXPECT_EQ(remembered.exit_code, 1) << remembered.err;
  EXPECT_EQ(remembered.out, r.out);
  std::filesystem::rename(File("licence.csv"), File("licence-old.csv"));
  r = Run({"check", File("clean.dat")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find(File("licence.csv")), std::string::npos) << r.err;

  // The shipped sample reads; it licenses none of KV16U's frequencies.
  r = Run({"check", File("clean.dat"), "--licence", d.path() + "/licence-sample.csv"});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_EQ(Count(r.out, ": 许可证中没有这个发射频率\n"), 15u) << r.out;
  EXPECT_EQ(r.OutLines().size(), 17u) << r.out;  // the licence, the findings and the count
  EXPECT_EQ(r.OutLines()[16], "错误: 15, 警告: 0");

  WriteBytes(File("bad.csv"), "Frequency,MaxPower,Bandwidth,TX\n451.025,high,narrow,yes\n451.05,5W,narrow,yes\n");
  r = Run({"--lang", "en", "check", File("clean.dat"), "--licence", File("bad.csv")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_EQ(r.err, "kavir-cli: " + File("bad.csv") +
                       ": line 3, column 2 (MaxPower): \"5W\" is no power: low or high (低 or 高)\n");
  EXPECT_FALSE(TemporaryFilesLeft());
}

#if defined(KAVIR_RADIO_SIM)
// A failed write, a verify that finds one byte wrong and a batch's plan
// said in plain English: no ".;", no "1 bytes", no "every radios".
TEST_F(Cli, RadioCommandsSayWhatHappenedInPlainWords) {
  const auto sim = [&](std::vector<std::string> fault) {
    fault.insert(fault.begin(), {"--profile", Model(), "--dir", d.path()});
    return fault;
  };
  {
    SimProcess radio(sim({"--silent-from", "10"}));
    ASSERT_FALSE(radio.device().empty());
    const CliResult r = Run({"--lang", "en", "write", "--no-backup", "--port", radio.device(), Model()});
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_FALSE(r.ErrLines().empty());
    EXPECT_EQ(r.ErrLines().back().rfind("kavir-cli: write failed: No answer or a wrong answer sending packet 10; "
                                        "Write not completed: the radio took only 9 of 48 packets.",
                                        0),
              0u)
        << r.err;
    EXPECT_EQ(r.err.find(".;"), std::string::npos) << r.err;
  }
  {
    SimProcess radio(sim({"--corrupt-store", "100"}));
    ASSERT_FALSE(radio.device().empty());
    const CliResult r = Run({"--lang", "en", "write", "--no-backup", "--port", radio.device(), Model()});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("Bytes that differ (1): 0x064 CH07"), std::string::npos) << r.err;
    ASSERT_FALSE(r.ErrLines().empty());
    EXPECT_EQ(r.ErrLines().back(),
              "kavir-cli: write failed: 1 byte differs from what was sent (listed above); both images are in backups/");
  }
  {
    SimProcess radio(sim({}));
    ASSERT_FALSE(radio.device().empty());
    const CliResult r = Run({"batch", "--port", radio.device(), Model(), "--count", "1", "--log", File("log.csv")});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.err.find("into 1 radio per port;"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("1 radio: 1 written and verified"), std::string::npos) << r.out;
  }
  const CliResult r = Run({"batch", "--port", "/dev/kavir-no-such-port", Model(), "--log", File("log.csv")});
  EXPECT_NE(r.err.find("into every radio on each port;"), std::string::npos) << r.err;
}
#endif

#if defined(KAVIR_CLI_WITHOUT_QT)
TEST_F(Cli, WithoutQtTheReportIsRefusedBeforeWritingAnything) {
  const CliResult r = Run({"report", Model(), File("r.pdf")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("kavir-cli: report: this kavir-cli was built without Qt"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(File("r.pdf")));
}
#endif

}  // namespace
}  // namespace kavir::test
