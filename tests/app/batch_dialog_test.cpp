// The batch dialog: a run to its count fills the table and the log; Stop
// ends an endless run after the radio in progress; a bad set-up writes
// nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app_fixture.h"
#include "batch_cables.h"
#include "batch_dialog.h"
#include "command_ids.h"
#include "radio_commands.h"

namespace kavir::app::test {
namespace {

class BatchDialogTest : public AppTest {
 protected:
  int LogLines(const std::string& path) {
    std::ifstream in(path);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
  }
};

TEST_F(BatchDialogTest, RunToCountFillsTableAndLog) {
  StartFrame();
  BatchDialog dialog(frame_->view(), VirtualCables({{"A", {2, 1}}, {"B", {1}}}), "A,B", frame_.get());
  dialog.count_field()->setValue(1);
  dialog.verify_box()->setChecked(false);
  dialog.log_field()->setText(QString::fromStdString(Path("batch.csv")));
  dialog.show();
  QTest::mouseClick(dialog.start_button(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.running() && dialog.table()->rowCount() == 3; }, 10000));
  QTest::qWait(50);  // the summary arrives queued
  QStringList rows;
  for (int r = 0; r < dialog.table()->rowCount(); ++r)
    rows << dialog.table()->item(r, 1)->text() + " " + dialog.table()->item(r, 3)->text();
  rows.sort();
  EXPECT_EQ(rows, QStringList({"A 已写入 (未校验)", "A 跳过: 机型不同", "B 已写入 (未校验)"}));
  EXPECT_EQ(LogLines(Path("batch.csv")), 4);
  EXPECT_TRUE(dialog.start_button()->isEnabled());
  EXPECT_TRUE(dialog.state_label()->text().contains("共 3 台"));
}

TEST_F(BatchDialogTest, StopEndsAnEndlessRunWithAWholeLog) {
  StartFrame();
  BatchDialog dialog(frame_->view(), VirtualCables({{"A", std::vector<int>(2000, 1)}}), "A", frame_.get());
  dialog.verify_box()->setChecked(false);
  dialog.log_field()->setText(QString::fromStdString(Path("batch.csv")));
  dialog.show();
  QTest::mouseClick(dialog.start_button(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.table()->rowCount() >= 1; }, 10000));
  QTest::mouseClick(dialog.stop_button(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.running(); }, 10000));
  QTest::qWait(50);
  EXPECT_LT(dialog.table()->rowCount(), 2000);
  EXPECT_EQ(LogLines(Path("batch.csv")), dialog.table()->rowCount() + 1);
}

TEST_F(BatchDialogTest, MissingFileWritesNothing) {
  StartFrame();
  BatchDialog dialog(frame_->view(), VirtualCables({{"A", {1}}}), "A", frame_.get());
  dialog.file_field()->setText(QString::fromStdString(Path("no-such.dat")));
  dialog.file_choice()->setChecked(true);
  dialog.log_field()->setText(QString::fromStdString(Path("batch.csv")));
  dialog.show();
  QString warning;
  OnNextDialog<QMessageBox>([&](QMessageBox* box) {
    warning = box->text();
    box->accept();
  });
  QTest::mouseClick(dialog.start_button(), Qt::LeftButton);
  EXPECT_TRUE(warning.contains("no-such.dat")) << warning.toStdString();
  EXPECT_FALSE(dialog.running());
  EXPECT_FALSE(std::ifstream(Path("batch.csv")).good());
}

TEST_F(BatchDialogTest, ToolsMenuOpensIt) {
  StartFrame();
  frame_->radio().batch_opener = VirtualCables({});
  QString title;
  OnNextDialog<BatchDialog>([&](BatchDialog* d) {
    title = d->windowTitle();
    d->reject();
  });
  EXPECT_EQ(frame_->action(kCmdBatch)->text(), "批量写入...");
  frame_->action(kCmdBatch)->trigger();
  EXPECT_EQ(title, "批量写入");
}

}  // namespace
}  // namespace kavir::app::test
