// kavir-cli encode and decode, run as a technician would.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int code;
  std::string err;
};

class CodecCli : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), fs::path(dir.path()) / e.path().filename());
  }
  CliRun Cli(const std::string& args) {
    const std::string err = dir.File("stderr.txt");
    const std::string cmd = std::string(KAVIR_CLI) + " --dir '" + dir.path() + "' " + args + " 2>'" + err + "'";
    const int status = std::system(cmd.c_str());
    return {WEXITSTATUS(status), ReadBytes(err)};
  }
  std::string Model(const std::string& name) { return "'" + dir.File(name + ".ini") + "'"; }
  TempDir dir;
};

TEST_F(CodecCli, EncodeThenDecodeGivesBackTheModelsSettings) {
  const std::string image = dir.File("radio.bin");
  ASSERT_EQ(Cli("encode " + Model("KV16U") + " '" + image + "'").code, 0);
  EXPECT_EQ(fs::file_size(image), 768u);
  EXPECT_TRUE(fs::exists(dir.File("Write.ini")));

  const std::string out = dir.File("back.dat");
  ASSERT_EQ(Cli("decode '" + image + "' --model 2 --out '" + out + "'").code, 0);
  const IniDocument original = ReadIniFile(dir.File("KV16U.ini"));
  const IniDocument back = ReadIniFile(out);
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(back.GetString("Previous", key, "<missing>", 20),
              original.GetString("Previous", key, "<missing>", 20))
        << key;
  EXPECT_EQ(ReadIniFile(dir.File("Read.ini")).GetString("Previous", "Type", "", 20), "KV16U");
}

TEST_F(CodecCli, RefusedEncodeWritesNoImageAndNamesEachProblem) {
  const std::string bad = dir.File("bad.dat");
  fs::copy_file(dir.File("KV16U.ini"), bad);
  IniFile f(bad);
  f.SetString("Previous", "CH02.RxFreq", "480.00000");
  f.SetString("Previous", "CH03.TxFreq", "430.01001");
  ASSERT_TRUE(f.Save().ok);
  const std::string image = dir.File("radio.bin");
  CliRun r = Cli("encode '" + bad + "' '" + image + "'");
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(fs::exists(image));
  EXPECT_NE(r.err.find("CH02 接收频率 \"480.00000\""), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("CH03 发射频率 \"430.01001\""), std::string::npos) << r.err;
}

TEST_F(CodecCli, BadInputIsRefusedWithExitTwo) {
  const std::string shortfile = dir.File("short.bin");
  std::ofstream(shortfile, std::ios::binary) << std::string(767, '\0');
  const std::string before = ReadBytes(dir.File("KAVIR.ini"));
  CliRun r = Cli("decode '" + shortfile + "' --model 1");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("767 bytes"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir.File("Read.ini")));

  const std::string image = dir.File("radio.bin");
  std::ofstream(image, std::ios::binary) << std::string(768, '\0');
  EXPECT_EQ(Cli("decode '" + image + "' --model 0").code, 2);
  EXPECT_EQ(Cli("decode '" + image + "' --model 99").code, 2);
  EXPECT_EQ(Cli("decode '" + image + "'").code, 2);
  EXPECT_EQ(Cli("encode '" + dir.File("missing.dat") + "' '" + image + "'").code, 2);
  EXPECT_EQ(ReadBytes(dir.File("KAVIR.ini")), before);
}

}  // namespace
}  // namespace kavir::test
