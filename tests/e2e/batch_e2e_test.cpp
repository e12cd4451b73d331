// kavir-cli batch through the real serial stack, against kavir-radio-sim
// processes on pseudo-terminals: several cables side by side, radios in turn
// on one cable, and Ctrl+C between radios.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <thread>

#include "batch/sha256.h"
#include "sim_process.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// What a radio written and checked shows in the log, and the flag that asks for it.
const std::string kGood = "written and verified";
const std::string kVerifyFlag = "";

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct BatchFolder {
  fs::path dir = fs::temp_directory_path() / ("kavir-batch-e2e-" + std::to_string(std::random_device{}()));
  BatchFolder() {
    fs::create_directories(dir);
    for (const auto& e : fs::directory_iterator(KAVIR_TEST_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
    std::ofstream(dir / "blank.bin", std::ios::binary) << std::string(768, '\xFF');
  }
  ~BatchFolder() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string operator/(const std::string& name) const { return (dir / name).string(); }

  // A blank radio on its own pty; what it receives goes to save.
  std::vector<std::string> Sim(const std::string& save, std::vector<std::string> extra) const {
    std::vector<std::string> a{"--image", *this / "blank.bin", "--save", *this / save};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  }
  std::string Cli(const std::string& args) const {
    return "'" + std::string(KAVIR_CLI) + "' --dir '" + dir.string() + "' " + args;
  }
};

struct CliResult {
  int code = -1;
  std::string out, err;
};

CliResult RunCli(const BatchFolder& f, const std::string& args) {
  const std::string cmd = "timeout 60 " + f.Cli(args) + " >'" + (f / "out.txt") + "' 2>'" +
                          (f / "err.txt") + "' </dev/null";
  CliResult r;
  const int status = std::system(cmd.c_str());
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Bytes(f / "out.txt");
  r.err = Bytes(f / "err.txt");
  return r;
}

TEST(BatchEndToEnd, ThreeCablesSideBySideEachRadioWrittenVerifiedAndLogged) {
  BatchFolder f;
  SimProcess a(f.Sim("a.bin", {"--radios", "1"}));
  SimProcess b(f.Sim("b.bin", {"--radios", "1"}));
  SimProcess c(f.Sim("c.bin", {"--radios", "1"}));
  ASSERT_FALSE(a.device().empty() || b.device().empty() || c.device().empty());
  ASSERT_EQ(std::system((f.Cli("encode '" + (f / "KV16V.ini") + "' '" + (f / "setup.bin") + "'")).c_str()), 0);
  const std::string image = Bytes(f / "setup.bin");
  ASSERT_EQ(image.size(), 768u);

  const CliResult r = RunCli(f, "batch --port " + a.device() + "," + b.device() + "," + c.device() + " '" +
                              (f / "KV16V.ini") + "' --count 1 --log '" + (f / "log.csv") + "'" + kVerifyFlag);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Count(r.out, "  " + kGood + "  "), 3u) << r.out;
  EXPECT_EQ(Count(r.err, "connect the next radio"), 3u) << r.err;
  for (const char* save : {"a.bin", "b.bin", "c.bin"}) EXPECT_EQ(Bytes(f / save), image) << save;

  const auto log = Lines(Bytes(f / "log.csv"));
  ASSERT_EQ(log.size(), 4u);
  const std::string sha = Sha256Hex(reinterpret_cast<const std::uint8_t*>(image.data()), image.size());
  for (std::size_t i = 1; i < log.size(); ++i) {
    EXPECT_NE(log[i].find(",KV16V," + kGood + "," + (kVerifyFlag.empty() ? sha : "") + ","),
              std::string::npos)
        << log[i];
  }
}

TEST(BatchEndToEnd, RadiosInTurnOnOneCableOtherModelSkipped) {
  BatchFolder f;
  SimProcess sim(f.Sim("got.bin", {"--models", "2,1,1", "--unplug-after", "200", "--plug-gap", "1500"}));
  ASSERT_FALSE(sim.device().empty());
  const CliResult r = RunCli(f, "batch --port " + sim.device() + " '" + (f / "KV16V.ini") +
                              "' --count 2 --log '" + (f / "log.csv") + "'" + kVerifyFlag);
  EXPECT_EQ(r.code, 1) << r.err;  // one radio was not written
  EXPECT_EQ(Count(r.err, "connect the next radio"), 3u) << r.err;
  const auto log = Lines(Bytes(f / "log.csv"));
  ASSERT_EQ(log.size(), 4u) << Bytes(f / "log.csv");
  EXPECT_NE(log[1].find("skipped: other model"), std::string::npos) << log[1];
  EXPECT_NE(log[2].find(kGood), std::string::npos) << log[2];
  EXPECT_NE(log[3].find(kGood), std::string::npos) << log[3];
}

TEST(BatchEndToEnd, CtrlCBetweenRadiosEndsWithACompleteLog) {
  BatchFolder f;
  SimProcess sim(f.Sim("got.bin", {"--radios", "3", "--unplug-after", "200", "--plug-gap", "5000"}));
  ASSERT_FALSE(sim.device().empty());
  const pid_t pid = fork();
  if (pid == 0) {
    const std::string cmd = "exec " + f.Cli("batch --port " + sim.device() + " '" + (f / "KV16V.ini") +
                                            "' --log '" + (f / "log.csv") + "'" + kVerifyFlag) +
                            " >'" + (f / "out.txt") + "' 2>'" + (f / "err.txt") + "' </dev/null";
    execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Once the first radio is logged, the job waits for the next: interrupt it.
  for (int i = 0; i < 300 && Lines(Bytes(f / "log.csv")).size() < 2; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << Bytes(f / "err.txt");
  EXPECT_NE(Bytes(f / "out.txt").find("stopped"), std::string::npos);
  const auto log = Lines(Bytes(f / "log.csv"));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[1].find(kGood), std::string::npos) << log[1];
}

}  // namespace
}  // namespace kavir::test
