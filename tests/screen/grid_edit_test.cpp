// Paste, fill and clear of channel cells, and the clipboard's text.
#include <algorithm>

#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

class GridEditTest : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // band 400..470, every CH01..16 alike

  // Types text into the cell at row, col with the cells of selected chosen, as Enter does.
  void Type(CellRange selected, int row, int col, const char* text) {
    view->editing().selection = selected;
    view->grid.row = row, view->grid.col = col;
    view->editing().StartEdit(13);
    view->editing().editor.text = text;
    view->editing().CommitEdit();
  }
  std::vector<std::string> Column(int col, int from, int to) const {
    std::vector<std::string> cells;
    for (int row = from; row <= to; ++row) cells.push_back(view->Cell(row, col).text);
    return cells;
  }
};

struct PasteCase {  // refused: cells named in the refusals; expect: cells after the paste
  const char* name;
  CellRange at;
  const char* tsv;
  int accepted;
  std::vector<std::pair<int, int>> refused;
  std::vector<std::tuple<int, int, const char*>> expect;
};

class Paste : public GridEditTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(Paste, TakesTheValidCellsAsOneStepNamingTheRest) {
  const PasteCase& c = GetParam();
  const std::string before = view->editing().CopyCells(CellRange::All());
  const EditResult r = view->editing().PasteCells(c.at, c.tsv);
  EXPECT_EQ(r.accepted, c.accepted);
  std::vector<std::pair<int, int>> named;
  for (const CellRefusal& refusal : r.refused) {
    named.emplace_back(refusal.row, refusal.col);
    EXPECT_FALSE(refusal.reason.empty());
  }
  EXPECT_EQ(named, c.refused);
  for (const auto& [row, col, text] : c.expect) EXPECT_EQ(view->Cell(row, col).text, text) << row << "," << col;
  if (r.changed > 0) {
    EXPECT_EQ(view->history().undo_count(), 1u);
    view->Undo();
  }
  EXPECT_EQ(view->editing().CopyCells(CellRange::All()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Tsv, Paste,
    ::testing::Values(
        PasteCase{"ValidBlockWithCrLf",
                  CellRange::One(2, 1),
                  "401.0125\tCTCSS:88\t402\t+DCS:023\r\n450\t关\t455.5\t关\r\n",
                  8,
                  {},
                  {{2, 1, "401.01250"},
                   {2, 2, "CTCSS:88.0"},
                   {2, 3, "402.00000"},
                   {2, 4, "+DCS:023"},
                   {3, 1, "450.00000"},
                   {3, 3, "455.50000"}}},
        PasteCase{"AllInvalid",
                  CellRange::One(5, 1),
                  "500\tCTCSS:99\t430.013\n",
                  0,
                  {{5, 1}, {5, 2}, {5, 3}},
                  {{5, 1, "430.12500"}, {5, 2, "CTCSS:67.0"}}},
        PasteCase{"MixedKeepsTheValidOnes",
                  CellRange::One(6, 5),
                  "载波控制\t中\n禁止\t低\n",
                  3,
                  {{6, 6}},
                  {{6, 5, "载波控制"}, {6, 6, "高"}, {7, 6, "低"}}},
        PasteCase{"BeyondTheGridIsRefused",
                  CellRange::One(16, 8),
                  "2\t窄带\t宽带\n1\n",
                  2,
                  {{16, 10}, {17, 8}},
                  {{16, 8, "2"}, {16, 9, "窄带"}}},
        PasteCase{"OneValueFillsTheSelection",
                  {3, 6, 9, 7},
                  "低\n",
                  7,
                  {{3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}, {8, 7}, {9, 7}},
                  {{3, 6, "低"}, {9, 6, "低"}, {10, 6, "高"}, {3, 7, "是"}}},
        PasteCase{"EmptyCellsClear", CellRange::One(1, 2), "\t\n", 2, {}, {{1, 2, ""}, {1, 3, ""}}},
        PasteCase{"QuotedSpreadsheetCell", CellRange::One(4, 8), "\"2\"\t\"窄\"\"带\"\n", 1, {{4, 9}}, {{4, 8, "2"}}},
        // A quoted empty cell, the last thing on the clipboard, is still a cell.
        PasteCase{"QuotedEmptyCellAtTheEnd", CellRange::One(1, 2), "\"\"", 1, {}, {{1, 2, ""}}},
        // A block over a larger selection goes in from its corner, once.
        PasteCase{"BlockOverASelectionStartsAtItsCorner",
                  {3, 6, 9, 7},
                  "低\t否\n",
                  2,
                  {},
                  {{3, 6, "低"}, {3, 7, "否"}, {4, 6, "高"}, {4, 7, "是"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridEditTest, DescribeNamesEachRefusedCellWithItsReason) {
  const std::string text = view->editing().PasteCells(CellRange::One(3, 1), "500\t\t430.013\n").Describe();
  for (const char* part : {"CH03 接收频率 \"500\"", "CH03 发射频率 \"430.013\"", "400 - 470 MHz"})
    EXPECT_NE(text.find(part), std::string::npos) << text;
  EXPECT_EQ(view->editing().PasteCells(CellRange::One(1, 1), "500").Describe().rfind("CH01 接收频率 \"500\"", 0), 0u);
}

// Only the channels' own cells are named by channel and column.
TEST(EditResult, ACellOutsideTheChannelsIsNamedByItsPosition) {
  for (const auto& [row, col] : {std::pair{1, 0}, std::pair{1, 10}, std::pair{0, 1}, std::pair{17, 1}}) {
    EditResult r;
    r.refused.push_back({row, col, "x", "why"});
    const std::string where = "第" + std::to_string(row) + "行第" + std::to_string(col) + "列";
    EXPECT_EQ(r.Describe().rfind(where, 0), 0u) << r.Describe();
  }
}

TEST_F(GridEditTest, ALongListOfRefusalsIsCutShortWithACount) {
  const std::string lines = view->editing().FillCells({1, 1, 16, 1}, "1").Describe(3);
  EXPECT_NE(lines.find("另有 13 个"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;  // three named, then the count
}

TEST_F(GridEditTest, TypingSetsTheSelectedCellsOfItsColumn) {
  using Cells = std::vector<std::string>;
  const Cells five = {"445.50000", "445.50000", "445.50000", "445.50000", "445.50000", "430.12500"};
  Type({4, 1, 8, 1}, 5, 1, "445.5");
  EXPECT_EQ(Column(1, 4, 9), five);
  Type({4, 1, 8, 1}, 4, 1, "500");  // a refused value restores only the edited cell
  EXPECT_EQ(Column(1, 4, 9), five);
  EXPECT_EQ(view->history().undo_count(), 1u);
  SetCell(*view, 4, 2, "CTCSS:88.0");
  Type({3, 2, 4, 2}, 3, 2, "hello");  // a tone outside the tone list leaves every cell
  EXPECT_EQ(Column(2, 3, 4), (Cells{"CTCSS:67.0", "CTCSS:88.0"}));
  Type({4, 1, 8, 2}, 4, 1, "446");  // two columns selected: only the edited cell takes the value
  EXPECT_EQ(Column(1, 4, 5), (Cells{"446.00000", "445.50000"}));
}

TEST_F(GridEditTest, TypingTakesShortEntriesAsPasteDoes) {
  view->channel_lists.decode.push_back("SQ:1.0");  // QTDQT.ini may list other families
  view->editing().PasteCells(CellRange::One(1, 2), "SQ:1"), Type(CellRange::One(2, 2), 2, 2, "SQ:1");
  // A short entry gets ".0", pasted as typed.
  EXPECT_EQ(Column(2, 1, 2), (std::vector<std::string>{"SQ:1.0", "SQ:1.0"}));
  view->channel_lists.busy_lock.push_back("Carrier");  // an option in any case of its letters
  view->editing().PasteCells(CellRange::One(1, 5), "caRRIER\n");
  EXPECT_EQ(view->Cell(1, 5).text, "Carrier");
  view->channel_lists.zone_wide.clear();  // QTDQT.ini without the list: the column takes any text
  view->editing().PasteCells(CellRange::One(1, 9), "Wide\n");
  EXPECT_EQ(view->Cell(1, 9).text, "Wide");
}

TEST_F(GridEditTest, CopiedRowsPasteBackElsewhereUnchanged) {
  const std::vector<std::vector<std::string>> rows = {{"a", "b\tc", ""}, {"say \"hi\"", "x\ny"}};
  EXPECT_EQ(ParseTsv(FormatTsv(rows)), rows);
  EXPECT_TRUE(ParseTsv("").empty());
  EXPECT_EQ(ParseTsv("1\t2"), (std::vector<std::vector<std::string>>{{"1", "2"}}));  // no line end
  EXPECT_EQ(ParseTsv("1\t"), (std::vector<std::vector<std::string>>{{"1", ""}}));    // nor a last cell
  // A quote closing the text is read as closing, whatever follows it in memory.
  EXPECT_EQ(ParseTsv(std::string_view("\"a\"\"", 3)), (std::vector<std::vector<std::string>>{{"a"}}));
  view->editing().PasteCells(CellRange::One(1, 1),
                             "401.0125\tCTCSS:88.0\t402.5\t+DCS:023\t载波控制\t低\t否\t2\t窄带\n");
  const std::string copied = view->editing().CopyCells({1, 1, 2, 9});
  EXPECT_EQ(copied.rfind("401.01250\tCTCSS:88.0\t402.50000\t+DCS:023\t载波控制\t低\t否\t2\t窄带\n", 0), 0u);
  const EditResult r = view->editing().PasteCells(CellRange::One(11, 1), copied);
  EXPECT_TRUE(r.ok()) << r.Describe();
  EXPECT_EQ(view->editing().CopyCells({11, 1, 12, 9}), copied);
  EXPECT_EQ(view->editing().CopyCells({-3, 0, 2, 12}), copied);  // a range past the grid is cut to it
  EXPECT_EQ(view->editing().CopyCells({2, 9, 1, 1}), copied);    // and one selected backwards is turned round
  for (int col : {0, 10}) EXPECT_EQ(view->editing().CheckCell(col, "430.125", "").fault, CellFault::OutsideGrid) << col;
}

TEST_F(GridEditTest, ACopyHoldsEveryRowOfItsRange) {
  SetCell(*view, 2, 1, "402.00000");
  SetCell(*view, 3, 1, "403.00000");
  EXPECT_EQ(view->editing().CopyCells({2, 1, 3, 1}), "402.00000\n403.00000\n");
}

TEST_F(GridEditTest, AnOffRasterFrequencyPastesOnlyOntoTheCellThatHoldsIt) {
  SetCell(*view, 1, 1, "430.00100");  // as a file may hold it
  const EditResult same = view->editing().PasteCells(CellRange::One(1, 1), "430.00100");
  EXPECT_TRUE(same.ok());
  const EditResult other = view->editing().PasteCells(CellRange::One(2, 1), "430.00100");
  ASSERT_EQ(other.refused.size(), 1u);
  EXPECT_EQ(view->Cell(2, 1).text, "430.12500");
}

}  // namespace
}  // namespace kavir::test
