// Restoring a radio image file with kavir-cli write, against kavir-radio-sim.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "sim_process.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Restore : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("kavir-restore-" + std::to_string(std::random_device{}()));
  void SetUp() override {
    fs::create_directories(dir);
    for (const auto& e : fs::directory_iterator(KAVIR_TEST_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  int Cli(const std::string& args) {
    const std::string cmd = "timeout 60 '" + std::string(KAVIR_CLI) + "' --dir '" + dir.string() + "' " +
                            args + " >/dev/null 2>'" + (dir / "stderr.txt").string() + "' </dev/null";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Err() { return Bytes(dir / "stderr.txt"); }
};

TEST_F(Restore, TheRadioReceivesTheBackupsOwnBytes) {
  // A backup as a read keeps it, with a byte in the unused area that a write
  // of the decoded screen would not send.
  ASSERT_EQ(Cli("encode '" + (dir / "KV16V.ini").string() + "' '" + (dir / "x.img").string() + "'"), 0) << Err();
  std::string image = Bytes(dir / "x.img");
  ASSERT_EQ(image.size(), 768u);
  image[0x150] = '\x5A';
  const fs::path backup = dir / "read-KV16V-20261207-101500.bin";
  std::ofstream(backup, std::ios::binary) << image;

  SimProcess sim({"--profile", (dir / "KV16U.ini").string(), "--dir", dir.string(), "--save",
                  (dir / "received.bin").string()});
  ASSERT_FALSE(sim.device().empty());
  ASSERT_EQ(Cli("write --port " + sim.device() + " '" + backup.string() + "'"), 0) << Err();
  EXPECT_EQ(Bytes(dir / "received.bin"), image);
}

TEST_F(Restore, AnImageOfNoKnownModelOrWithWrongSettingsIsNotWritten) {
  ASSERT_EQ(Cli("encode '" + (dir / "KV16V.ini").string() + "' '" + (dir / "x.img").string() + "'"), 0);
  std::string image = Bytes(dir / "x.img");
  image[0] = image[1] = '\xFF';  // channel 1 now far above the band
  image[2] = static_cast<char>(image[2] | 0x03);
  std::ofstream(dir / "bad.img", std::ios::binary) << image;

  SimProcess sim({"--profile", (dir / "KV16V.ini").string(), "--dir", dir.string(), "--save",
                  (dir / "received.bin").string()});
  ASSERT_FALSE(sim.device().empty());
  EXPECT_EQ(Cli("write --port " + sim.device() + " '" + (dir / "x.img").string() + "'"), 2);
  EXPECT_NE(Cli("write --port " + sim.device() + " '" + (dir / "bad.img").string() + "' --model 1"), 0);
  EXPECT_FALSE(fs::exists(dir / "received.bin")) << Err();
}

}  // namespace
}  // namespace kavir::test
