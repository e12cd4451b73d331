// kavir-cli against hostile files: what it says, what it leaves, and its
// exit code (1 a failed file operation, 2 bad usage or bad input).
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli_runner.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliFiles : public ::testing::Test {
 protected:
  ScratchDir scratch;
  std::string prog = scratch.File("prog");
  std::string good = scratch.File("good.dat");

  void SetUp() override {
    fs::create_directory(prog);
    for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
      if (e.path().extension() == ".ini") fs::copy_file(e.path(), fs::path(prog) / e.path().filename());
    fs::copy_file(fs::path(prog) / "KV16V.ini", good);
  }
  void TearDown() override {
    // Leave nothing read-only behind for the clean-up.
    for (const auto& e : fs::recursive_directory_iterator(scratch.path()))
      if (!fs::is_symlink(e.symlink_status())) ::chmod(e.path().c_str(), 0755);
  }
  std::string Kavir() const { return prog + "/KAVIR.ini"; }
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", prog});
    return RunCli(args, scratch.path());
  }
  // kavir-cli under a shell prefix (a limit, a time-out).
  CliResult RunUnder(const std::string& prefix, const std::vector<std::string>& args) {
    std::string cmd = prefix + " \"" KAVIR_CLI "\" --dir \"" + prog + "\"";
    for (const std::string& a : args) cmd += " \"" + a + "\"";
    cmd += " >\"" + scratch.File("o") + "\" 2>\"" + scratch.File("e") + "\"";
    const int status = std::system(cmd.c_str());
    CliResult r;
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(scratch.File("o"));
    r.err = Slurp(scratch.File("e"));
    return r;
  }
  bool TemporaryFilesLeft() const {
    for (const auto& e : fs::recursive_directory_iterator(scratch.path()))
      if (e.path().filename().string().find(".tmp") != std::string::npos) return true;
    return false;
  }
};

TEST_F(CliFiles, EveryCommandGivesTheExitCodeOfWhatWentWrong) {
  const std::string fifo = scratch.File("fifo.dat");
  ::mkfifo(fifo.c_str(), 0600);
  const std::string loop = scratch.File("loop.dat");
  fs::create_symlink("loop.dat", loop);
  const std::string image = scratch.File("radio.bin");
  std::ofstream(image, std::ios::binary) << std::string(768, '\x11');
  const std::string junk = scratch.File("junk.bin");
  std::ofstream(junk, std::ios::binary) << std::string(700, '\x11');
  const std::string read_only = scratch.File("ro.dat");
  fs::copy_file(good, read_only);
  ::chmod(read_only.c_str(), 0444);
  const std::string dangling = scratch.File("dangling.dat");
  fs::create_symlink("made-through-link.dat", dangling);
  const std::string big = scratch.File("big.dat");
  std::ofstream(big, std::ios::binary) << std::string(2 << 20, '\n');
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* says;  // in the last line of stderr
  } cases[] = {
      {{"show", scratch.File("none.dat")}, 2, "no such file"},
      {{"show", fifo}, 2, "pipe"},
      {{"show", "/dev/zero"}, 2, "device"},
      {{"show", big}, 2, "too large"},
      {{"show", loop}, 2, "symbolic link loop"},
      {{"show", junk}, 2, "[Previous]"},
      {{"show", image}, 2, "--model N"},
      {{"diff", good, fifo}, 2, "pipe"},
      {{"import-csv", fifo, scratch.File("x.dat")}, 2, "pipe"},
      {{"export-csv", good, read_only}, 1, "read-only"},
      {{"resave", good, ""}, 2, "no output file name"},
      {{"resave", good, read_only}, 1, "read-only"},
      {{"resave", good, loop}, 2, "symbolic link loop"},
      {{"resave", good, dangling}, 0, ""},
      {{"resave", good, "/dev/null"}, 0, ""},
      {{"encode", good, ""}, 2, "no file name"},
      {{"encode", fifo, scratch.File("x.bin")}, 2, "pipe"},
      {{"report", good, ""}, 2, "no file name"},
      {{"decode", fifo, "--model", "1"}, 2, "pipe"},
      {{"decode", image, "--model", "1", "--out", read_only}, 1, "read-only"},
  };
  for (const Case& c : cases) {
    // A hang would show as the time-out's exit code 124.
    const CliResult r = RunUnder("timeout 30", c.args);
    std::string what;
    for (const auto& a : c.args) what += a + " ";
    EXPECT_EQ(r.exit_code, c.exit_code) << what << "\n" << r.err;
    if (c.exit_code != 0) {
      ASSERT_FALSE(r.ErrLines().empty()) << what;
      EXPECT_NE(r.ErrLines().back().find(c.says), std::string::npos) << what << "\n" << r.err;
    }
  }
  EXPECT_EQ(Slurp(read_only), Slurp(good));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(Slurp(scratch.File("made-through-link.dat")).size(), Slurp(good).size());
  EXPECT_FALSE(TemporaryFilesLeft());
}

TEST_F(CliFiles, ResaveNamesEveryFileThatFailedAndExitsOne) {
  const std::string out = scratch.File("out.dat");
  ::chmod(Kavir().c_str(), 0444);  // only the PreviousType update fails
  CliResult r = Run({"resave", good, out});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  EXPECT_TRUE(fs::exists(out));
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find(Kavir()), std::string::npos) << r.err;

  std::ofstream(out) << "old";
  ::chmod(out.c_str(), 0444);  // both fail
  r = Run({"resave", good, out});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find(Kavir()), std::string::npos) << r.err;
  EXPECT_NE(r.ErrLines().back().find(out), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(out), "old");
}

TEST_F(CliFiles, WithoutKavirIniNothingIsSavedOrDecodedAndTheReasonIsGiven) {
  const std::string image = scratch.File("radio.bin");
  std::ofstream(image, std::ios::binary) << std::string(768, '\0');
  for (const char* broken : {"missing", "no lists", "pipe"}) {
    fs::remove(Kavir());
    if (std::string(broken) == "no lists") std::ofstream(Kavir()) << "[ComPort]\r\n1=1\r\n";
    if (std::string(broken) == "pipe") ::mkfifo(Kavir().c_str(), 0600);
    const std::string out = scratch.File("out.dat");
    const CliResult resave = RunUnder("timeout 30", {"resave", good, out});
    EXPECT_EQ(resave.exit_code, 2) << broken << "\n" << resave.err;
    EXPECT_NE(resave.err.find("option lists"), std::string::npos) << broken << "\n" << resave.err;
    EXPECT_FALSE(fs::exists(out)) << broken;
    const CliResult decode = RunUnder("timeout 30", {"decode", image, "--model", "1"});
    EXPECT_EQ(decode.exit_code, 2) << broken;
    ASSERT_FALSE(decode.ErrLines().empty());
    EXPECT_NE(decode.ErrLines().back().find(Kavir()), std::string::npos) << decode.err;
    EXPECT_EQ(decode.err.find("from 1 to 0"), std::string::npos) << decode.err;
    EXPECT_FALSE(fs::exists(prog + "/Read.ini")) << broken;
  }
  fs::remove(Kavir());
  Run({"resave", good, scratch.File("out.dat")});
  EXPECT_FALSE(fs::exists(Kavir()));
}

TEST_F(CliFiles, AFileSizeLimitIsReportedLikeAFullDiskAndLeavesNothingBehind) {
  const std::string out = scratch.File("out.dat");
  std::ofstream(out) << "old";
  const CliResult r = RunUnder("ulimit -f 1;", {"resave", good, out});
  EXPECT_EQ(r.exit_code, 1) << r.err;
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_NE(r.ErrLines().back().find("disk is full"), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(out), "old");
  EXPECT_FALSE(TemporaryFilesLeft());
}

TEST_F(CliFiles, ShowNamesValuesALoadCutsShort) {
  const std::string path = scratch.File("long.dat");
  std::string text = Slurp(good);
  const std::string key = "CH03.RxFreq=";
  const std::size_t at = text.find(key);
  ASSERT_NE(at, std::string::npos);
  text.insert(at + key.size(), std::string(16, '1'));  // 9 + 16 = 25 bytes
  std::ofstream(path, std::ios::binary) << text;
  const CliResult r = Run({"show", path});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.ErrLines().size(), 1u) << r.err;
  EXPECT_NE(r.err.find("CH03.RxFreq"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("19"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kavir::test
