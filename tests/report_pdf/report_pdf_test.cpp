// The report as a PDF, checked from the PDF itself with poppler's tools.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>

#include "report/report_page.h"
#include "screen_test_support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

struct Word {
  double x, y;
  std::string text;
};

std::vector<Word> Words(const std::string& pdf) {
  const std::string xml = Output("pdftotext -bbox '" + pdf + "' -");
  std::vector<Word> words;
  const std::regex re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator(); ++it)
    words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
  return words;
}

// Page units (hundredths of an inch from the printable area's corner, 5 mm
// in from the paper's edge) to PDF points.
double Points(int units) { return 5.0 / 25.4 * 72.0 + units * 0.72; }

class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
      if (e.is_regular_file()) fs::copy_file(e.path(), fs::path(dir.path()) / e.path().filename());
    pdf = dir.File("report.pdf");
    const std::string cmd = std::string(KAVIR_CLI) + " --dir '" + dir.path() + "' report '" +
                            dir.File("KV16U.ini") + "' '" + pdf + "' 2>/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    words = Words(pdf);
    ASSERT_FALSE(words.empty());
  }
  const Word* Find(const std::string& text) {
    for (const Word& w : words)
      if (w.text == text) return &w;
    return nullptr;
  }
  TempDir dir;
  std::string pdf;
  std::vector<Word> words;
};

TEST_F(ReportPdf, IsOnePageWithRealChineseText) {
  EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("Pages:           1\n"), std::string::npos);
  const Word* title = Find("KV16U对讲机编程信息");
  ASSERT_NE(title, nullptr);
  EXPECT_NE(Find("信道设置"), nullptr);
  // The Chinese comes from an embedded CJK font, not from missing-glyph boxes.
  const std::string fonts = Output("pdffonts '" + pdf + "'");
  EXPECT_TRUE(fonts.find("WenQuanYi") != std::string::npos || fonts.find("CJK") != std::string::npos ||
              fonts.find("Song") != std::string::npos)
      << fonts;
}

TEST_F(ReportPdf, TextsStandWhereTheDisplayListPutsThem) {
  const Word* title = Find("KV16U对讲机编程信息");
  ASSERT_NE(title, nullptr);
  EXPECT_NEAR(title->x, Points(240), 2.0);
  EXPECT_NEAR(title->y, Points(15), 3.0);

  // Channel 3's receive frequency and channel 16's number.
  const IniDocument model = ReadIniFile(dir.File("KV16U.ini"));
  const std::string rx3 = model.GetString("Previous", "CH03.RxFreq", "", 20);
  bool found = false;
  for (const Word& w : words)
    if (w.text == rx3 && std::fabs(w.x - Points(130)) < 2.0) {
      EXPECT_NEAR(w.y, Points(645 + 25 * 2), 3.0);
      found = true;
    }
  EXPECT_TRUE(found) << rx3;
  const Word* ch16 = Find("CH16");
  ASSERT_NE(ch16, nullptr);
  EXPECT_NEAR(ch16->x, Points(93), 2.0);
  EXPECT_NEAR(ch16->y, Points(645 + 25 * 15), 3.0);
}

// Outside a program directory the lists are empty: the command says so, and a
// folder that cannot take the PDF leaves nothing behind.
TEST(ReportPdfCli, WarnsWithoutDataFilesAndReportsAnUnwritableTarget) {
  TempDir empty;
  const std::string model = std::string(KAVIR_DATA_DIR) + "/KV16V.ini";
  const std::string err = empty.File("err.txt");
  const std::string cmd = std::string(KAVIR_CLI) + " --dir '" + empty.path() + "' report '" + model +
                          "' '" + empty.File("r.pdf") + "' 2>'" + err + "'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_NE(ReadBytes(err).find("KAVIR.ini is missing"), std::string::npos) << ReadBytes(err);

  const std::string bad = std::string(KAVIR_CLI) + " --dir '" + empty.path() + "' report '" + model +
                          "' '" + empty.File("no-folder/r.pdf") + "' 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 1);
  EXPECT_FALSE(fs::exists(empty.File("no-folder")));
}

}  // namespace
}  // namespace kavir::test
