// The batch dialog: a bad set-up writes nothing; a run to its count fills
// the table and the log; Stop ends an endless run after the radio in progress.
#include "batch_dialog.h"

#include <memory>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "app_fixture.h"
#include "batch_cables.h"
#include "command_ids.h"
#include "radio_commands.h"

namespace kavir::app::test {
namespace {

int LogLines(const std::string& path) {
  QFile log(QString::fromStdString(path));
  return log.open(QIODevice::ReadOnly) ? static_cast<int>(log.readAll().count('\n')) : -1;
}

class BatchDialogTest : public AppTest {
 protected:
  // Cable A brings a radio of another model, then one of the screen's; cable B one of the screen's.
  std::unique_ptr<BatchDialog> OpenForOneOfEach() {
    StartFrame();
    auto dialog =
        std::make_unique<BatchDialog>(frame_->view(), VirtualCables({{"A", {2, 1}}, {"B", {1}}}), "A,B", frame_.get());
    dialog->count_field()->setValue(1);
    dialog->verify_box()->setChecked(false);
    dialog->log_field()->setText(QString::fromStdString(Path("batch.csv")));
    return dialog;
  }
};

TEST_F(BatchDialogTest, AMissingFileStartsNothing) {
  auto dialog = OpenForOneOfEach();
  dialog->file_field()->setText(QString::fromStdString(Path("no-such.dat")));
  dialog->file_choice()->setChecked(true);
  dialog->show();
  {
    BoxAnswerer warning({QMessageBox::Ok});
    QTest::mouseClick(dialog->start_button(), Qt::LeftButton);
    ASSERT_EQ(warning.texts.size(), 1);
    EXPECT_TRUE(warning.texts[0].contains("no-such.dat")) << warning.texts[0].toStdString();
  }
  EXPECT_FALSE(dialog->running());
  EXPECT_EQ(LogLines(Path("batch.csv")), -1);
}

TEST_F(BatchDialogTest, ARunToACountListsEachRadioInTheTableAsInTheLog) {
  auto dialog = OpenForOneOfEach();
  dialog->show();
  dialog->screen_choice()->setChecked(true);
  QTest::mouseClick(dialog->start_button(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->running() && dialog->table()->rowCount() == 3; }, 10000));
  QTest::qWait(50);  // the summary arrives queued
  QStringList rows;
  for (int r = 0; r < dialog->table()->rowCount(); ++r)
    rows << dialog->table()->item(r, 1)->text() + " " + dialog->table()->item(r, 3)->text();
  rows.sort();
  EXPECT_EQ(rows, QStringList({"A 已写入 (未校验)", "A 跳过: 机型不同", "B 已写入 (未校验)"}));
  EXPECT_EQ(LogLines(Path("batch.csv")), 4);
  EXPECT_TRUE(dialog->start_button()->isEnabled());
  EXPECT_TRUE(dialog->state_label()->text().contains("共 3 台"));
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

TEST_F(BatchDialogTest, ToolsMenuOpensIt) {
  StartFrame();
  frame_->radio().batch_opener = VirtualCables({});
  bool opened = false;
  OnNextDialog<BatchDialog>([&](BatchDialog* d) {
    opened = true;
    d->reject();
  });
  frame_->action(kCmdBatch)->trigger();
  EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace kavir::app::test
