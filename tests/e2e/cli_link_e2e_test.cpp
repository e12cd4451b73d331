// kavir-cli read and write through the real serial stack, against
// kavir-radio-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "sim_process.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  Folder() {
    dir_ = fs::temp_directory_path() / ("kavir-e2e-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    for (const auto& e : fs::directory_iterator(KAVIR_TEST_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), dir_ / e.path().filename());
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string operator/(const std::string& name) const { return (dir_ / name).string(); }
  std::string path() const { return dir_.string(); }

 private:
  fs::path dir_;
};

struct CliRun {
  int code = -1;
  std::string err;
};

// kavir-cli with a time limit; stderr captured.
CliRun Cli(const Folder& f, const std::string& args) {
  std::string err_file = f / "stderr.txt";
  std::string cmd = "timeout 60 '" + std::string(KAVIR_CLI) + "' --dir '" + f.path() + "' " + args +
                    " 2>'" + err_file + "' </dev/null";
  CliRun r;
  int status = std::system(cmd.c_str());
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(err_file);
  r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return r;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<fs::path> Backups(const Folder& f, const std::string& kind) {
  std::vector<fs::path> out;
  fs::path dir = fs::path(f.path()) / "backups";
  if (fs::exists(dir))
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind(kind + "-", 0) == 0) out.push_back(e.path());
  return out;
}

std::vector<std::string> SimArgs(const Folder& f, std::vector<std::string> extra = {}) {
  std::vector<std::string> a{"--profile", f / "KV16V.ini", "--dir", f.path(), "--save",
                             f / "received.bin"};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

TEST(CliLinkEndToEnd, ReadSavesTheRadiosSettingsAndWriteDeliversThemBack) {
  Folder f;
  SimProcess sim(SimArgs(f));
  ASSERT_FALSE(sim.device().empty());

  CliRun read = Cli(f, "read --port " + sim.device() + " --out '" + (f / "radio.dat") + "'");
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_NE(read.err.find("完毕!"), std::string::npos);
  IniDocument model = ReadIniFile(f / "KV16V.ini");
  IniDocument got = ReadIniFile(f / "radio.dat");
  EXPECT_EQ(got.GetString("Previous", "Type", "", 20), "KV16V");
  for (int n = 1; n <= 16; ++n) {
    char key[32];
    std::snprintf(key, sizeof key, "CH%02d.RxFreq", n);
    EXPECT_EQ(got.GetString("Previous", key, "", 20), model.GetString("Previous", key, "", 20)) << key;
    std::snprintf(key, sizeof key, "CH%02d.TxFreq", n);
    EXPECT_EQ(got.GetString("Previous", key, "", 20), model.GetString("Previous", key, "", 20)) << key;
  }
  auto read_backups = Backups(f, "read");
  ASSERT_EQ(read_backups.size(), 1u);

  CliRun write = Cli(f, "write --port " + sim.device() + " '" + (f / "radio.dat") + "'");
  ASSERT_EQ(write.code, 0) << write.err;
  std::string received = Bytes(f / "received.bin");
  ASSERT_EQ(received.size(), 768u);
  // What the program kept as sent is what the radio got, and a read of the
  // radio gave the same image before.
  auto write_backups = Backups(f, "write");
  ASSERT_EQ(write_backups.size(), 1u);
  EXPECT_EQ(Bytes(write_backups[0].string()), received);
  EXPECT_EQ(Bytes(read_backups[0].string()), received);
}

TEST(CliLinkEndToEnd, SilentRadioEndsTheReadWithExitOneAndAClearMessage) {
  Folder f;
  SimProcess sim(SimArgs(f, {"--silent-from", "0"}));
  ASSERT_FALSE(sim.device().empty());
  CliRun read = Cli(f, "read --port " + sim.device() + " --out '" + (f / "radio.dat") + "' --retries 1");
  EXPECT_EQ(read.code, 1);
  EXPECT_NE(read.err.find("握手"), std::string::npos);
  EXPECT_NE(read.err.find("retrying"), std::string::npos);
  EXPECT_FALSE(fs::exists(f / "radio.dat"));
}

TEST(CliLinkEndToEnd, RetryGetsPastAFaultInTheFirstSession) {
  Folder f;
  SimProcess sim(SimArgs(f, {"--wrong-address", "20", "--faults-once"}));
  ASSERT_FALSE(sim.device().empty());
  CliRun no_retry = Cli(f, "read --port " + sim.device() + " --out '" + (f / "a.dat") + "'");
  EXPECT_EQ(no_retry.code, 1);
  EXPECT_NE(no_retry.err.find("第 20 个"), std::string::npos);
  CliRun read = Cli(f, "read --port " + sim.device() + " --out '" + (f / "b.dat") + "' --retries 1");
  EXPECT_EQ(read.code, 0) << read.err;
}

TEST(CliLinkEndToEnd, OtherModelIsWrittenOnlyWithForce) {
  Folder f;
  SimProcess sim(SimArgs(f, {"--model", "2"}));
  ASSERT_FALSE(sim.device().empty());
  CliRun refused = Cli(f, "write --port " + sim.device() + " '" + (f / "KV16V.ini") + "'");
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("--force"), std::string::npos);
  EXPECT_FALSE(fs::exists(f / "received.bin"));
  CliRun forced = Cli(f, "write --port " + sim.device() + " '" + (f / "KV16V.ini") + "' --force");
  EXPECT_EQ(forced.code, 0) << forced.err;
  EXPECT_EQ(Bytes(f / "received.bin").size(), 768u);
}

TEST(CliLinkEndToEnd, RadioHangingUpMidTransferEndsTheReadWithExitOne) {
  Folder f;
  SimProcess sim(SimArgs(f, {"--hangup-at", "10"}));
  ASSERT_FALSE(sim.device().empty());
  CliRun read = Cli(f, "read --port " + sim.device() + " --out '" + (f / "radio.dat") + "' --retries 1");
  EXPECT_EQ(read.code, 1) << read.err;
  EXPECT_FALSE(fs::exists(f / "radio.dat"));
  EXPECT_TRUE(Backups(f, "read").empty());
}

TEST(CliLinkEndToEnd, BabblingRadioEndsTheReadWithExitOne) {
  Folder f;
  SimProcess sim(SimArgs(f, {"--flood", "5000"}));
  ASSERT_FALSE(sim.device().empty());
  CliRun read = Cli(f, "read --port " + sim.device() + " --out '" + (f / "radio.dat") + "'");
  EXPECT_EQ(read.code, 1) << read.err;
  EXPECT_NE(read.err.find("握手"), std::string::npos);
}

TEST(CliLinkEndToEnd, MissingDeviceAndBadUsageAreReported) {
  Folder f;
  CliRun missing = Cli(f, "read --port /dev/kavir-no-such-port --out '" + (f / "x.dat") + "'");
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("/dev/kavir-no-such-port"), std::string::npos);
  EXPECT_EQ(Cli(f, "read --out x.dat").code, 2);
  EXPECT_EQ(Cli(f, "read --port 1 --out x.dat --retries many").code, 2);
  EXPECT_EQ(Cli(f, "write --port 1 '" + (f / "no-such.dat") + "'").code, 2);
}

}  // namespace
}  // namespace kavir::test
