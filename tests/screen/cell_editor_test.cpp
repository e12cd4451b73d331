// The cell editor over the channel grid.
#include <gtest/gtest.h>

#include "support.h"

namespace kavir::test {
namespace {

const std::string kGoOn = "就绪";  // an accepted entry leaves nothing to say
// Both name what the entry missed: the model's band, the steps.
std::string BandMessage(const std::string& n) {
  return "错误, 您输入的频率:" + n + " 不在当前频率范围内 (400 - 470 MHz), 请继续.....";
}
std::string RasterMessage(const std::string& n) {
  return "您输入的非法频点(" + n + ") 不在 6.25 kHz 或 2.5 kHz 频点上, 无法通过较验, 请重新输入.....";
}
std::string Refused(const std::string& why) { return "错误, " + why + ", 请重新输入....."; }
std::string ToneMessage(const std::string& t) {
  return "错误, 亚音 \"" + t +
         "\" 不在亚音列表内; 可以输入例如 88.5、CTCSS:88.5、023、D023N (正向)、D023I (反向) 或 关, 请继续.....";
}

class CellEditorTest : public ::testing::Test {
 protected:
  ProgramDir dir;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view = dir.Start(ui);  // band 400..470

  void Open(int row, int col, char32_t key) {
    view->grid.row = row, view->grid.col = col, view->editing().StartEdit(key);
  }
};

TEST_F(CellEditorTest, EntriesAreNormalizedOrRejected) {
  struct Case {
    int col;
    const char *before, *typed, *after;
    std::vector<std::string> status;
    bool beep;
  } cases[] = {
      {1, "430.12500", "430.0125", "430.01250", {kGoOn}, false},
      {3, "440.00000", "4300125", "430.01250", {kGoOn}, false},
      {1, "430.12500", " 430,5 ", "430.50000", {kGoOn}, false},  // a decimal comma, blanks around
      {1, "430.12500", "43a.5", "430.12500", {Refused("频率 \"43a.5\" 含有 \"a\": 只能输入数字和一个小数点")}, true},
      {1, "430.12500", "430.5.5", "430.12500", {Refused("频率 \"430.5.5\" 有不止一个小数点")}, true},
      {1, "430.12500", "430.0025", "430.00250", {kGoOn}, false},  // the 2.5 kHz raster
      {1, "430.12500", "470.00000", "470.00000", {kGoOn}, false},
      {1, "430.12500", "400.00000", "400.00000", {kGoOn}, false},
      {1, "430.12500", "430.00625", "430.00625", {kGoOn}, false},
      {1, "430.12500", "45.5", "430.12500", {BandMessage("45.50000")}, true},
      {1, "430.12500", "470.00625", "430.12500", {BandMessage("470.00625")}, true},
      {3, "440.00000", "430.013", "440.00000", {RasterMessage("430.01300")}, true},
      {1, "430.01300", "430.01300", "430.01300", {kGoOn}, false},     // the same off-raster text stays
      {1, "", "999", "400.00000", {BandMessage("999.00000")}, true},  // an empty cell shows the lower limit
      {1, "1.00000", "999", "1.00000", {BandMessage("999.00000")}, true},
      {2, "关", "CTCSS:88", "CTCSS:88.0", {}, false},  // signalling columns get ".0"
      {2, "关", "+DCS:023", "+DCS:023", {}, false},
      {2, "关", "d023n", "+DCS:023", {}, false},  // the forms people type
      {2, "关", "88", "CTCSS:88.0", {}, false},
      {2, "关", " 67,0 ", "CTCSS:67.0", {}, false},  // a decimal comma, as frequencies take it
      {4, "关", "CTCSS:88,0", "CTCSS:88.0", {}, false},
      {4, "+DCS:023", "88,", "CTCSS:88.0", {}, false},
      {2, "关", "ctcss:67.0", "CTCSS:67.0", {}, false},
      {4, "CTCSS:67.0", "关", "关", {}, false},
      {5, "禁止", "CTCSS", "CTCSS", {}, false},
      // Only entries of the tone list are taken.
      {4, "+DCS:023", "CTCSS:99.9", "+DCS:023", {ToneMessage("CTCSS:99.9")}, true},
      {4, "+DCS:023", "-DCS:00", "+DCS:023", {ToneMessage("-DCS:00")}, true},
      {2, "关", "", "关", {ToneMessage("")}, true},
      {2, "关", "88,5", "关", {ToneMessage("88,5")}, true},  // not in this list; quoted as typed
      {2, "关", "88,0,5", "关", {ToneMessage("88,0,5")}, true},
  };
  for (const Case& c : cases) {
    SetCell(*view, 1, c.col, c.before);
    Open(1, c.col, 13);
    ASSERT_TRUE(view->editing().editor.visible);
    view->editing().editor.text = c.typed;
    ui.status.clear(), ui.beeps.clear(), view->editing().CommitEdit();
    EXPECT_FALSE(view->editing().editor.visible);
    EXPECT_EQ(view->Cell(1, c.col).text, c.after) << c.typed;
    EXPECT_EQ(ui.status, c.status) << c.typed;
    EXPECT_EQ(ui.beeps.size(), c.beep ? 1u : 0u) << c.typed;
  }
}

TEST_F(CellEditorTest, HowTheEditorOpens) {
  struct Case {
    int col;
    const char* cell;
    char32_t key;
    const char* text;
    int caret, selection_end;
  } cases[] = {
      {1, "430.12500", '4', "4", 1, 0},          // a typed key starts a new value
      {1, "430.12500", U'é', "é", 1, 0},         // two bytes
      {1, "430.12500", U'关', "关", 1, 0},       // three bytes
      {1, "430.12500", U'𠀀', "𠀀", 1, 0},       // U+20000: four bytes
      {1, "430.12500", 0x80, "\xC2\x80", 1, 0},  // the first two-byte character
      {3, "440.00000", 13, "440.00000", 9, 9},   // Enter selects it all
      {2, "DCS", 13, "DCS", 3, 0},               // begins no option
      {2, "ctcss", 13, "CTCSS:67.0", 10, 0},     // the first option it begins
      {9, "宽", 13, "宽带", 2, 0},               // the list's first option too
      {5, "载波控制", 13, "载波控制", 4, 0},     // the caret counts characters, not bytes
  };
  for (const Case& c : cases) {
    SetCell(*view, 1, c.col, c.cell);
    ui.repaints = 0, Open(1, c.col, c.key);
    EXPECT_TRUE(view->editing().editor.visible) << c.cell;
    EXPECT_EQ(view->editing().editor.width_factor, 1.0) << c.cell;
    EXPECT_EQ(ui.repaints, 1) << c.cell;
    EXPECT_EQ(view->editing().editor.text, c.text) << c.cell;
    EXPECT_EQ(view->editing().editor.caret, c.caret) << c.cell;
    EXPECT_EQ(view->editing().editor.selection_start, 0) << c.cell;
    EXPECT_EQ(view->editing().editor.selection_end, c.selection_end) << c.cell;
    view->editing().OnEditorEsc();
  }
  // An editor opened over another starts afresh.
  Open(1, 3, 13), Open(1, 2, 13);
  EXPECT_EQ(view->editing().editor.col, 2);
  EXPECT_EQ(view->editing().editor.selection_end, 0);
  view->editing().OnEditorEsc();
  for (auto [col, key] : std::vector<std::pair<int, char32_t>>{
           {0, '1'}, {10, '1'}, {1, 27}, {1, 9}, {1, 0x1F}, {1, 0x7F}}) {  // header, past the grid, Esc, Tab, controls
    Open(1, col, key);
    EXPECT_FALSE(view->editing().editor.visible);
  }
  Open(0, 1, '1');  // the header row
  EXPECT_FALSE(view->editing().editor.visible);
}

TEST_F(CellEditorTest, DoubleClickWidensTheFirstFourColumns) {
  for (auto [col, width] : std::vector<std::pair<int, double>>{{0, 1.0}, {4, 1.4}, {5, 1.0}, {1, 1.4}}) {
    view->grid.row = 2, view->grid.col = col, view->editing().OnDoubleClick();
    EXPECT_DOUBLE_EQ(view->editing().editor.width_factor, width) << col;
    view->editing().CommitEdit();
  }
}

TEST_F(CellEditorTest, AnEditEscapedLeavesNothingToCommit) {
  Open(1, 1, '9');  // on 430.12500
  view->editing().OnEditorEsc(), ui.status.clear(), view->editing().CommitEdit();
  EXPECT_EQ(view->Cell(1, 1).text, "430.12500");
  EXPECT_TRUE(ui.status.empty());
}

TEST_F(CellEditorTest, ALoadClosesTheEditorWithoutCommitting) {
  Open(1, 1, '4');
  view->LoadProfile(dir.files.ModelFile("KV16U"));
  EXPECT_FALSE(view->editing().editor.visible);
  view->editing().CommitEdit();
  EXPECT_EQ(view->Cell(1, 1).text, "430.12500");
}

TEST_F(CellEditorTest, AnEditCommitsIntoItsOwnCellAfterTheGridMoved) {
  Open(2, 1, 13);
  view->editing().editor.text = "431.00000";
  view->grid.row = 3, view->grid.col = 2;  // the grid moves before its leave-cell commit arrives
  view->editing().CommitEdit();
  EXPECT_EQ(view->Cell(2, 1).text, "431.00000");
  EXPECT_EQ(view->Cell(3, 2).text, "CTCSS:67.0");
}

}  // namespace
}  // namespace kavir::test
