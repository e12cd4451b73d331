// Editing from the keyboard: undo and redo, the clipboard, bulk edits and
// the question before unsaved changes are thrown away.
#include <QClipboard>

#include "app_fixture.h"
#include "command_ids.h"
#include "lang/language.h"

namespace kavir::app::test {
namespace {

class EditTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartFrame();
    grid_ = frame_->screen()->grid();
    frame_->activateWindow();
    grid_->setFocus();
    grid_->setCurrentCell(1, 1);
  }
  // Types text on the current cell (the first key opens the editor) and Enter.
  void TypeOnCell(const QString& text) {
    QTest::keyClick(grid_, text.at(0).toLatin1());
    QLineEdit* editor = grid_->frequency_editor();
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(grid_, key, mods); }
  QString Row(int row) const {
    QStringList cells;
    for (int col = 1; col <= 9; ++col) cells << Cell(row, col);
    return cells.join(QLatin1Char('|'));
  }
  ChannelGridWidget* grid_ = nullptr;
};

TEST_F(EditTest, EditKeysStepThroughTheHistoryWhileTheTitleShowsUnsavedState) {
  ASSERT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  QAction* undo = frame_->action(kCmdUndo);
  TypeOnCell(QStringLiteral("146.5"));
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_TRUE(frame_->windowTitle().contains(QLatin1Char('*'))) << frame_->windowTitle().toStdString();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(frame_->windowTitle().contains(QLatin1Char('*')));
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("146.50000"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("146.50000"));
  EXPECT_FALSE(frame_->action(kCmdRedo)->isEnabled());
}

TEST_F(EditTest, ChannelsCopiedThroughTheClipboardPasteLowerAsOneStep) {
  TypeOnCell(QStringLiteral("150.0125"));  // channel 1 differs from the rest
  auto click_label = [&](int row, Qt::KeyboardModifiers mods) {
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, mods,
                      grid_->visualRect(grid_->model()->index(row, 0)).center());
  };
  click_label(1, Qt::NoModifier);
  click_label(2, Qt::ShiftModifier);
  EXPECT_EQ(frame_->view().editing().selection.count(), 18);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 2);

  const QString row1 = Row(1), row2 = Row(2), row9 = Row(9), row10 = Row(10);
  ASSERT_NE(row1, row9);
  grid_->setCurrentCell(9, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Row(9), row1);
  EXPECT_EQ(Row(10), row2);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Row(9), row9);
  EXPECT_EQ(Row(10), row10);

  // Cells the screen refuses are named.
  QApplication::clipboard()->setText(QStringLiteral("150\t\t999\n"));
  grid_->setCurrentCell(2, 1);
  BoxAnswerer boxes({QMessageBox::Ok});
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("150.00000"));
  ASSERT_EQ(boxes.texts.size(), 1);
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("CH02 发射频率 \"999\""))) << boxes.texts[0].toStdString();
}

TEST_F(EditTest, TypingWithACellRangeSelectedSetsEveryCellOfIt) {
  grid_->setCurrentCell(3, 1);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  TypeOnCell(QStringLiteral("151.0250"));
  EXPECT_EQ(Cell(3, 1), QStringLiteral("151.02500"));
  EXPECT_EQ(Cell(4, 1), QStringLiteral("151.02500"));
  EXPECT_NE(Cell(5, 1), QStringLiteral("151.02500"));
}

TEST_F(EditTest, DeleteClearsTheSelectedCellsAsOneStep) {
  grid_->setCurrentCell(7, 5);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Cell(7, 5), QString());
  EXPECT_EQ(Cell(7, 6), QString());
  EXPECT_FALSE(Cell(7, 7).isEmpty());
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("已清除 2 个单元格"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("已撤销 2 处修改"));
}

// Counts read in English as English counts: one cell, two cells.
TEST_F(EditTest, StatusTextsCountInTheFormOfTheirNumber) {
  lang::Apply(true, "");
  const struct {
    int cells;
    const char *cleared, *undone, *redone;
  } cases[] = {{1, "1 cell cleared", "1 change undone", "1 change redone"},
               {3, "3 cells cleared", "3 changes undone", "3 changes redone"}};
  for (const auto& c : cases) {
    grid_->setCurrentCell(7, 5);
    for (int i = 1; i < c.cells; ++i) Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(frame_->status_text().trimmed().toStdString(), c.cleared);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(frame_->status_text().trimmed().toStdString(), c.undone);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame_->status_text().trimmed().toStdString(), c.redone);
    Key(Qt::Key_Z, Qt::ControlModifier);
  }
  lang::Apply(false, "");
}

TEST_F(EditTest, ClosingWithUnsavedChangesClosesOnlyWhenTheyAreDiscarded) {
  TypeOnCell(QStringLiteral("146.5"));
  {
    BoxAnswerer boxes({QMessageBox::Cancel});
    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("修改尚未保存")));
  }
  EXPECT_TRUE(frame_->isVisible());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("146.50000"));
  {
    BoxAnswerer boxes({QMessageBox::Discard});
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(boxes.texts.size(), 1);
  }
}

}  // namespace
}  // namespace kavir::app::test
