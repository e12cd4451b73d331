// CSV import through its preview, opening a radio image, and comparing the
// screen with the radio, driven through the menus.
#include <QCheckBox>
#include <QInputDialog>
#include <QPushButton>
#include <QTableWidget>

#include "app_fixture.h"
#include "command_ids.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"

namespace kavir::app::test {
namespace {

QString Fixture(const char* name) {
  return QStringLiteral(KAVIR_FIXTURES_DIR "/interchange/") + QString::fromUtf8(name);
}

TEST_F(AppTest, ImportPreviewListsRowsAndRefusalsBeforeAnythingChanges) {
  StartFrame();
  const QString before = Cell(1, 1);
  int rows = -1;
  QString refusal, screen_while_open;
  bool by_location_moves_row = false;
  TypeFileName(Fixture("refused.csv"));
  OnNextDialog<ImportPreviewDialog>([&](ImportPreviewDialog* d) {
    rows = d->table()->rowCount();
    refusal = d->table()->item(0, 9)->text();
    screen_while_open = Cell(1, 1);
    d->by_location()->setChecked(true);
    by_location_moves_row = d->table()->item(rows - 1, 2)->text() == QStringLiteral("CH15");
    d->by_location()->setChecked(false);
    d->import_button()->click();
  });
  frame_->action(kCmdImportCsv)->trigger();
  EXPECT_EQ(rows, 14);
  EXPECT_TRUE(refusal.contains(QStringLiteral("reverse squelch"))) << refusal.toStdString();
  EXPECT_EQ(screen_while_open, before);
  EXPECT_TRUE(by_location_moves_row);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("146.52000"));
}

TEST_F(AppTest, OpeningAnImageAsksForTheModelWhenItsNameDoesNotSay) {
  StartFrame();
  sim::RadioImage image = ImageWith("KV16U.ini", {{"CH02.RxFreq", "440.02500"}});
  QFile f(QString::fromStdString(Path("radio.img")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
  f.close();
  TypeFileName(f.fileName());
  QStringList offered;
  OnNextDialog<QInputDialog>([&](QInputDialog* d) {
    offered = d->comboBoxItems();
    d->setTextValue(QStringLiteral("KV16U"));
    d->accept();
  });
  frame_->action(kCmdOpen)->trigger();
  EXPECT_EQ(offered.size(), 3);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("440.02500"));
  EXPECT_EQ(frame_->view().Combo("Type")->SelectedText(), "KV16U");
}

TEST_F(AppTest, CompareWithTheRadioListsDifferencesAndKeepsTheScreen) {
  StartFrame(ImageWith("KV16V.ini", {{"CH04.RxFreq", "150.02500"}}));
  BoxAnswerer boxes({QMessageBox::Yes});
  QStringList where;
  OnNextDialog<CompareDialog>([&](CompareDialog* d) {
    for (int r = 0; r < d->table()->rowCount(); ++r) where << d->table()->item(r, 0)->text();
    d->accept();
  });
  frame_->action(kCmdCompareRadio)->trigger();
  EXPECT_TRUE(where.contains(QStringLiteral("CH04 接收频率"))) << where.join(',').toStdString();
  EXPECT_EQ(Cell(4, 1), QStringLiteral("143.81875"));
}

}  // namespace
}  // namespace kavir::app::test
