// kavir-cli's file commands run as a technician runs them: show, resave,
// encode, decode, and what bad input gets.
#include <gtest/gtest.h>

#include "process.h"
#include "profile/profile_keys.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class Cli : public ::testing::Test {
 protected:
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", d.path()});
    return RunCli(args, scratch.path());
  }
  std::string Model(const std::string& name) const { return d.files.ModelFile(name); }
  // The lines of stderr that report a failure.
  static std::vector<std::string> Errors(const CliResult& r) {
    std::vector<std::string> lines;
    for (const std::string& l : r.ErrLines())
      if (l.rfind("kavir-cli: ", 0) == 0) lines.push_back(l);
    return lines;
  }
  ShippedDir d;
  TempDir scratch;
};

TEST_F(Cli, ShowAndResaveGiveEveryKeyOfTheFile) {
  const IniDocument model = ReadIniFile(Model("KV16U"));
  const CliResult show = Run({"show", Model("KV16U")});
  ASSERT_EQ(show.exit_code, 0) << show.err;
  const auto lines = show.OutLines();
  ASSERT_EQ(lines.size(), ProfileKeys().size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(lines[i], ProfileKeys()[i] + "=" + model.Find("Previous", ProfileKeys()[i]).value_or(""));

  const std::string out = scratch.File("kept.dat");
  WriteIni(out, {{"Notes", {{"Owner", "车队三"}}}, {"Previous", {{"Extra", "x"}, {"TimerOut", "nonsense"}}}});
  const CliResult resave = Run({"resave", Model("KV16U"), out});
  ASSERT_EQ(resave.exit_code, 0) << resave.err;
  const IniDocument back = ReadIniFile(out);
  EXPECT_EQ(back.Find("Notes", "Owner").value_or(""), "车队三");
  EXPECT_EQ(back.Find("Previous", "Extra").value_or(""), "x");
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(back.Find("Previous", key).value_or("<missing>"), model.Find("Previous", key).value_or("")) << key;
}

TEST_F(Cli, EncodeThenDecodeGivesBackTheModelsSettings) {
  const std::string image = scratch.File("radio.bin"), out = scratch.File("back.dat");
  const CliResult encode = Run({"encode", Model("KV16U"), image});
  ASSERT_EQ(encode.exit_code, 0) << encode.err;
  EXPECT_EQ(ReadBytes(image), ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/KV16U.img"));
  const CliResult decode = Run({"decode", image, "--model", "2", "--out", out});
  ASSERT_EQ(decode.exit_code, 0) << decode.err;
  const IniDocument original = ReadIniFile(Model("KV16U")), back = ReadIniFile(out);
  for (const std::string& key : ProfileKeys())
    EXPECT_EQ(back.GetString("Previous", key, "<missing>", 20), original.GetString("Previous", key, "<missing>", 20))
        << key;

  IniFile bad(scratch.File("bad.dat"));
  bad.doc() = original;
  bad.SetString("Previous", "CH02.RxFreq", "480.00000");
  bad.SetString("Previous", "CH03.TxFreq", "430.01001");
  ASSERT_TRUE(bad.Save().ok);
  fs::remove(image);
  const CliResult refused = Run({"encode", scratch.File("bad.dat"), image});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_FALSE(fs::exists(image));
  EXPECT_NE(refused.err.find("CH02 接收频率 \"480.00000\""), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("CH03 发射频率 \"430.01001\""), std::string::npos) << refused.err;
}

TEST_F(Cli, BadInputExitsWithTwoAndOneLineAndWritesNothing) {
  const std::string missing = scratch.File("missing.dat"), image = scratch.File("zero.bin");
  const std::string blocker = scratch.File("blocker");
  WriteBytes(blocker, "keep");
  WriteBytes(scratch.File("short.bin"), std::string(767, '\0'));
  WriteBytes(image, std::string(768, '\0'));
  struct { std::vector<std::string> args; std::string named; int exit = 2; } cases[] = {
      {{"show", missing}, missing},
      {{"show"}, ""},
      {{"resave", missing, scratch.File("x.dat")}, missing},
      {{"resave", Model("KV16U"), blocker + "/x.dat"}, blocker + "/x.dat", 1},  // a failed file operation
      {{"decode", scratch.File("short.bin"), "--model", "1"}, "767 bytes"},
      {{"decode", image, "--model", "0"}, ""},
      {{"decode", image, "--model", "99"}, ""},
      {{"decode", image}, ""},
      {{"encode", missing, image}, missing},
      {{"read", "--out", "x.dat"}, ""},
      {{"read", "--port", "1", "--out", "x.dat", "--retries", "many"}, ""},
      {{"write", "--port", "1", missing}, missing},
  };
  for (const auto& c : cases) {
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.exit_code, c.exit) << c.args[0] << " " << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    ASSERT_EQ(Errors(r).size(), 1u) << r.err;
    EXPECT_NE(Errors(r)[0].find(c.named), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(scratch.File("x.dat")));
  EXPECT_FALSE(fs::exists(d.files.read_ini));
  EXPECT_EQ(ReadBytes(blocker), "keep");
}

}  // namespace
}  // namespace kavir::test
