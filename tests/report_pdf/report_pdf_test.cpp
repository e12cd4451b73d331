// The report as a PDF, checked from the PDF itself with poppler's tools.
#include <cmath>
#include <filesystem>
#include <regex>

#include <gtest/gtest.h>

#include "program_files.h"
#include "run_program.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

struct Word {
  double x, y;
  std::string text;
};

std::vector<Word> Words(const std::string& pdf, const std::string& scratch) {
  const std::string xml = RunProgram("pdftotext", {"-bbox", pdf, "-"}, scratch).out;
  std::vector<Word> words;
  const std::regex re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator(); ++it)
    words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
  return words;
}

// Page units (hundredths of an inch from the printable area's corner, 5 mm
// in from the paper's edge) to PDF points.
double Points(int units) { return 5.0 / 25.4 * 72.0 + units * 0.72; }

TEST(ReportPdf, OnePageWithRealChineseTextWhereTheDisplayListPutsIt) {
  ShippedDir d;
  TempDir scratch;
  const std::string pdf = d.dir.File("report.pdf");
  ASSERT_EQ(RunCli({"--dir", d.path(), "report", d.files.ModelFile("KV16U"), pdf}, scratch.path()).exit_code, 0);
  EXPECT_NE(RunProgram("pdfinfo", {pdf}, scratch.path()).out.find("Pages:           1\n"), std::string::npos);
  // The Chinese comes from an embedded CJK font, not from missing-glyph boxes.
  const std::string fonts = RunProgram("pdffonts", {pdf}, scratch.path()).out;
  EXPECT_TRUE(fonts.find("WenQuanYi") != std::string::npos || fonts.find("CJK") != std::string::npos ||
              fonts.find("Song") != std::string::npos)
      << fonts;
  const IniDocument model = ReadIniFile(d.files.ModelFile("KV16U"));
  struct {
    std::string text;
    int x, d;
  } placed[] = {{"KV16U对讲机编程信息", 240, 15},
                {"CH16", 93, 645 + 25 * 15},
                {model.GetString("Previous", "CH03.RxFreq", "", 20), 130, 645 + 25 * 2}};
  const auto words = Words(pdf, scratch.path());
  for (const auto& p : placed) {
    bool found = false;
    for (const Word& w : words)
      found |= w.text == p.text && std::fabs(w.x - Points(p.x)) < 2.0 && std::fabs(w.y - Points(p.d)) < 3.0;
    EXPECT_TRUE(found) << p.text;
  }
}

// Outside a program directory there are no option lists: nothing is printed
// and KAVIR.ini is named; a folder that cannot take the PDF leaves nothing behind.
TEST(ReportPdf, IsRefusedWithoutTheDataFiles) {
  TempDir empty;
  const std::string model = std::string(KAVIR_DATA_DIR) + "/KV16V.ini";
  const CliResult refused = RunCli({"--dir", empty.path(), "report", model, empty.File("r.pdf")}, empty.path());
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_NE(refused.err.find("KAVIR.ini is missing"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(empty.File("r.pdf")));
}

TEST(ReportPdf, AnUnwritableTargetFailsTheCommand) {
  TempDir empty;
  const std::string model = std::string(KAVIR_DATA_DIR) + "/KV16V.ini";
  ShippedDir shipped;
  EXPECT_EQ(RunCli({"--dir", shipped.path(), "report", model, empty.File("no-folder/r.pdf")}, empty.path()).exit_code,
            1);
  EXPECT_FALSE(fs::exists(empty.File("no-folder")));
}

}  // namespace
}  // namespace kavir::test
