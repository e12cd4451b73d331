// kavir-cli write with its verify, read retries and link messages, against
// kavir-radio-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../cli/cli_runner.h"
#include "profile/ini_document.h"
#include "sim_process.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// A program folder with the shipped data files.
struct ProgramDir : ScratchDir {
  ProgramDir() {
    for (const auto& e : fs::directory_iterator(KAVIR_TEST_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), fs::path(path()) / e.path().filename());
  }
  CliResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--dir", path()});
    return RunCli(args, path());
  }
  std::vector<std::string> Sim(std::vector<std::string> extra) const {
    std::vector<std::string> a{"--profile", File("KV16V.ini"), "--dir", path()};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  }
  std::size_t BackupsOf(const std::string& kind) const {
    std::size_t n = 0;
    if (fs::exists(File("backups")))
      for (const auto& e : fs::directory_iterator(File("backups")))
        n += e.path().filename().string().rfind(kind + "-", 0) == 0;
    return n;
  }
};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(VerifyEndToEnd, WriteIsVerifiedAndAWrongStoredByteFailsWithTheByteNamed) {
  struct Case {
    std::vector<std::string> sim, cli;
    int exit_code;
    std::vector<std::string> said;
    std::size_t kept_read_backs;
  } cases[] = {
      {{}, {}, 0, {"正在校验第 48 个数据包", "写入并校验完毕!"}, 0},
      {{"--corrupt-store", "100"}, {}, 1, {"0x064", "CH07.Decode", "verify-read-", "write failed"}, 1},
      {{"--corrupt-store", "100"}, {"--no-verify"}, 0, {"完毕!"}, 0},
  };
  for (const Case& c : cases) {
    ProgramDir dir;
    SimProcess sim(dir.Sim(c.sim));
    ASSERT_FALSE(sim.device().empty());
    std::vector<std::string> args{"write", "--port", sim.device(), dir.File("KV16V.ini")};
    args.insert(args.end(), c.cli.begin(), c.cli.end());
    CliResult r = dir.Cli(args);
    SCOPED_TRACE(r.err);
    EXPECT_EQ(r.exit_code, c.exit_code);
    for (const std::string& s : c.said) EXPECT_NE(r.err.find(s), std::string::npos) << s;
    EXPECT_EQ(dir.BackupsOf("verify-read"), c.kept_read_backs);
    EXPECT_EQ(dir.BackupsOf("verify-sent"), c.kept_read_backs);
  }
}

// One retry is enough: what the radio still sent for the failed attempt
// must not be taken for the next handshake's answer.
TEST(VerifyEndToEnd, OneReadRetryGetsPastAOneTimeFaultInTheRequestedPackets) {
  struct Case {
    std::vector<std::string> fault;
    const char* named;  // the packet the failure names
  } cases[] = {
      {{"--short-packet", "1"}, "第 01 个"},
      {{"--wrong-address", "5"}, "第 05 个"},
      {{"--short-packet", "12"}, "第 12 个"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.named);
    ProgramDir dir;
    std::vector<std::string> args = c.fault;
    args.push_back("--faults-once");
    SimProcess sim(dir.Sim(args));
    ASSERT_FALSE(sim.device().empty());
    CliResult r = dir.Cli({"read", "--port", sim.device(), "--out", dir.File("a.dat"), "--retries", "1"});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(dir.File("a.dat")));
  }
}

TEST(VerifyEndToEnd, PortErrorIsPrintedOnceWithWhatToDo) {
  ProgramDir dir;
  CliResult r = dir.Cli({"write", "--port", "/dev/kavir-no-such-port", dir.File("KV16V.ini")});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(Count(r.err, "/dev/kavir-no-such-port"), 1u) << r.err;
  EXPECT_NE(r.err.find("kavir-cli ports"), std::string::npos) << r.err;
}

TEST(VerifyEndToEnd, WaitForTooLongIsNamedAndTheReadStillWorks) {
  ProgramDir dir;
  IniDocument kavir = ReadIniFile(dir.File("KAVIR.ini"));
  kavir.SetString("WaitFor", "Rx", "40000");
  ASSERT_TRUE(WriteIniFile(dir.File("KAVIR.ini"), kavir));
  SimProcess sim(dir.Sim({}));
  ASSERT_FALSE(sim.device().empty());
  CliResult r = dir.Cli({"read", "--port", sim.device(), "--out", dir.File("a.dat")});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Count(r.err, "Rx=40000"), 1u) << r.err;
}

TEST(VerifyEndToEnd, FloodingSimulatorEndsOnSigtermAndSigintWhenNobodyReads) {
  for (int sig : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(sig);
    ProgramDir dir;
    SimProcess sim(dir.Sim({"--flood", "100000"}));
    ASSERT_FALSE(sim.device().empty());
    int fd = open(sim.device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    const char handshake[6] = {'P', 'R', 'e', 'a', 'd', 0};
    ASSERT_EQ(write(fd, handshake, sizeof handshake), 6);
    usleep(300000);  // the simulator fills the line and waits for a reader
    EXPECT_TRUE(sim.StopWith(sig, 3000));
    close(fd);
  }
}

}  // namespace
}  // namespace kavir::test
