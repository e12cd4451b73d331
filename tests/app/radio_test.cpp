// Reading and writing the in-process virtual radio through the toolbar, and
// Save As and Open through the file dialogs.
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "profile/ini_document.h"
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
      if (QProgressBar* bar = frame_->progress_bar())
        if (positions_.isEmpty() || positions_.back() != bar->value()) positions_ << bar->value();
      if (paint) paint();
    };
  }
  QList<int> positions_;
};

TEST_F(RadioTest, ReadFillsTheScreenWhileTheBarMoves) {
  ASSERT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  BoxAnswerer boxes({QMessageBox::Yes});
  frame_->action(kCmdRead)->trigger();
  ASSERT_EQ(boxes.texts.size(), 2);  // the confirmation and the closing message
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("您一定要进行数据读取吗")));
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("16 个信道")));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.02500"));
  EXPECT_EQ(frame_->view().Combo("TimerOut")->SelectedText(), "30S");
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
  EXPECT_EQ(frame_->progress_bar(), nullptr);
  ASSERT_GE(positions_.size(), 10);
  for (int i = 1; i < positions_.size(); ++i) EXPECT_GE(positions_[i], positions_[i - 1]);
  EXPECT_GE(positions_.back(), 48);
  EXPECT_TRUE(frame_->action(kCmdRead)->isEnabled());
}

TEST_F(RadioTest, WriteSendsTheEditedScreenAndFailuresAreAsked) {
  SetCell(4, 1, QStringLiteral("162.0375"));
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
    ASSERT_GE(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("数据写入吗"))) << boxes.texts[0].toStdString();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 1);
  SetCell(4, 1, QStringLiteral("140.0000"));
  {
    BoxAnswerer boxes({QMessageBox::Discard, QMessageBox::Yes});  // drop the unsaved edit, then read
    frame_->action(kCmdRead)->trigger();
  }
  EXPECT_EQ(Cell(4, 1), QStringLiteral("162.03750"));  // what was written comes back

  radio_->radio().faults.silent_from = 21;
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::No});
  frame_->action(kCmdWrite)->trigger();
  ASSERT_EQ(boxes.texts.size(), 3);  // ... and the closing message
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("传输第 21 个数据包时发生通讯错误"))) << boxes.texts[1].toStdString();
  EXPECT_EQ(radio_->radio().completed_writes(), 1);
  EXPECT_EQ(frame_->progress_bar(), nullptr);
}

// Types a name into the file dialog and presses Enter, as a user would.
void TypeFileName(const QString& path, QString* filter_out = nullptr) {
  OnNextDialog<QFileDialog>([path, filter_out](QFileDialog* dialog) {
    if (filter_out) *filter_out = dialog->nameFilters().join(QStringLiteral(";;"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

TEST_F(AppTest, SaveAsThenOpenBringsTheSavedValuesBack) {
  StartFrame();
  SetCell(2, 1, QStringLiteral("150.0125"));
  ASSERT_EQ(Cell(2, 1), QStringLiteral("150.01250"));

  const QString saved = dir_.filePath(QStringLiteral("客户A"));
  QString filter;
  TypeFileName(saved, &filter);
  frame_->action(kCmdSaveAs)->trigger();
  EXPECT_EQ(filter, QStringLiteral("dat Files (*.dat);;All Files (*.*)"));
  // The default extension is added.
  const std::string file = (saved + QStringLiteral(".dat")).toStdString();
  ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
  EXPECT_EQ(GetPrivateProfileString("Previous", "CH02.RxFreq", "", 20, file), "150.01250");
  EXPECT_EQ(GetPrivateProfileString("Previous", "Type", "", 20, file), "KV16V");

  SetCell(2, 1, QStringLiteral("160.0250"));
  ASSERT_EQ(Cell(2, 1), QStringLiteral("160.02500"));
  TypeFileName(QString::fromStdString(file));
  BoxAnswerer discard({QMessageBox::Discard});  // the unsaved edit is dropped
  frame_->action(kCmdOpen)->trigger();
  EXPECT_EQ(Cell(2, 1), QStringLiteral("150.01250"));
  EXPECT_EQ(frame_->view().current_file_name, file);
}

TEST_F(AppTest, SaveWhereNoFileCanBeMadeSaysWhereAndWhy) {
  StartFrame();
  // A plain file where a folder should be: no rights let anyone save there.
  const QString blocker = dir_.filePath(QStringLiteral("not-a-folder"));
  QFile f(blocker);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  BoxAnswerer boxes({QMessageBox::Ok});
  OnNextDialog<QFileDialog>([blocker](QFileDialog* dialog) {
    // The dialog itself refuses such a path, so hand it over as chosen.
    dialog->selectFile(blocker + QStringLiteral("/x.dat"));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  frame_->action(kCmdSaveAs)->trigger();
  QTest::qWait(50);
  ASSERT_FALSE(boxes.texts.isEmpty());
  EXPECT_TRUE(boxes.texts.join("\n").contains(QStringLiteral("not-a-folder")))
      << boxes.texts.join("\n").toStdString();
}

}  // namespace
}  // namespace kavir::app::test
