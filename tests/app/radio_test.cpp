// Reading and writing against the in-process virtual radio, through the
// menu and toolbar commands.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "radio_commands.h"
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

class RadioTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartFrame(ImageWith("KV16V.ini", {{"CH01.RxFreq", "150.02500"}, {"TimerOut", "30S"}}));
    // Sample the progress bar each time the transfer lets the window paint.
    auto& link = frame_->radio().link();
    auto paint = link.idle_hook;
    link.idle_hook = [this, paint] {
      if (QProgressBar* bar = frame_->progress_bar()) {
        if (positions_.isEmpty() || positions_.back() != bar->value()) positions_ << bar->value();
        labels_ << frame_->progress_label()->text();
      }
      if (paint) paint();
    };
  }
  QList<int> positions_;
  QStringList labels_;
};

TEST_F(RadioTest, ReadFromTheToolbarFillsTheScreenAndTheBarMoves) {
  ASSERT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  BoxAnswerer boxes({QMessageBox::Yes});
  frame_->action(kCmdRead)->trigger();
  ASSERT_EQ(boxes.texts.size(), 2);  // the confirmation and the closing message
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("您一定要进行数据读取吗")));
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("16 个信道")));
  EXPECT_EQ(boxes.captions[0], QStringLiteral("提示信息!"));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.02500"));
  EXPECT_EQ(frame_->view().Combo("TimerOut")->SelectedText(), "30S");
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
  EXPECT_EQ(frame_->progress_bar(), nullptr);
  ASSERT_GE(positions_.size(), 10);
  for (int i = 1; i < positions_.size(); ++i) EXPECT_GE(positions_[i], positions_[i - 1]);
  EXPECT_GE(positions_.back(), 48);
  EXPECT_TRUE(frame_->action(kCmdRead)->isEnabled());
}

TEST_F(RadioTest, ReadAnsweredNoAtTheConfirmationChangesNothing) {
  BoxAnswerer boxes({QMessageBox::No});
  frame_->action(kCmdRead)->trigger();
  EXPECT_EQ(boxes.texts.size(), 1);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_TRUE(radio_->sent().empty());
}

TEST_F(RadioTest, SilentRadioFailurePromptYesRetriesThenNoGivesUp) {
  radio_->radio().faults.silent_from = 0;
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No});
  frame_->action(kCmdRead)->trigger();
  ASSERT_EQ(boxes.texts.size(), 4);  // ... and the closing message
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("握手过程发生通讯错误/超时连接")));
  EXPECT_TRUE(boxes.texts[2].contains(QStringLiteral("握手过程发生通讯错误/超时连接")));
  EXPECT_EQ(boxes.captions[2], QStringLiteral("提示信息!"));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_NE(frame_->status_text().trimmed(), QStringLiteral("完毕!"));
  EXPECT_EQ(frame_->progress_bar(), nullptr);
}

TEST_F(RadioTest, PacketFailureOnceThenYesCompletesTheRead) {
  radio_->radio().faults.wrong_address_packet = 5;
  radio_->radio().faults.once = true;
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Yes});
  frame_->action(kCmdRead)->trigger();
  ASSERT_EQ(boxes.texts.size(), 3);
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("接收第 05 个数据包时发生通讯错误")))
      << boxes.texts[1].toStdString();
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.02500"));
}

TEST_F(RadioTest, WriteSendsTheEditedScreenWhichReadsBack) {
  ChannelGridWidget* grid = frame_->screen()->grid();
  grid->setFocus();
  grid->setCurrentCell(4, 1);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(grid->frequency_editor(), QStringLiteral("162.0375"));
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
  ASSERT_EQ(Cell(4, 1), QStringLiteral("162.03750"));

  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
    ASSERT_GE(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("数据写入吗")))
        << boxes.texts[0].toStdString();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 1);
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));

  // Overwrite the cell, then read the radio: the written value comes back.
  grid->setFocus();
  grid->setCurrentCell(4, 1);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(grid->frequency_editor(), QStringLiteral("140.0000"));
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
  ASSERT_EQ(Cell(4, 1), QStringLiteral("140.00000"));
  // The edit is unsaved: 不保存, then Yes to the read.
  BoxAnswerer again({QMessageBox::Discard, QMessageBox::Yes});
  frame_->action(kCmdRead)->trigger();
  EXPECT_EQ(Cell(4, 1), QStringLiteral("162.03750"));
}

TEST_F(RadioTest, WriteFailurePromptYesThenNo) {
  radio_->radio().faults.silent_from = 21;
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No});
  frame_->action(kCmdWrite)->trigger();
  ASSERT_EQ(boxes.texts.size(), 4);
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("传输第 21 个数据包时发生通讯错误")))
      << boxes.texts[1].toStdString();
  EXPECT_TRUE(boxes.texts[2].contains(QStringLiteral("传输第 21 个数据包时发生通讯错误")));
  EXPECT_EQ(radio_->radio().completed_writes(), 0);
}

TEST_F(RadioTest, PortThatWillNotOpenIsShownAsAClearMessage) {
  radio_->Close();
  radio_->refuse_open = "/dev/ttyUSB7: Permission denied";
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok, QMessageBox::No});
  frame_->action(kCmdRead)->trigger();
  EXPECT_TRUE(boxes.texts.join("\n").contains(QStringLiteral("Permission denied")))
      << boxes.texts.join("\n").toStdString();
}

}  // namespace
}  // namespace kavir::app::test
