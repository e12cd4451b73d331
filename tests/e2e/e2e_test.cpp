// kavir-cli read, write, restore and batch through the real serial stack,
// against kavir-radio-sim processes on pseudo-terminals.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

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

TEST(EndToEnd, WhatIsReadWritesBackVerifiedWithItsBackups) {
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
  // What the radio held before the write was read and kept first, and named.
  const auto before = f.Backups("before-write");
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(ReadBytes(before[0]), ReadBytes(f.Backups("read")[0]));
  EXPECT_NE(write.out.find(before[0]), std::string::npos) << write.out;
  // --no-backup: for new radios, nothing is read first.
  ASSERT_EQ(f.Cli({"write", "--port", sim.device(), dat, "--no-backup"}).exit_code, 0);
  EXPECT_EQ(f.Backups("before-write").size(), 1u);
}

// A write lists what it changes first; a dry run stops there, with no
// write session at the radio and Write.ini as it was.
TEST(EndToEnd, AWriteListsItsChangesFirstWhereADryRunStops) {
  Folder f;
  SimProcess sim(f.Sim({}));
  ASSERT_FALSE(sim.device().empty());
  IniDocument changed = ReadIniFile(f.files.ModelFile("KV16V"));
  const std::string old_rx = changed.GetString("Previous", "CH05.RxFreq", "", 20);
  changed.SetString("Previous", "CH05.RxFreq", "146.11250");
  ASSERT_TRUE(WriteIniFile(f.File("a.dat"), changed));
  const std::string line = "CH05 接收频率: " + old_rx + " → 146.11250";
  ASSERT_NE(old_rx, "146.11250");

  EXPECT_EQ(f.Cli({"write", "--port", sim.device(), "--dry-run", "--no-backup", f.File("a.dat")}).exit_code, 2);
  const CliResult dry = f.Cli({"write", "--port", sim.device(), "--dry-run", f.File("a.dat")});
  EXPECT_EQ(dry.exit_code, 1) << dry.err;
  EXPECT_NE(dry.out.find("信道设置:\n  " + line + "\n1 项不同\n"), std::string::npos) << dry.out;
  EXPECT_FALSE(fs::exists(f.File("received.bin")));
  EXPECT_FALSE(fs::exists(f.files.write_ini));
  const CliResult same = f.Cli({"write", "--port", sim.device(), "--dry-run", f.files.ModelFile("KV16V")});
  EXPECT_EQ(same.exit_code, 0) << same.err;
  EXPECT_NE(same.out.find("没有不同"), std::string::npos) << same.out;

  const CliResult write = f.Cli({"write", "--port", sim.device(), f.File("a.dat")});
  ASSERT_EQ(write.exit_code, 0) << write.err;
  EXPECT_NE(write.out.find(line), std::string::npos) << write.out;
  EXPECT_EQ(ReadBytes(f.File("received.bin")).size(), 768u);
  EXPECT_EQ(f.Cli({"write", "--port", sim.device(), "--dry-run", f.File("a.dat")}).exit_code, 0);
}

// The plan check's errors refuse a write or a batch before anything is read
// or sent, with the licence given or the one chosen for the profile; --force
// writes.
TEST(EndToEnd, PlanErrorsRefuseAWriteUnlessForced) {
  Folder f;
  SimProcess sim(f.Sim({}));
  ASSERT_FALSE(sim.device().empty());
  const std::string dat = f.File("a.dat"), licence = f.File("licence.csv");
  ASSERT_TRUE(fs::copy_file(f.files.ModelFile("KV16V"), dat));
  // None of the profile's transmit frequencies is licensed.
  WriteBytes(licence, "Frequency,MaxPower,Bandwidth,TX\n160.00625,high,wide,yes\n");

  const CliResult given = f.Cli({"write", "--port", sim.device(), dat, "--licence", licence});
  EXPECT_EQ(given.exit_code, 1);
  EXPECT_NE(given.out.find("错误 [许可证] CH01"), std::string::npos) << given.out;
  EXPECT_NE(given.err.find("--force writes anyway"), std::string::npos) << given.err;
  IniDocument kavir = ReadIniFile(f.files.kavir_ini);
  kavir.SetString("Licence", dat, licence);
  ASSERT_TRUE(WriteIniFile(f.files.kavir_ini, kavir));
  const CliResult remembered = f.Cli({"write", "--port", sim.device(), dat});
  EXPECT_EQ(remembered.exit_code, 1);
  EXPECT_EQ(remembered.out, given.out);
  // A batch is refused the same way, before its log is begun.
  const CliResult batch = f.Cli({"batch", "--port", sim.device(), dat, "--count", "1", "--log", f.File("b.csv")});
  EXPECT_EQ(batch.exit_code, 1);
  EXPECT_EQ(batch.out, given.out);
  EXPECT_FALSE(fs::exists(f.File("b.csv")));
  EXPECT_FALSE(fs::exists(f.File("received.bin")));
  EXPECT_TRUE(f.Backups("before-write").empty());

  const CliResult forced = f.Cli({"write", "--port", sim.device(), dat, "--force"});
  EXPECT_EQ(forced.exit_code, 0) << forced.err;
  EXPECT_EQ(ReadBytes(f.File("received.bin")).size(), 768u);
}

TEST(EndToEnd, FaultsAtTheRadioGiveTheirOwnExitCodeWithTheirMessage) {
  struct Case {
    std::vector<std::string> sim;
    std::vector<std::string> cli;  // after --port
    int exit_code;
    std::vector<std::string> said;  // on stderr
    const char* file;               // made only on success
    std::size_t verify_backups;
  } cases[] = {
      // The pulled line is named at once, before the packet it stopped at
      // (why it does not open again depends on how soon the system drops it).
      {{"--hangup-at", "20"}, {"read", "--out", "a.dat"}, 1, {"串口在传输中断开了", "第 20 个"}, "a.dat", 0},
      // What the radio still sent for the failed attempt is not taken for
      // the next handshake's answer.
      {{"--short-packet", "12", "--faults-once"},
       {"read", "--out", "a.dat", "--retries", "1"},
       0,
       {"第 12 个"},
       "a.dat",
       0},
      {{"--corrupt-store", "100"},
       {"write", "KV16V.ini"},
       1,
       {"0x064", "CH07 接收信令", "verify-read-", "write failed"},
       "",
       1},
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

// The shipped KV16V as an image, in x.img.
std::string KV16VImage(Folder& f) {
  EXPECT_EQ(f.Cli({"encode", f.files.ModelFile("KV16V"), f.File("x.img")}).exit_code, 0);
  return ReadBytes(f.File("x.img"));
}

TEST(EndToEnd, AnImageTheRadioCannotTakeSendsNothing) {
  Folder f;
  const std::string image = KV16VImage(f);
  ASSERT_EQ(image.size(), 768u);
  std::string bad = image;
  bad[0] = bad[1] = '\xFF';  // channel 1 far above the band
  bad[2] = static_cast<char>(bad[2] | 0x03);
  WriteBytes(f.File("bad.img"), bad);

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
}

TEST(EndToEnd, ARestoredBackupSendsItsOwnBytes) {
  Folder f;
  std::string image = KV16VImage(f);
  ASSERT_EQ(image.size(), 768u);
  // A byte in the unused area that a write of the decoded screen would not send.
  image[0x150] = '\x5A';
  const std::string backup = f.File("read-KV16V-20261207-101500.bin");
  WriteBytes(backup, image);

  SimProcess sim(f.Sim({}, "KV16U"));
  ASSERT_FALSE(sim.device().empty());
  const CliResult r = f.Cli({"write", "--port", sim.device(), backup});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(ReadBytes(f.File("received.bin")), image);
}

// Three cables side by side; on the third, radios in turn, the first of
// another model.
TEST(EndToEnd, ABatchOnThreeCablesWritesEveryRadioOfItsModel) {
  Folder f;
  WriteBytes(f.File("blank.bin"), std::string(768, '\xFF'));
  auto blank = [&](const std::string& save, std::vector<std::string> extra) {
    std::vector<std::string> a{"--image", f.File("blank.bin"), "--save", f.File(save)};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  SimProcess a(blank("a.bin", {"--radios", "1"})), b(blank("b.bin", {"--radios", "1"}));
  SimProcess c(blank("c.bin", {"--models", "2,1", "--unplug-after", "200", "--plug-gap", "1500"}));
  ASSERT_FALSE(a.device().empty());
  ASSERT_FALSE(b.device().empty());
  ASSERT_FALSE(c.device().empty());
  ASSERT_EQ(f.Cli({"encode", f.files.ModelFile("KV16V"), f.File("setup.bin")}).exit_code, 0);
  const std::string image = ReadBytes(f.File("setup.bin"));
  const std::string sha = Sha256Hex(reinterpret_cast<const std::uint8_t*>(image.data()), image.size());

  // Without the read first: the virtual radios unplug themselves after 200 ms
  // without data, and keeping the radio's image may take that long on a busy disk.
  const CliResult r = f.Cli({"batch", "--port", a.device() + "," + b.device() + "," + c.device(),
                             f.files.ModelFile("KV16V"), "--count", "1", "--log", f.File("log.csv"), "--no-backup"});
  EXPECT_EQ(r.exit_code, 1) << r.err;  // one radio was not written
  EXPECT_EQ(Count(r.out, "  written and verified  "), 3u) << r.out;
  EXPECT_EQ(Count(r.err, "connect the next radio"), 4u) << r.err;
  for (const char* save : {"a.bin", "b.bin", "c.bin"}) EXPECT_EQ(ReadBytes(f.File(save)), image) << save;
  const std::string log = ReadBytes(f.File("log.csv"));
  EXPECT_EQ(Count(log, "\n"), 5u) << log;
  EXPECT_EQ(Count(log, ",KV16V,written and verified," + sha + ","), 3u) << log;
  EXPECT_EQ(Count(log, "skipped: other model"), 1u) << log;
}

// One device named twice is refused before anything starts: no log, no
// radio written; a line break in a port's name stays inside its message.
TEST(EndToEnd, ABatchRefusesOneDeviceNamedTwice) {
  Folder f;
  SimProcess sim(f.Sim({}));
  ASSERT_FALSE(sim.device().empty());
  fs::create_symlink(sim.device(), f.File("cable"));
  const CliResult r = f.Cli({"batch", "--port", sim.device() + "," + f.File("cable"), f.files.ModelFile("KV16V"),
                             "--log", f.File("log.csv")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find(sim.device() + " and " + f.File("cable") + " are the same device"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(f.File("log.csv")));
  EXPECT_FALSE(fs::exists(f.File("received.bin")));
  const CliResult broken =
      f.Cli({"batch", "--port", "/dev/no\nsuch", f.files.ModelFile("KV16V"), "--log", f.File("b.csv")});
  EXPECT_EQ(broken.exit_code, 1);
  for (const std::string& line : broken.ErrLines())
    EXPECT_TRUE(line.rfind("kavir-cli: ", 0) == 0 || line.rfind("\"/dev/no\\nsuch\": ", 0) == 0) << line;
  EXPECT_NE(broken.out.find("error: \"/dev/no\\nsuch\": 串口 \"/dev/no\\nsuch\" 不存在。"), std::string::npos)
      << broken.out;
}

// Ctrl+C, SIGTERM and SIGHUP let the radio in progress finish: a batch logs
// it and ends (before --count: exit 3), a write finishes and says so; a
// second stop ends a write at once (a batch logs the radio it leaves and
// exits as for the signal). A closed output pipe stops nothing. The
// write's stops come while it waits for packet 30's acknowledgement, which
// the radio gives only when asked again.
TEST(EndToEnd, StopsLetTheRadioInProgressFinishFirst) {
  const std::vector<std::string> radios{"--radios", "3", "--unplug-after", "200", "--plug-gap", "5000"};
  const std::vector<std::string> slow{"--silent-from", "30", "--faults-once"};
  const struct {
    std::vector<std::string> sim;
    std::string run;
    int exit_code;
    const char* says;
  } cases[] = {
      {radios, "batch $M & p=$!; waitfor log.csv verified; kill -INT $p; wait $p", 0, "written and verified,"},
      {radios, "batch $M --count 3 & p=$!; waitfor err.txt answered; kill -TERM $p; wait $p", 3,
       "written and verified,"},
      {radios, "batch $M --count 3 & p=$!; waitfor log.csv verified; kill -HUP $p; wait $p", 3,
       "written and verified,"},
      {radios, "set -o pipefail; batch $M --count 1 | true", 0, "written and verified,"},
      {slow, "write $M --retries 1 & p=$!; waitfor err.txt '传输第 30 个'; kill -INT $p; wait $p", 0,
       "stopped after the write was finished"},
      {slow,
       "write $M & p=$!; waitfor err.txt '传输第 30 个'; kill -INT $p; waitfor err.txt finishing; kill -INT $p; wait "
       "$p",
       1, "write failed: 写入已取消：电台只收下了 29 / 48 个数据包。 电台中可能是新旧设置的混合"},
      // Stopped at once, the radio being written is logged with what it took.
      // (Faults in every session: a batch's poll is a session of its own.)
      {{"--silent-from", "30"},
       "batch $M & p=$!; waitfor err.txt answered; kill -INT $p; waitfor err.txt 'stopping after'; kill -INT $p; wait "
       "$p",
       130,
       "failed: stopped at once: 写入已取消"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.run);
    Folder f;
    IniDocument kavir = ReadIniFile(f.files.kavir_ini);
    kavir.SetString("WaitFor", "Tx", "500");
    ASSERT_TRUE(WriteIniFile(f.files.kavir_ini, kavir));
    SimProcess sim(f.Sim(c.sim));
    ASSERT_FALSE(sim.device().empty());
    const bool batch = c.run.find("batch") != std::string::npos;
    WriteBytes(f.File("run.sh"),
               "set -m; cd '" + f.path() + "'; M='" + f.files.ModelFile("KV16V") + "'\n" +
                   "waitfor() { for i in $(seq 600); do grep -qs \"$2\" $1 && return; sleep 0.05; done; }\n" +
                   (batch ? "batch() { exec '" : "write() { exec '") + KAVIR_CLI + "' --dir . " +
                   (batch ? "batch" : "write") + " --port " + sim.device() +
                   (batch ? " --no-backup \"$@\" --log log.csv" : " --no-backup \"$@\"") + " 2>>err.txt; }\n" + c.run +
                   "\n");
    const CliResult r = RunProgram("bash", {f.File("run.sh")}, f.scratch.path());
    const std::string said = ReadBytes(f.File(batch ? "log.csv" : "err.txt"));
    EXPECT_EQ(r.exit_code, c.exit_code) << r.err << ReadBytes(f.File("err.txt"));
    EXPECT_EQ(Count(said, c.says), 1u) << said;
    if (!batch) {
      EXPECT_NE(said.find("finishing the write"), std::string::npos) << said;
    }
  }
}

// A stop while the radio is read for its backup, before the write's first
// packet: nothing is written (the radio logs no write session), the stop is
// said, and the exit status is the stop's.
TEST(EndToEnd, AStopBeforeTheFirstPacketLeavesTheRadioAsItWas) {
  for (const auto& [sig, name] : {std::pair{SIGINT, "INT"}, std::pair{SIGTERM, "TERM"}}) {
    SCOPED_TRACE(name);
    Folder f;
    IniDocument kavir = ReadIniFile(f.files.kavir_ini);
    kavir.SetString("WaitFor", "Shk", "1000");
    kavir.SetString("WaitFor", "Rx", "1000");
    ASSERT_TRUE(WriteIniFile(f.files.kavir_ini, kavir));
    // The read before the write waits seconds for packet 5, which the radio
    // sends only when asked again.
    SimProcess sim(f.Sim({"--silent-from", "5", "--faults-once", "--log", f.File("radio.log")}));
    ASSERT_FALSE(sim.device().empty());
    WriteBytes(f.File("run.sh"),
               "set -m; cd '" + f.path() + "'\n" +
                   "waitfor() { for i in $(seq 600); do grep -qs \"$2\" $1 && return; sleep 0.05; done; }\n'" +
                   KAVIR_CLI + "' --dir . write --port " + sim.device() + " '" + f.files.ModelFile("KV16V") +
                   "' 2>>err.txt & p=$!\n" + "waitfor err.txt '写入前读出电台原有数据: 第 05 个'; kill -" + name +
                   " $p; wait $p\n");
    const CliResult r = RunProgram("bash", {f.File("run.sh")}, f.scratch.path());
    const std::string said = ReadBytes(f.File("err.txt"));
    EXPECT_EQ(r.exit_code, 128 + sig) << said;
    EXPECT_EQ(said.find("finishing the write"), std::string::npos) << said;
    EXPECT_EQ(CliResult::Lines(said).back(),
              "kavir-cli: stopped before the write: 写入已取消：电台没有收下任何数据包，其中的设置没有改变。");
    EXPECT_EQ(ReadBytes(f.File("radio.log")).find("write"), std::string::npos);
    EXPECT_FALSE(fs::exists(f.File("received.bin")));
  }
}

// A failed read ends on what went wrong, not on the question it asked.
TEST(EndToEnd, AFailedReadEndsOnItsCauseNotItsQuestion) {
  const struct {
    const char* lang;
    const char* last;
  } cases[] = {{"zh", "kavir-cli: read failed: 接收第 05 个数据包时发生通讯错误/超时连接"},
               {"en", "kavir-cli: read failed: No answer or a wrong answer receiving packet 05."}};
  for (const auto& c : cases) {
    Folder f;
    SimProcess sim(f.Sim({"--silent-from", "5"}));
    ASSERT_FALSE(sim.device().empty());
    const CliResult r = f.Cli({"--lang", c.lang, "read", "--port", sim.device(), "--out", f.File("a.dat")});
    EXPECT_EQ(r.exit_code, 1);
    ASSERT_FALSE(r.ErrLines().empty());
    EXPECT_EQ(r.ErrLines().back(), c.last) << r.err;
    EXPECT_FALSE(fs::exists(f.File("a.dat")));
  }
}

TEST(EndToEnd, AFloodingSimulatorEndsOnAStopSignalWhenNobodyReads) {
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
