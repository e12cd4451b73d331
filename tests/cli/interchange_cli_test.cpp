// kavir-cli import-csv, export-csv, diff, show and radio images, run as a
// user runs them.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "profile/ini_document.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

class InterchangeCli : public ::testing::Test {
 protected:
  ScratchDir scratch;
  std::string prog = scratch.File("prog");
  std::string model = prog + "/KV16V.ini";

  void SetUp() override {
    fs::create_directory(prog);
    for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
      if (e.path().extension() == ".ini") fs::copy_file(e.path(), fs::path(prog) / e.path().filename());
  }
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", prog});
    return RunCli(args, scratch.path());
  }
  std::string Fixture(const std::string& name) { return std::string(KAVIR_FIXTURES_DIR) + "/interchange/" + name; }
  // The model file with one key changed, saved as name.
  std::string Changed(const std::string& name, const std::string& key, const std::string& value) {
    IniDocument doc = ReadIniFile(model);
    doc.SetString("Previous", key, value);
    const std::string path = scratch.File(name);
    EXPECT_TRUE(WriteIniFile(path, doc).ok);
    return path;
  }
  std::string Value(const std::string& file, const std::string& key) {
    return ReadIniFile(file).Find("Previous", key).value_or("<missing>");
  }
};

TEST_F(InterchangeCli, ImportPrintsRefusedRowsAndExitsByWhatWasImported) {
  const std::string out = scratch.File("out.dat");
  CliResult r = Run({"import-csv", Fixture("refused.csv"), out});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  int refused = 0;
  for (const std::string& l : r.ErrLines()) refused += l.find(" refused: ") != std::string::npos;
  EXPECT_EQ(refused, 13) << r.err;
  EXPECT_NE(r.err.find("line 2 refused: Tone TSQL-R"), std::string::npos) << r.err;
  EXPECT_EQ(Value(out, "CH01.RxFreq"), "146.52000");
  EXPECT_EQ(Value(out, "CH02.RxFreq"), Value(model, "CH02.RxFreq")) << "channels without a row keep theirs";

  const std::string none = scratch.File("none.dat");
  r = Run({"import-csv", Fixture("refused.csv"), none, "--base", model, "--by-location"});
  EXPECT_EQ(r.exit_code, 0) << "Location 15 is channel 15: " << r.err;
  fs::remove(none);
  const std::string all_refused = scratch.File("bad.csv");
  { std::ofstream(all_refused) << "Location,Frequency,Mode\n1,146.52,AM\n"; }
  r = Run({"import-csv", all_refused, none});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_FALSE(fs::exists(none));
  r = Run({"import-csv", Fixture("no-frequency.csv"), none});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_FALSE(fs::exists(none));
}

TEST_F(InterchangeCli, ExportThenImportOverTheSameFileChangesNothing) {
  const std::string csv = scratch.File("plan.csv");
  ASSERT_EQ(Run({"export-csv", model, csv}).exit_code, 0);
  for (const char* order : {"--by-location", ""}) {
    const std::string out = scratch.File("again.dat");
    std::vector<std::string> args = {"import-csv", csv, out, "--base", model};
    if (*order) args.push_back(order);
    ASSERT_EQ(Run(args).exit_code, 0);
    CliResult diff = Run({"diff", model, out});
    EXPECT_EQ(diff.exit_code, 0) << order << "\n" << diff.out << diff.err;
  }
}

TEST_F(InterchangeCli, DiffListsEachDifferenceInWords) {
  EXPECT_EQ(Run({"diff", model, model}).exit_code, 0);
  const std::string cell = Changed("cell.dat", "CH03.RxFreq", "145.00000");
  CliResult r = Run({"diff", model, cell});
  EXPECT_EQ(r.exit_code, 1);
  ASSERT_EQ(r.OutLines().size(), 1u) << r.out;
  EXPECT_EQ(r.OutLines()[0], "CH03 接收频率: " + Value(model, "CH03.RxFreq") + " | 145.00000");
  const std::string setting = Changed("setting.dat", "Beep", "关");
  r = Run({"diff", setting, model});
  ASSERT_EQ(r.OutLines().size(), 1u) << r.out;
  EXPECT_EQ(r.OutLines()[0], "BEEP音开关: 关 | " + Value(model, "Beep"));
  EXPECT_EQ(Run({"diff", model, scratch.File("missing.dat")}).exit_code, 2);
}

TEST_F(InterchangeCli, ImagesOpenWhereverAFileIsTaken) {
  const std::string img = scratch.File("radio.img");
  ASSERT_EQ(Run({"encode", model, img}).exit_code, 0);
  CliResult r = Run({"show", img});
  EXPECT_EQ(r.exit_code, 2) << "no model named";
  EXPECT_NE(r.err.find("--model"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"show", img, "--model", "7"}).exit_code, 2);
  r = Run({"diff", model, img, "--model", "1"});
  EXPECT_NE(r.exit_code, 2) << r.err;
  for (const std::string& l : r.OutLines()) EXPECT_NE(l.rfind("CH", 0), 0u) << l;

  const std::string backup = scratch.File("read-KV16U-20261207-101500.bin");
  fs::copy_file(img, backup);
  r = Run({"show", backup});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.out.find("Type=KV16U\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(prog + "/Read.ini")) << "opening an image is not a read";
}

TEST_F(InterchangeCli, ShowPrintsTheScreenAndResavePads) {
  IniDocument doc = ReadIniFile(model);
  doc.SetString("Previous", "CH01.RxFreq", "145.5");
  doc.SetString("Previous", "CH02.TxFreq", "");
  const std::string emptied = scratch.File("typed.dat");
  ASSERT_TRUE(WriteIniFile(emptied, doc).ok);
  CliResult r = Run({"show", emptied});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.out.find("\nCH01.RxFreq=145.5\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nCH02.TxFreq=\n"), std::string::npos);
  const std::string out = scratch.File("padded.dat");
  ASSERT_EQ(Run({"resave", emptied, out}).exit_code, 0);
  EXPECT_EQ(Value(out, "CH01.RxFreq"), "145.50000");
  EXPECT_EQ(Value(out, "CH02.TxFreq"), "000000000");
}

}  // namespace
}  // namespace kavir::test
