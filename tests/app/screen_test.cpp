// The programming screen as the user first sees it and changes it.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app_fixture.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "key_settings_dialog.h"
#include "port_dialog.h"
#include "profile/ini_document.h"
#include "radio_commands.h"
#include <QRadioButton>
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

const char* const kFixedKeys[] = {"RunControl", "TuningMode", "RxStay", "RxRestart", "TxRestart",
                                  "RxCH", "TxChanSel", "AssignCHSet", "ScanDirection",
                                  "ScanSpeed", "ScanDelAdd", "TempDel", "ChanMode"};

void ClickTab(CScreenWidget* screen, int index) {
  QTabBar* bar = screen->tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

TEST_F(AppTest, OpensOnTheChannelPageWithListsFilledAndModelSelected) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  EXPECT_EQ(screen->tabs()->count(), 2);
  EXPECT_EQ(screen->tabs()->tabText(0), QStringLiteral(" 功 能 设 置 "));
  EXPECT_EQ(screen->tabs()->tabText(1), QStringLiteral(" 信 道 设 置 "));
  EXPECT_EQ(screen->tabs()->currentIndex(), 1);
  EXPECT_TRUE(screen->grid()->isVisible());
  EXPECT_TRUE(screen->ch_box(1)->isVisible());
  EXPECT_FALSE(screen->combo("TimerOut")->isVisible());

  // The grid's headers and channel labels.
  EXPECT_EQ(Cell(0, 0), QStringLiteral("信道号"));
  EXPECT_EQ(Cell(0, 1), QStringLiteral("接收频率"));
  EXPECT_EQ(Cell(0, 9), QStringLiteral("宽带"));
  EXPECT_EQ(Cell(16, 0), QStringLiteral("CH16"));
  // The start-up model's values are in the grid.
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_EQ(Cell(2, 2), QStringLiteral("CTCSS:67.0"));

  ClickTab(screen, 0);
  EXPECT_EQ(screen->tabs()->currentIndex(), 0);
  EXPECT_FALSE(screen->grid()->isVisible());
  QComboBox* type = screen->combo("Type");
  ASSERT_NE(type, nullptr);
  EXPECT_TRUE(type->isVisible());
  EXPECT_EQ(type->currentText(), QStringLiteral("KV16V"));
  EXPECT_EQ(type->count(), 3);
  EXPECT_GT(screen->combo("TimerOut")->count(), 10);
  EXPECT_EQ(screen->combo("TimerOut")->currentText(), QStringLiteral("60S"));
  EXPECT_TRUE(screen->combo("TimerOut")->isEnabled());
  for (const char* key : kFixedKeys) {
    QComboBox* c = screen->combo(key);
    ASSERT_NE(c, nullptr) << key;
    EXPECT_FALSE(c->isEnabled()) << key;
    EXPECT_TRUE(c->isVisible()) << key;
    EXPECT_GT(c->count(), 0) << key;
  }
  // Mode and the key holders are never on the screen.
  EXPECT_EQ(screen->combo("Mode"), nullptr);
  EXPECT_EQ(screen->combo("PF1S"), nullptr);
  EXPECT_TRUE(screen->battery_box()->isChecked());

  ClickTab(screen, 1);
  EXPECT_TRUE(screen->grid()->isVisible());
  EXPECT_FALSE(screen->combo(kFixedKeys[0])->isEnabled());
}

TEST_F(AppTest, BoxesStandLevelWithTheirRows) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  ChannelGridWidget* grid = screen->grid();
  for (int n = 1; n <= 16; ++n) {
    const int row_centre = grid->y() + grid->RowRect(n).center().y();
    const int box_centre = screen->ch_box(n)->geometry().center().y();
    EXPECT_LE(std::abs(row_centre - box_centre), 1) << n;
    EXPECT_EQ(screen->tx_box(n)->geometry().center().y(), box_centre) << n;
  }
  // Seventeen equal rows fill the grid.
  EXPECT_EQ(grid->rowHeight(0), grid->rowHeight(16));
  EXPECT_LE(grid->rowHeight(0) * 17, grid->viewport()->height());
  // One row in 17.6 of the grid's height, whole pixels.
  EXPECT_EQ(grid->rowHeight(0), (grid->height() - 4) * 10 / 176);
  EXPECT_GT(grid->rowHeight(0) * 18, grid->viewport()->height() - grid->rowHeight(0));
}

TEST_F(AppTest, ModelChangeYesLoadsTheNewModel) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  ClickTab(screen, 0);
  BoxAnswerer answers({QMessageBox::Yes});
  QComboBox* type = screen->combo("Type");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_Down);
  ASSERT_EQ(answers.texts.size(), 1);
  EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("您需要改变机器型号吗")));
  EXPECT_EQ(answers.captions[0], QStringLiteral("提示信息!"));
  EXPECT_EQ(type->currentText(), QStringLiteral("KV16U"));
  EXPECT_TRUE(Cell(1, 1).startsWith(QStringLiteral("40"))) << Cell(1, 1).toStdString();
  EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("FreqV"))->text(), QStringLiteral("400"));
  EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("FreqU"))->text(), QStringLiteral("470"));
}

TEST_F(AppTest, ModelChangeNoKeepsEverything) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  ClickTab(screen, 0);
  BoxAnswerer answers({QMessageBox::No});
  QComboBox* type = screen->combo("Type");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_Down);
  ASSERT_EQ(answers.texts.size(), 1);
  EXPECT_EQ(type->currentText(), QStringLiteral("KV16V"));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
}

TEST_F(AppTest, ChBoxClickGreysTheRowAndClickingAgainRestoresIt) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  QCheckBox* box = screen->ch_box(3);
  ASSERT_TRUE(box->isChecked());
  const QColor grey(0xAA, 0xAA, 0xAA);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(frame_->view().ch_box[2].checked());
  for (int col = 1; col <= 9; ++col)
    EXPECT_EQ(screen->grid()->item(3, col)->foreground().color(), grey) << col;
  EXPECT_NE(screen->grid()->item(4, 1)->foreground().color(), grey);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
  EXPECT_NE(screen->grid()->item(3, 1)->foreground().color(), grey);
}

TEST_F(AppTest, CloseAllThenOpenAllFromTheToolbar) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  frame_->action(kCmdCloseAll)->trigger();
  for (int n = 1; n <= 16; ++n) EXPECT_FALSE(screen->ch_box(n)->isChecked()) << n;
  EXPECT_EQ(screen->grid()->item(16, 9)->foreground().color(), QColor(0xAA, 0xAA, 0xAA));
  frame_->action(kCmdOpenAll)->trigger();
  for (int n = 1; n <= 16; ++n) EXPECT_TRUE(screen->ch_box(n)->isChecked()) << n;
  EXPECT_EQ(screen->grid()->item(16, 9)->foreground().color(), QColor(Qt::black));
  // The page that was showing comes back.
  EXPECT_EQ(screen->tabs()->currentIndex(), 1);
  EXPECT_TRUE(screen->grid()->isVisible());
  EXPECT_TRUE(frame_->status_text().endsWith(QStringLiteral("打开所有通道！")));
}

TEST_F(AppTest, KeySettingsDialogChangesTheHolderOnlyOnOk) {
  StartFrame();
  ComboBox* pf1 = frame_->view().Combo("PF1S");
  ASSERT_NE(pf1, nullptr);
  ASSERT_GT(pf1->options.size(), 2u);
  const int before = pf1->selected;
  const int other = before == 1 ? 2 : 1;
  QString title;
  OnNextDialog<KeySettingsDialog>([&](KeySettingsDialog* d) {
    title = d->windowTitle();
    d->combo(0)->setCurrentIndex(other);
    d->reject();
  });
  frame_->action(kCmdKeySettings)->trigger();
  EXPECT_EQ(title, QStringLiteral("键盘设置"));
  EXPECT_EQ(pf1->selected, before);
  OnNextDialog<KeySettingsDialog>([&](KeySettingsDialog* d) {
    d->combo(0)->setCurrentIndex(other);
    d->accept();
  });
  frame_->action(kCmdKeySettings)->trigger();
  EXPECT_EQ(pf1->selected, other);
}

}  // namespace
}  // namespace kavir::app::test

namespace kavir::app::test {
namespace {

TEST_F(AppTest, PortDialogTakesATypedDeviceAndAComButton) {
  StartFrame();
  QString title;
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    title = d->windowTitle();
    EXPECT_TRUE(d->com_button(1)->isChecked());
    d->device_field()->setEditText(QStringLiteral("/dev/pts/42"));
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(title, QStringLiteral("串口配置"));
  EXPECT_EQ(frame_->radio().link().device, "/dev/pts/42");
  const std::string ini = Path("KAVIR.ini");
  EXPECT_EQ(GetPrivateProfileString("ComPort", "Device", "", 260, ini), "/dev/pts/42");

  BoxAnswerer forget_device({QMessageBox::Yes});
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    QTest::mouseClick(d->com_button(3), Qt::LeftButton);
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(frame_->radio().link().port_number, 3);
  EXPECT_EQ(frame_->radio().link().device, "");
  EXPECT_EQ(GetPrivateProfileString("ComPort", "1", "", 3, ini), "3");
}

}  // namespace
}  // namespace kavir::app::test
