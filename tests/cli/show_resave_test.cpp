// kavir-cli show and resave, run as a user runs them.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

// The lines of stderr that report a failure.
std::vector<std::string> ErrorLines(const CliResult& r) {
  std::vector<std::string> lines;
  for (const std::string& l : r.ErrLines())
    if (l.rfind("kavir-cli: ", 0) == 0) lines.push_back(l);
  return lines;
}

class ShowResave : public ::testing::Test {
 protected:
  ScratchDir scratch;
  std::string prog = scratch.File("prog");
  std::vector<std::string> models;  // model file paths inside prog

  void SetUp() override {
    fs::create_directory(prog);
    const fs::path data = KAVIR_DATA_DIR;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(data, ec)) {
      if (e.path().extension() != ".ini") continue;
      const fs::path to = fs::path(prog) / e.path().filename();
      fs::copy_file(e.path(), to);
      const std::string name = e.path().filename().string();
      if (name != "KAVIR.ini" && name != "QTDQT.ini") models.push_back(to.string());
    }
  }

  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", prog});
    return RunCli(args, scratch.path());
  }
};

TEST_F(ShowResave, ShowPrintsEveryKeyOfEachModelFile) {
  if (models.empty()) GTEST_SKIP() << "no model files shipped in " << KAVIR_DATA_DIR;
  for (const std::string& model : models) {
    CliResult r = Run({"show", model});
    ASSERT_EQ(r.exit_code, 0) << model << ": " << r.err;
    const auto lines = r.OutLines();
    ASSERT_EQ(lines.size(), 209u) << model;
    const IniDocument file = ReadIniFile(model);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& key = ProfileKeys()[i];
      ASSERT_EQ(lines[i].substr(0, key.size() + 1), key + "=") << lines[i];
      EXPECT_EQ(lines[i].substr(key.size() + 1), file.Find("Previous", key).value_or(""))
          << model << " " << key;
    }
  }
}

TEST_F(ShowResave, ResaveGivesTheModelFilesKeys) {
  if (models.empty()) GTEST_SKIP() << "no model files shipped in " << KAVIR_DATA_DIR;
  for (const std::string& model : models) {
    const std::string out = scratch.File("out.dat");
    CliResult r = Run({"resave", model, out});
    ASSERT_EQ(r.exit_code, 0) << model << ": " << r.err;
    const IniDocument a = ReadIniFile(model);
    const IniDocument b = ReadIniFile(out);
    for (const std::string& key : ProfileKeys())
      EXPECT_EQ(b.Find("Previous", key).value_or("<missing>"), a.Find("Previous", key).value_or(""))
          << model << " " << key;
  }
}

TEST_F(ShowResave, ResaveOverAFileKeepsItsOtherSections) {
  if (models.empty()) GTEST_SKIP() << "no model files shipped in " << KAVIR_DATA_DIR;
  const std::string out = scratch.File("kept.dat");
  IniDocument old;
  old.SetString("Notes", "Owner", "车队三");
  old.SetString("Previous", "Extra", "x");
  old.SetString("Previous", "TimerOut", "nonsense");
  ASSERT_TRUE(WriteIniFile(out, old).ok);
  CliResult r = Run({"resave", models[0], out});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const IniDocument b = ReadIniFile(out);
  EXPECT_EQ(b.Find("Notes", "Owner").value_or(""), "车队三");
  EXPECT_EQ(b.Find("Previous", "Extra").value_or(""), "x");
  EXPECT_EQ(b.Find("Previous", "TimerOut"), ReadIniFile(models[0]).Find("Previous", "TimerOut"));
}

TEST_F(ShowResave, BadInputExitsWithTwoAndOneLine) {
  const std::string missing = scratch.File("missing.dat");
  CliResult r = Run({"show", missing});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_TRUE(r.out.empty());
  ASSERT_EQ(ErrorLines(r).size(), 1u) << r.err;
  EXPECT_NE(ErrorLines(r)[0].find(missing), std::string::npos);

  r = Run({"show"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(ErrorLines(r).size(), 1u);

  r = Run({"resave", missing, scratch.File("x.dat")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_FALSE(fs::exists(scratch.File("x.dat")));
}

TEST_F(ShowResave, UnwritableTargetIsReportedAndNothingWritten) {
  if (models.empty()) GTEST_SKIP() << "no model files shipped in " << KAVIR_DATA_DIR;
  const std::string blocker = scratch.File("blocker");
  { std::ofstream(blocker) << "keep"; }
  const std::string out = blocker + "/x.dat";
  CliResult r = Run({"resave", models[0], out});
  EXPECT_EQ(r.exit_code, 1);  // a failed file operation
  ASSERT_FALSE(r.ErrLines().empty());
  EXPECT_EQ(ErrorLines(r).size(), 1u) << r.err;
  EXPECT_NE(r.ErrLines().back().find(out), std::string::npos) << r.err;
  std::ifstream in(blocker);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "keep");
}

}  // namespace
}  // namespace kavir::test
