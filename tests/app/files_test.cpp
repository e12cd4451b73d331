// Save As and Open through the file dialogs, and what happens when a file
// cannot be written.
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "profile/ini_document.h"
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

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

void SetCell(ChannelGridWidget* grid, int row, int col, const QString& text) {
  grid->setFocus();
  grid->setCurrentCell(row, col);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(grid->frequency_editor(), text);
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
}

TEST_F(AppTest, SaveAsThenOpenBringsTheSavedValuesBack) {
  StartFrame();
  ChannelGridWidget* grid = frame_->screen()->grid();
  SetCell(grid, 2, 1, QStringLiteral("150.0125"));
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

  SetCell(grid, 2, 1, QStringLiteral("160.0250"));
  ASSERT_EQ(Cell(2, 1), QStringLiteral("160.02500"));
  TypeFileName(QString::fromStdString(file));
  BoxAnswerer discard({QMessageBox::Discard});  // the unsaved edit is dropped
  frame_->action(kCmdOpen)->trigger();
  EXPECT_EQ(Cell(2, 1), QStringLiteral("150.01250"));
  EXPECT_EQ(frame_->view().current_file_name, file);
}

TEST_F(AppTest, CtrlOOpensTheOpenDialog) {
  StartFrame();
  bool shown = false;
  OnNextDialog<QFileDialog>([&](QFileDialog* d) {
    shown = d->acceptMode() == QFileDialog::AcceptOpen;
    d->reject();
  });
  QTest::keyClick(frame_.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
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
