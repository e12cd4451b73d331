// kavir-cli read, write, restore and batch through the real serial stack,
// against kavir-radio-sim processes on pseudo-terminals.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "batch/sha256.h"
#include "run_program.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// A program folder with the shipped data; kavir-cli runs in it under a
// time-out, so a hang shows as exit code 124.
struct Folder : ShippedDir {
  TempDir scratch;
  std::string File(const std::string& name) const { return dir.File(name); }
  CliResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"60", KAVIR_CLI, "--dir", path()});
    return RunProgram("timeout", args, scratch.path());
  }
  // A radio holding a model file's settings; what it receives goes to save.
  std::vector<std::string> Sim(std::vector<std::string> extra, const std::string& model = "KV16V",
                               const std::string& save = "received.bin") const {
    std::vector<std::string> a{"--profile", files.ModelFile(model), "--dir", path(), "--save", File(save)};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  }
  std::vector<std::string> Backups(const std::string& kind) const {
    std::vector<std::string> out;
    if (fs::exists(File("backups")))
      for (const auto& e : fs::directory_iterator(File("backups")))
        if (e.path().filename().string().rfind(kind + "-", 0) == 0) out.push_back(e.path().string());
    return out;
  }
};

TEST(EndToEnd, ReadSavesTheRadiosSettingsAndAVerifiedWriteDeliversThemBack) {
  Folder f;
  // A wait the link will not use is named once, and the read still works.
  IniDocument kavir = ReadIniFile(f.files.kavir_ini);
  kavir.SetString("WaitFor", "Rx", "40000");
  ASSERT_TRUE(WriteIniFile(f.files.kavir_ini, kavir));
  SimProcess sim(f.Sim({}));
  ASSERT_FALSE(sim.device().empty());
  const std::string dat = f.File("radio.dat");
  const CliResult read = f.Cli({"read", "--port", sim.device(), "--out", dat});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  EXPECT_EQ(Count(read.err, "Rx=40000"), 1u) << read.err;
  const IniDocument model = ReadIniFile(f.files.ModelFile("KV16V")), got = ReadIniFile(dat);
  for (const char* key : {"Type", "CH01.RxFreq", "CH16.TxFreq", "TimerOut"})
    EXPECT_EQ(got.GetString("Previous", key, "", 20), model.GetString("Previous", key, "", 20)) << key;

  const CliResult write = f.Cli({"write", "--port", sim.device(), dat});
  ASSERT_EQ(write.exit_code, 0) << write.err;
  EXPECT_NE(write.err.find("正在校验第 48 个数据包"), std::string::npos) << write.err;
  EXPECT_NE(write.err.find("写入并校验完毕!"), std::string::npos) << write.err;
  ASSERT_EQ(ReadBytes(f.File("received.bin")).size(), 768u);
  // What the program kept as read and as sent is what the radio got.
  ASSERT_EQ(f.Backups("read").size(), 1u);
  ASSERT_EQ(f.Backups("write").size(), 1u);
  EXPECT_EQ(ReadBytes(f.Backups("write")[0]), ReadBytes(f.File("received.bin")));
  EXPECT_EQ(ReadBytes(f.Backups("read")[0]), ReadBytes(f.File("received.bin")));
}

TEST(EndToEnd, FaultsAtTheRadioGiveTheirExitCodeAndMessage) {
  struct Case {
    std::vector<std::string> sim;
    std::vector<std::string> cli;  // after --port
    int exit_code;
    std::vector<std::string> said;  // on stderr
    const char* file;               // made only on success
    std::size_t verify_backups;
  } cases[] = {
      {{"--hangup-at", "20"}, {"read", "--out", "a.dat"}, 1, {"第 20 个"}, "a.dat", 0},
      // What the radio still sent for the failed attempt is not taken for
      // the next handshake's answer.
      {{"--short-packet", "12", "--faults-once"}, {"read", "--out", "a.dat", "--retries", "1"}, 0, {"第 12 个"},
       "a.dat", 0},
      {{"--corrupt-store", "100"}, {"write", "KV16V.ini"}, 1, {"0x064", "CH07.Decode", "verify-read-", "write failed"},
       "", 1},
      {{"--corrupt-store", "100"}, {"write", "KV16V.ini", "--no-verify"}, 0, {"完毕!"}, "", 0},
      {{"--model", "2"}, {"write", "KV16V.ini"}, 1, {"--force"}, "received.bin", 0},
      {{"--model", "2"}, {"write", "KV16V.ini", "--force"}, 0, {}, "received.bin", 0},
  };
  for (const Case& c : cases) {
    Folder f;
    SimProcess sim(f.Sim(c.sim));
    ASSERT_FALSE(sim.device().empty());
    std::vector<std::string> args{c.cli[0], "--port", sim.device()};
    for (std::size_t i = 1; i < c.cli.size(); ++i)
      args.push_back(c.cli[i].find(".") != std::string::npos ? f.File(c.cli[i]) : c.cli[i]);
    const CliResult r = f.Cli(args);
    SCOPED_TRACE(c.sim[0] + " " + c.cli.back() + "\n" + r.err);
    EXPECT_EQ(r.exit_code, c.exit_code);
    for (const std::string& s : c.said) EXPECT_NE(r.err.find(s), std::string::npos) << s;
    if (*c.file) {
      EXPECT_EQ(fs::exists(f.File(c.file)), c.exit_code == 0);
    }
    EXPECT_EQ(f.Backups("verify-read").size(), c.verify_backups);
    EXPECT_EQ(f.Backups("verify-sent").size(), c.verify_backups);
  }
}

TEST(EndToEnd, ARestoredBackupSendsItsOwnBytesAndABadImageNothing) {
  Folder f;
  ASSERT_EQ(f.Cli({"encode", f.files.ModelFile("KV16V"), f.File("x.img")}).exit_code, 0);
  std::string image = ReadBytes(f.File("x.img"));
  ASSERT_EQ(image.size(), 768u);
  std::string bad = image;
  bad[0] = bad[1] = '\xFF';  // channel 1 far above the band
  bad[2] = static_cast<char>(bad[2] | 0x03);
  WriteBytes(f.File("bad.img"), bad);
  // A byte in the unused area that a write of the decoded screen would not send.
  image[0x150] = '\x5A';
  const std::string backup = f.File("read-KV16V-20261207-101500.bin");
  WriteBytes(backup, image);

  SimProcess sim(f.Sim({}, "KV16U"));
  ASSERT_FALSE(sim.device().empty());
  // The image names KV16U; the radio is a KV16V: refused as a profile of another model is.
  ASSERT_EQ(f.Cli({"encode", f.files.ModelFile("KV16U"), f.File("u.img")}).exit_code, 0);
  const CliResult other = f.Cli({"write", "--port", sim.device(), f.File("u.img")});
  EXPECT_EQ(other.exit_code, 1);
  EXPECT_NE(other.err.find("another model"), std::string::npos) << other.err;
  EXPECT_EQ(f.Cli({"write", "--port", sim.device(), f.File("x.img"), "--model", "2"}).exit_code, 2);
  EXPECT_EQ(f.Cli({"write", "--port", sim.device(), f.File("bad.img"), "--model", "1"}).exit_code, 1);
  EXPECT_FALSE(fs::exists(f.File("received.bin")));
  const CliResult r = f.Cli({"write", "--port", sim.device(), backup});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(ReadBytes(f.File("received.bin")), image);
}

// Three cables side by side; on the third, radios in turn, the first of
// another model.
TEST(EndToEnd, BatchWritesVerifiesAndLogsEachRadioAndSkipsAnotherModel) {
  Folder f;
  WriteBytes(f.File("blank.bin"), std::string(768, '\xFF'));
  auto blank = [&](const std::string& save, std::vector<std::string> extra) {
    std::vector<std::string> a{"--image", f.File("blank.bin"), "--save", f.File(save)};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  SimProcess a(blank("a.bin", {"--radios", "1"})), b(blank("b.bin", {"--radios", "1"}));
  SimProcess c(blank("c.bin", {"--models", "2,1", "--unplug-after", "200", "--plug-gap", "1500"}));
  ASSERT_FALSE(a.device().empty() || b.device().empty() || c.device().empty());
  ASSERT_EQ(f.Cli({"encode", f.files.ModelFile("KV16V"), f.File("setup.bin")}).exit_code, 0);
  const std::string image = ReadBytes(f.File("setup.bin"));
  const std::string sha = Sha256Hex(reinterpret_cast<const std::uint8_t*>(image.data()), image.size());

  const CliResult r = f.Cli({"batch", "--port", a.device() + "," + b.device() + "," + c.device(),
                             f.files.ModelFile("KV16V"), "--count", "1", "--log", f.File("log.csv")});
  EXPECT_EQ(r.exit_code, 1) << r.err;  // one radio was not written
  EXPECT_EQ(Count(r.out, "  written and verified  "), 3u) << r.out;
  EXPECT_EQ(Count(r.err, "connect the next radio"), 4u) << r.err;
  for (const char* save : {"a.bin", "b.bin", "c.bin"}) EXPECT_EQ(ReadBytes(f.File(save)), image) << save;
  const std::string log = ReadBytes(f.File("log.csv"));
  EXPECT_EQ(Count(log, "\n"), 5u) << log;
  EXPECT_EQ(Count(log, ",KV16V,written and verified," + sha + ","), 3u) << log;
  EXPECT_EQ(Count(log, "skipped: other model"), 1u) << log;
}

// kavir-cli with args in the folder; stderr goes to err.txt there.
pid_t StartCli(const Folder& f, std::vector<std::string> args) {
  args.insert(args.begin(), {KAVIR_CLI, "--dir", f.path()});
  const std::string err = f.File("err.txt");
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(KAVIR_CLI, argv.data());
    _exit(127);
  }
  return pid;
}

void WaitFor(const std::string& path, const std::string& text) {
  for (int i = 0; i < 600 && ReadBytes(path).find(text) == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// Ctrl+C, SIGTERM and SIGHUP finish the radio in progress, log it and end;
// stopped before --count is an exit code of its own.
TEST(EndToEnd, SignalsEndABatchAfterTheRadioInProgressWithACompleteLog) {
  const struct { int sig; const char* count; const char* when; int exit_code; } cases[] = {
      {SIGINT, "0", "written and verified", 0},  // between radios, without --count: done
      {SIGTERM, "3", "answered", 3},              // in the middle of the first radio
      {SIGHUP, "3", "written and verified", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sig);
    Folder f;
    SimProcess sim(f.Sim({"--radios", "3", "--unplug-after", "200", "--plug-gap", "5000"}));
    ASSERT_FALSE(sim.device().empty());
    std::vector<std::string> args{"batch", "--port", sim.device(), f.files.ModelFile("KV16V"), "--log", f.File("log.csv")};
    if (std::string(c.count) != "0") args.insert(args.end(), {"--count", c.count});
    const pid_t pid = StartCli(f, args);
    WaitFor(c.when == std::string("answered") ? f.File("err.txt") : f.File("log.csv"), c.when);
    kill(pid, c.sig);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << ReadBytes(f.File("err.txt"));
    EXPECT_EQ(WEXITSTATUS(status), c.exit_code);
    const std::string log = ReadBytes(f.File("log.csv"));
    EXPECT_EQ(Count(log, "\n"), 2u) << log;
    EXPECT_EQ(Count(log, "written and verified"), 1u) << log;
  }
}

// A closed output pipe is no reason to stop writing radios.
TEST(EndToEnd, ABatchWhoseOutputNobodyReadsGoesOn) {
  Folder f;
  SimProcess sim(f.Sim({"--radios", "1"}));
  ASSERT_FALSE(sim.device().empty());
  const std::string command = "set -o pipefail; '" + std::string(KAVIR_CLI) + "' --dir '" + f.path() +
                              "' batch --port '" + sim.device() + "' '" + f.files.ModelFile("KV16V") +
                              "' --count 1 --log '" + f.File("log.csv") + "' | true";
  const CliResult r = RunProgram("bash", {"-c", command}, f.scratch.path());
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Count(ReadBytes(f.File("log.csv")), "written and verified"), 1u);
}

// A write stopped once finishes its packets and says so; stopped twice it
// ends at once and says what the radio may now hold. The stops come while
// the write waits for packet 30's acknowledgement, which the radio gives
// only when asked again.
TEST(EndToEnd, AWriteStoppedOnceFinishesAndTwiceSaysTheRadioMayHoldAMix) {
  for (int stops : {1, 2}) {
    SCOPED_TRACE(stops);
    Folder f;
    IniDocument kavir = ReadIniFile(f.files.kavir_ini);
    kavir.SetString("WaitFor", "Tx", "500");
    ASSERT_TRUE(WriteIniFile(f.files.kavir_ini, kavir));
    SimProcess sim(f.Sim({"--silent-from", "30", "--faults-once"}));
    ASSERT_FALSE(sim.device().empty());
    const pid_t pid = StartCli(f, {"write", "--port", sim.device(), f.files.ModelFile("KV16V"), "--retries", "1"});
    WaitFor(f.File("err.txt"), "正在传输第 30 个数据包");
    kill(pid, SIGINT);
    if (stops == 2) {
      WaitFor(f.File("err.txt"), "finishing the write");
      kill(pid, SIGINT);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string err = ReadBytes(f.File("err.txt"));
    ASSERT_TRUE(WIFEXITED(status)) << err;
    EXPECT_EQ(WEXITSTATUS(status), stops == 1 ? 0 : 1) << err;
    EXPECT_NE(err.find("finishing the write"), std::string::npos) << err;
    EXPECT_EQ(err.find("stopped after the write was finished") != std::string::npos, stops == 1) << err;
    EXPECT_EQ(err.find("write failed: 写入已取消：电台只收下了 29 / 48 个数据包。 电台中可能是新旧设置的混合") !=
                  std::string::npos,
              stops == 2) << err;
  }
}

TEST(EndToEnd, FloodingSimulatorEndsOnSigtermAndSigintWhenNobodyReads) {
  for (int sig : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(sig);
    Folder f;
    SimProcess sim(f.Sim({"--flood", "100000"}));
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
