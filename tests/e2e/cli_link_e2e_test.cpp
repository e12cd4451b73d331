// kavir-cli read and write through the real serial stack, against
// kavir-radio-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include "process.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class CliLinkEndToEnd : public ::testing::Test {
 protected:
  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", d.path()});
    args.insert(args.begin(), {"60", KAVIR_CLI});
    return RunProgram("timeout", args, scratch.path());
  }
  std::vector<std::string> SimArgs(std::vector<std::string> extra = {}) {
    std::vector<std::string> a{"--profile", d.files.ModelFile("KV16V"), "--dir", d.path(), "--save", Received()};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  }
  std::string Received() const { return d.dir.File("received.bin"); }
  std::vector<std::string> Backups(const std::string& kind) const {
    std::vector<std::string> out;
    const fs::path dir = fs::path(d.path()) / "backups";
    if (fs::exists(dir))
      for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename().string().rfind(kind + "-", 0) == 0) out.push_back(e.path().string());
    return out;
  }
  ShippedDir d;
  TempDir scratch;
};

TEST_F(CliLinkEndToEnd, ReadSavesTheRadiosSettingsAndWriteDeliversThemBack) {
  SimProcess sim(SimArgs());
  ASSERT_FALSE(sim.device().empty());
  const std::string dat = d.dir.File("radio.dat");
  const CliResult read = Cli({"read", "--port", sim.device(), "--out", dat});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  EXPECT_NE(read.err.find("完毕!"), std::string::npos);
  const IniDocument model = ReadIniFile(d.files.ModelFile("KV16V")), got = ReadIniFile(dat);
  for (const char* key : {"Type", "CH01.RxFreq", "CH16.TxFreq", "TimerOut"})
    EXPECT_EQ(got.GetString("Previous", key, "", 20), model.GetString("Previous", key, "", 20)) << key;
  const CliResult write = Cli({"write", "--port", sim.device(), dat});
  ASSERT_EQ(write.exit_code, 0) << write.err;
  ASSERT_EQ(ReadBytes(Received()).size(), 768u);
  // What the program kept as read and as sent is what the radio got.
  ASSERT_EQ(Backups("read").size(), 1u);
  ASSERT_EQ(Backups("write").size(), 1u);
  EXPECT_EQ(ReadBytes(Backups("write")[0]), ReadBytes(Received()));
  EXPECT_EQ(ReadBytes(Backups("read")[0]), ReadBytes(Received()));
}

TEST_F(CliLinkEndToEnd, SilentRadioEndsTheReadWithExitOneAndAClearMessage) {
  SimProcess sim(SimArgs({"--silent-from", "0"}));
  ASSERT_FALSE(sim.device().empty());
  const CliResult r = Cli({"read", "--port", sim.device(), "--out", d.dir.File("radio.dat"), "--retries", "1"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("握手"), std::string::npos);
  EXPECT_NE(r.err.find("retrying"), std::string::npos);
  EXPECT_FALSE(fs::exists(d.dir.File("radio.dat")));
  const CliResult missing = Cli({"read", "--port", "/dev/kavir-no-such-port", "--out", d.dir.File("x.dat")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("/dev/kavir-no-such-port"), std::string::npos);
}

TEST_F(CliLinkEndToEnd, RetryGetsPastAFaultInTheFirstSession) {
  SimProcess sim(SimArgs({"--wrong-address", "20", "--faults-once"}));
  ASSERT_FALSE(sim.device().empty());
  const CliResult no_retry = Cli({"read", "--port", sim.device(), "--out", d.dir.File("a.dat")});
  EXPECT_EQ(no_retry.exit_code, 1);
  EXPECT_NE(no_retry.err.find("第 20 个"), std::string::npos);
  const CliResult retry = Cli({"read", "--port", sim.device(), "--out", d.dir.File("b.dat"), "--retries", "1"});
  EXPECT_EQ(retry.exit_code, 0) << retry.err;
}

TEST_F(CliLinkEndToEnd, OtherModelIsWrittenOnlyWithForce) {
  SimProcess sim(SimArgs({"--model", "2"}));
  ASSERT_FALSE(sim.device().empty());
  const CliResult refused = Cli({"write", "--port", sim.device(), d.files.ModelFile("KV16V")});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("--force"), std::string::npos);
  EXPECT_FALSE(fs::exists(Received()));
  const CliResult forced = Cli({"write", "--port", sim.device(), d.files.ModelFile("KV16V"), "--force"});
  EXPECT_EQ(forced.exit_code, 0) << forced.err;
  EXPECT_EQ(ReadBytes(Received()).size(), 768u);
}

}  // namespace
}  // namespace kavir::test
