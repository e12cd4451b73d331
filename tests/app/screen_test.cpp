// The programming screen's widgets bound to the screen and its dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
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
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, PagesBoxesAndAModelChange) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  EXPECT_TRUE(screen->grid()->isVisible());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  for (int n = 1; n <= 16; ++n)  // each box stands level with its row
    EXPECT_LE(std::abs(screen->grid()->y() + screen->grid()->RowRect(n).center().y() -
                       screen->tx_box(n)->geometry().center().y()), 1) << n;
  const QColor grey(0xAA, 0xAA, 0xAA);
  QTest::mouseClick(screen->ch_box(3), Qt::LeftButton);
  EXPECT_FALSE(frame_->view().ch_box[2].checked());
  EXPECT_EQ(screen->grid()->item(3, 1)->foreground().color(), grey);
  frame_->action(kCmdCloseAll)->trigger();
  EXPECT_FALSE(screen->ch_box(16)->isChecked());
  EXPECT_EQ(screen->grid()->item(16, 9)->foreground().color(), grey);
  frame_->action(kCmdOpenAll)->trigger();
  EXPECT_TRUE(screen->tx_box(3)->isChecked());
  EXPECT_EQ(screen->grid()->item(3, 1)->foreground().color(), QColor(Qt::black));

  QTabBar* bar = screen->tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
  EXPECT_FALSE(screen->grid()->isVisible());
  EXPECT_EQ(screen->combo("TimerOut")->currentText(), QStringLiteral("60S"));
  EXPECT_FALSE(screen->combo("RxStay")->isEnabled());
  BoxAnswerer answers({QMessageBox::Yes, QMessageBox::Discard});  // then drop the unsaved box changes
  QComboBox* type = screen->combo("Type");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_Down);
  ASSERT_EQ(answers.texts.size(), 2);
  EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("您需要改变机器型号吗")));
  EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("FreqU"))->text(), QStringLiteral("470"));
  EXPECT_TRUE(Cell(1, 1).startsWith(QStringLiteral("40"))) << Cell(1, 1).toStdString();
}

TEST_F(AppTest, KeySettingsAndPortDialogsApplyOnlyOnOk) {
  StartFrame();
  ComboBox* pf1 = frame_->view().Combo("PF1S");
  const int before = pf1->selected, other = before == 1 ? 2 : 1;
  for (bool ok : {false, true}) {
    OnNextDialog<KeySettingsDialog>([&](KeySettingsDialog* d) {
      d->combo(0)->setCurrentIndex(other);
      ok ? d->accept() : d->reject();
    });
    frame_->action(kCmdKeySettings)->trigger();
    EXPECT_EQ(pf1->selected, ok ? other : before);
  }
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    EXPECT_TRUE(d->com_button(1)->isChecked());
    d->device_field()->setEditText(QStringLiteral("/dev/pts/42"));
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(GetPrivateProfileString("ComPort", "Device", "", 260, Path("KAVIR.ini")), "/dev/pts/42");
  BoxAnswerer forget_device({QMessageBox::Yes});
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    QTest::mouseClick(d->com_button(3), Qt::LeftButton);
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(frame_->radio().link().port_number, 3);
  EXPECT_EQ(frame_->radio().link().device, "");
}

}  // namespace
}  // namespace kavir::app::test
