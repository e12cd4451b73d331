// The cell editor over the channel grid.
#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace kavir::test {
namespace {

const std::string kGoOn = "请继续..............";
std::string BandMessage(const std::string& n) {
  return "错误, 您输入的频率:" + n + " 不在当前频率范围内, 请继续.....";
}
std::string RasterMessage(const std::string& n) {
  return "您输入的非法频点(" + n + ") 无法通过较验, 请重新输入.....";
}

class CellEditorTest : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // band 400..470

  // Opens the editor of (row, col) with Enter, types text, commits.
  std::string Enter(int row, int col, const std::string& typed) {
    view->grid.row = row;
    view->grid.col = col;
    view->StartEdit(13);
    EXPECT_TRUE(view->editor.visible);
    view->editor.text = typed;
    ui.status.clear();
    ui.beeps.clear();
    view->CommitEdit();
    EXPECT_FALSE(view->editor.visible);
    return view->grid.Text(row, col);
  }
  bool Beeped() const {
    return ui.beeps.size() == 1 && ui.beeps[0] == std::make_pair(5000, 100);
  }
};

TEST_F(CellEditorTest, FrequenciesAreNormalized) {
  EXPECT_EQ(Enter(1, 1, "430.0125"), "430.01250");
  EXPECT_EQ(ui.status, std::vector<std::string>{kGoOn});
  EXPECT_TRUE(ui.beeps.empty());
  EXPECT_EQ(Enter(2, 3, "4300125"), "430.01250");
  EXPECT_EQ(Enter(3, 1, "43a.5"), "430.50000");
  EXPECT_EQ(Enter(4, 1, "470.00000"), "470.00000");
  EXPECT_EQ(Enter(5, 1, "400.00000"), "400.00000");
  EXPECT_EQ(Enter(6, 1, "430.00625"), "430.00625");
  EXPECT_EQ(Enter(7, 1, "45.5"), "455.00000");  // 455 MHz lies inside 400..470
}

TEST_F(CellEditorTest, BandCheckRejectsAndRestores) {
  view->grid.SetText(1, 1, "430.12500");
  // The first three digits are always the megahertz: 35.5 is 355 MHz.
  EXPECT_EQ(Enter(1, 1, "35.5"), "430.12500");
  EXPECT_EQ(ui.status, std::vector<std::string>{BandMessage("355.00000")});
  EXPECT_TRUE(Beeped());
  EXPECT_EQ(Enter(1, 1, "470.00625"), "430.12500");
  EXPECT_EQ(ui.status, std::vector<std::string>{BandMessage("470.00625")});
  EXPECT_TRUE(Beeped());
}

TEST_F(CellEditorTest, RasterCheckAfterPassingBand) {
  view->grid.SetText(1, 3, "440.00000");
  EXPECT_EQ(Enter(1, 3, "430.01"), "440.00000");
  EXPECT_EQ(ui.status, (std::vector<std::string>{kGoOn, RasterMessage("430.01000")}));
  EXPECT_TRUE(Beeped());
}

TEST_F(CellEditorTest, SameOffRasterTextStaysWithoutMessage) {
  view->grid.SetText(2, 1, "430.01000");
  EXPECT_EQ(Enter(2, 1, "430.01000"), "430.01000");
  EXPECT_EQ(ui.status, std::vector<std::string>{kGoOn});
  EXPECT_TRUE(ui.beeps.empty());
}

TEST_F(CellEditorTest, EmptyCellRejectedShowsBandLowerLimit) {
  view->grid.SetText(3, 1, "");
  EXPECT_EQ(Enter(3, 1, "999"), "400.00000");
  view->grid.SetText(3, 1, "abc");
  EXPECT_EQ(Enter(3, 1, "0"), "400.00000");  // 000.00000 is no frequency
}

TEST_F(CellEditorTest, TypingAKeyStartsANewValue) {
  view->grid.SetText(1, 1, "430.12500");
  for (int col : {1, 6}) {
    view->grid.row = 1;
    view->grid.col = col;
    view->StartEdit('4');
    EXPECT_TRUE(view->editor.visible);
    EXPECT_EQ(view->editor.text, "4") << col;
    EXPECT_EQ(view->editor.caret, 1);
    EXPECT_EQ(view->editor.selection_start, view->editor.selection_end);
    EXPECT_DOUBLE_EQ(view->editor.width_factor, 1.0);
    view->OnEditorEsc();
  }
  view->grid.col = 1;
  view->StartEdit('4');
  view->editor.text = "446.5";
  view->CommitEdit();
  EXPECT_EQ(view->grid.Text(1, 1), "446.50000");
}

TEST_F(CellEditorTest, EnterSelectsTheWholeText) {
  view->grid.SetText(1, 3, "440.00000");
  view->grid.row = 1;
  view->grid.col = 3;
  view->StartEdit(13);
  EXPECT_EQ(view->editor.text, "440.00000");
  EXPECT_EQ(view->editor.selection_start, 0);
  EXPECT_EQ(view->editor.selection_end, 9);
}

TEST_F(CellEditorTest, LongEntriesUseTheirFirstEightDigits) {
  EXPECT_EQ(Enter(1, 1, "430.012500000000000000"), "430.01250");
  EXPECT_EQ(Enter(1, 1, "4.3.0.0.1.2.5.0.9.9.9"), "430.01250");
}

TEST_F(CellEditorTest, EscLeavesTheCellAndShowsNothing) {
  view->grid.SetText(1, 1, "430.12500");
  view->grid.row = 1;
  view->grid.col = 1;
  view->StartEdit('9');
  view->OnEditorEsc();
  ui.status.clear();
  view->CommitEdit();
  EXPECT_EQ(view->grid.Text(1, 1), "430.12500");
  EXPECT_TRUE(ui.status.empty());
  EXPECT_TRUE(ui.beeps.empty());
}

TEST_F(CellEditorTest, DoubleClickWidensTheFirstFourColumns) {
  view->grid.row = 2;
  view->grid.col = 4;
  view->OnDoubleClick();
  EXPECT_DOUBLE_EQ(view->editor.width_factor, 1.4);
  view->CommitEdit();
  view->grid.col = 5;
  view->OnDoubleClick();
  EXPECT_DOUBLE_EQ(view->editor.width_factor, 1.0);
  view->CommitEdit();
  view->grid.col = 1;
  view->OnDoubleClick();
  EXPECT_DOUBLE_EQ(view->editor.width_factor, 1.4);
  EXPECT_EQ(view->editor.selection_end, 9);
}

TEST_F(CellEditorTest, SignallingColumnsGetPointZero) {
  EXPECT_EQ(Enter(1, 2, "CTCSS:88"), "CTCSS:88.0");
  EXPECT_EQ(Enter(1, 4, "CTCSS:67.0"), "CTCSS:67.0");
  EXPECT_EQ(Enter(1, 2, "+DCS:023"), "+DCS:023");
  EXPECT_EQ(Enter(1, 4, "关"), "关");
  EXPECT_EQ(Enter(1, 5, "CTCSS"), "CTCSS");  // only the signalling columns
}

TEST_F(CellEditorTest, ListEditorSelection) {
  view->grid.row = 1;
  view->grid.col = 2;
  view->grid.SetText(1, 2, "DCS");  // begins no option
  view->StartEdit(13);
  EXPECT_EQ(view->editor.selected_option, -1);
  EXPECT_EQ(view->editor.text, "DCS");
  view->OnEditorEsc();
  view->grid.SetText(1, 2, "ctcss");  // options 2 and 3 begin with it
  view->StartEdit(13);
  EXPECT_EQ(view->editor.selected_option, 1);
  EXPECT_EQ(view->editor.text, "CTCSS:67.0");
  view->OnEditorEsc();
  view->grid.SetText(1, 2, "关");
  view->StartEdit(13);
  EXPECT_EQ(view->editor.selected_option, 0);
}

TEST_F(CellEditorTest, CommitLandsInTheCellThatWasEdited) {
  view->grid.row = 2;
  view->grid.col = 1;
  view->StartEdit(13);
  view->editor.text = "431.00000";
  view->grid.row = 3;  // the grid moves before its leave-cell commit arrives
  view->grid.col = 2;
  view->CommitEdit();
  EXPECT_EQ(view->grid.Text(2, 1), "431.00000");
  EXPECT_EQ(view->grid.Text(3, 2), "CTCSS:67.0");
}

TEST_F(CellEditorTest, HeaderCellsAndControlKeysOpenNothing) {
  view->grid.row = 1;
  view->grid.col = 0;
  view->StartEdit('1');
  EXPECT_FALSE(view->editor.visible);
  view->grid.col = 1;
  view->StartEdit(27);
  EXPECT_FALSE(view->editor.visible);
  view->StartEdit(9);
  EXPECT_FALSE(view->editor.visible);
}

TEST_F(CellEditorTest, LoadDropsAPendingEdit) {
  view->grid.row = 1;
  view->grid.col = 1;
  view->StartEdit('4');
  view->LoadProfile(dir.files.ModelFile("KV16U"));
  EXPECT_FALSE(view->editor.visible);
  view->CommitEdit();
  EXPECT_EQ(view->grid.Text(1, 1), "430.12500");
}

}  // namespace
}  // namespace kavir::test
