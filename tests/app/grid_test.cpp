// Editing the channel grid with the keyboard and the mouse.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

class GridTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartFrame();
    grid_ = frame_->screen()->grid();
    grid_->setFocus();
    grid_->setCurrentCell(1, 1);
  }
  QString Status() const { return frame_->status_text().trimmed(); }
  ChannelGridWidget* grid_ = nullptr;
};

TEST_F(GridTest, TypingStartsANewValue) {
  ASSERT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  QTest::keyClick(grid_, Qt::Key_4);
  QLineEdit* editor = grid_->frequency_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("4"));
  EXPECT_EQ(editor->cursorPosition(), 1);
  // Placed over the cell, exactly as wide.
  const QRect cell = grid_->visualRect(grid_->model()->index(1, 1));
  EXPECT_EQ(editor->geometry().topLeft(), cell.topLeft());
  EXPECT_EQ(editor->width(), cell.width());
}

TEST_F(GridTest, EnterCommitsAnAcceptedFrequency) {
  QTest::keyClick(grid_, Qt::Key_Return);
  QLineEdit* editor = grid_->frequency_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->selectedText(), QStringLiteral("137.11250"));
  QTest::keyClicks(editor, QStringLiteral("150.0125"));
  const int beeps = frame_->ui().beep_count();
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.01250"));
  EXPECT_EQ(frame_->view().grid.Text(1, 1), "150.01250");
  EXPECT_EQ(Status(), QStringLiteral("请继续.............."));
  EXPECT_EQ(frame_->ui().beep_count(), beeps);
  EXPECT_TRUE(grid_->hasFocus());
}

TEST_F(GridTest, OutOfBandEntryIsRejectedWithToneAndOldValueBack) {
  QTest::keyClick(grid_, Qt::Key_4);
  const int beeps = frame_->ui().beep_count();
  QTest::keyClick(grid_->frequency_editor(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_EQ(Status(), QStringLiteral("错误, 您输入的频率:400.00000 不在当前频率范围内, 请继续....."));
  EXPECT_EQ(frame_->ui().beep_count(), beeps + 1);
}

TEST_F(GridTest, OffRasterEntryIsRejectedWithItsOwnMessage) {
  QTest::keyClick(grid_, Qt::Key_Return);
  QTest::keyClicks(grid_->frequency_editor(), QStringLiteral("150.01"));
  QTest::keyClick(grid_->frequency_editor(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_EQ(Status(), QStringLiteral("您输入的非法频点(150.01000) 无法通过较验, 请重新输入....."));
}

TEST_F(GridTest, EscLeavesTheCellAndTheStatusLineAlone) {
  frame_->SetStatusText(QStringLiteral("before"));
  QTest::keyClick(grid_, Qt::Key_9);
  ASSERT_TRUE(grid_->frequency_editor()->isVisible());
  QTest::keyClick(grid_->frequency_editor(), Qt::Key_Escape);
  EXPECT_FALSE(grid_->frequency_editor()->isVisible());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_EQ(Status(), QStringLiteral("before"));
  // Moving on afterwards commits nothing.
  QTest::keyClick(grid_, Qt::Key_Down);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
}

TEST_F(GridTest, MovingToAnotherCellCommitsIntoTheEditedCell) {
  QTest::keyClick(grid_, Qt::Key_Return);
  QTest::keyClicks(grid_->frequency_editor(), QStringLiteral("140.0125"));
  // A click on another cell moves the current cell; the value lands in 1,1.
  const QRect target = grid_->visualRect(grid_->model()->index(5, 3));
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, target.center());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("140.01250"));
  EXPECT_NE(Cell(5, 3), QStringLiteral("140.01250"));
  EXPECT_EQ(grid_->currentRow(), 5);
  EXPECT_EQ(grid_->currentColumn(), 3);
  EXPECT_FALSE(grid_->frequency_editor()->isVisible());
}

TEST_F(GridTest, ArrowKeyAfterTypingCommitsToo) {
  QTest::keyClick(grid_, Qt::Key_Return);
  QTest::keyClicks(grid_->frequency_editor(), QStringLiteral("145.0250"));
  grid_->setFocus();
  QTest::keyClick(grid_, Qt::Key_Down);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("145.02500"));
  EXPECT_EQ(grid_->currentRow(), 2);
}

TEST_F(GridTest, DoubleClickOpensAWiderEditorWithTheTextSelected) {
  const QRect cell = grid_->visualRect(grid_->model()->index(2, 3));
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  QLineEdit* editor = grid_->frequency_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->selectedText(), Cell(2, 3));
  EXPECT_EQ(editor->width(), static_cast<int>(cell.width() * 1.4));
  EXPECT_EQ(editor->geometry().topLeft(), cell.topLeft());
  // The column keeps its width.
  EXPECT_EQ(grid_->visualRect(grid_->model()->index(2, 3)).width(), cell.width());
}

TEST_F(GridTest, DoubleClickOnALaterColumnKeepsTheCellWidth) {
  const QRect cell = grid_->visualRect(grid_->model()->index(4, 6));
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  QComboBox* editor = grid_->list_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->width(), cell.width());
}

TEST_F(GridTest, ListCellOffersTheOptionsAndCompletesATone) {
  grid_->setCurrentCell(1, 2);
  QTest::keyClick(grid_, Qt::Key_Return);
  QComboBox* editor = grid_->list_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->currentText(), Cell(1, 2));
  EXPECT_GT(editor->count(), 50);
  EXPECT_EQ(editor->itemText(1), QStringLiteral("CTCSS:67.0"));
  editor->lineEdit()->selectAll();
  QTest::keyClicks(editor->lineEdit(), QStringLiteral("CTCSS:67"));
  QTest::keyClick(editor->lineEdit(), Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(Cell(1, 2), QStringLiteral("CTCSS:67.0"));
}

TEST_F(GridTest, ListCellTakesAPickedOption) {
  grid_->setCurrentCell(3, 6);
  QTest::keyClick(grid_, Qt::Key_Return);
  QComboBox* editor = grid_->list_editor();
  ASSERT_TRUE(editor->isVisible());
  ASSERT_GT(editor->count(), 1);
  const int pick = editor->currentIndex() == 0 ? 1 : 0;
  const QString text = editor->itemText(pick);
  editor->setCurrentIndex(pick);
  QTest::keyClick(editor->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Cell(3, 6), text);
}

TEST_F(GridTest, HeaderCellsNeverBecomeCurrent) {
  grid_->setCurrentCell(1, 1);
  QTest::keyClick(grid_, Qt::Key_Up);
  EXPECT_EQ(grid_->currentRow(), 1);
  QTest::keyClick(grid_, Qt::Key_Left);
  EXPECT_EQ(grid_->currentColumn(), 1);
}

}  // namespace
}  // namespace kavir::app::test
