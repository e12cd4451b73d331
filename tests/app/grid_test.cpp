// Editing the channel grid with the keyboard and the mouse.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, GridEditorsOpenOverTheCellAndCommitIntoIt) {
  StartFrame();
  ChannelGridWidget* grid = frame_->screen()->grid();
  auto rect = [&](int row, int col) { return grid->visualRect(grid->model()->index(row, col)); };
  grid->setFocus();
  grid->setCurrentCell(1, 1);
  QTest::keyClick(grid, Qt::Key_4);
  QLineEdit* editor = grid->frequency_editor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("4"));  // typing starts a new value
  EXPECT_EQ(editor->geometry(), rect(1, 1));
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("150.0125"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(frame_->view().grid.Text(1, 1), "150.01250");
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("请继续.............."));

  QTest::keyClick(grid, Qt::Key_9);
  QTest::keyClick(editor, Qt::Key_Escape);
  QTest::keyClick(grid, Qt::Key_Up);  // the header row never becomes current
  EXPECT_EQ(grid->currentRow(), 1);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.01250"));

  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(editor, QStringLiteral("140.0125"));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect(5, 3).center());  // commits into 1,1
  EXPECT_EQ(Cell(1, 1), QStringLiteral("140.01250"));
  EXPECT_EQ(grid->currentRow(), 5);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect(5, 3).center());
  EXPECT_EQ(editor->selectedText(), Cell(5, 3));
  EXPECT_EQ(editor->width(), static_cast<int>(rect(5, 3).width() * 1.4));
  QTest::keyClick(editor, Qt::Key_Escape);

  grid->setFocus();
  grid->setCurrentCell(1, 2);
  QTest::keyClick(grid, Qt::Key_Return);
  QComboBox* list = grid->list_editor();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->currentText(), Cell(1, 2));
  list->lineEdit()->selectAll();
  QTest::keyClicks(list->lineEdit(), QStringLiteral("CTCSS:67"));
  QTest::keyClick(list->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 2), QStringLiteral("CTCSS:67.0"));
}

}  // namespace
}  // namespace kavir::app::test
