// The programming screen's widgets bound to the screen: pages, boxes, a
// model change, the grid's editors and refusals, and the key and port dialogs.
#if defined(__unix__)
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "app_fixture.h"
#include "command_ids.h"
#include "elided_label.h"
#include "grid_balloon.h"
#include "key_settings_dialog.h"
#include "port_dialog.h"
#include "radio_commands.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, EachTxBoxStandsLevelWithItsRow) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  for (int n = 1; n <= 16; ++n)
    EXPECT_LE(std::abs(screen->grid()->y() + screen->grid()->RowRect(n).center().y() -
                       screen->tx_box(n)->geometry().center().y()),
              1)
        << n;
}

TEST_F(AppTest, ChBoxesGreyTheirRows) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  const QColor grey(0xAA, 0xAA, 0xAA);
  QTest::mouseClick(screen->ch_box(3), Qt::LeftButton);
  EXPECT_FALSE(frame_->view().setup().channel(3).enabled);
  EXPECT_EQ(screen->grid()->item(3, 1)->foreground().color(), grey);
  frame_->action(kCmdOpenAll)->trigger();
  EXPECT_EQ(screen->grid()->item(3, 1)->foreground().color(), QColor(Qt::black));
  frame_->action(kCmdCloseAll)->trigger();
  EXPECT_EQ(screen->grid()->item(16, 9)->foreground().color(), grey);
}

TEST_F(AppTest, AModelChangeAsksFirstThenLoadsTheNewModel) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  QTest::mouseClick(screen->ch_box(3), Qt::LeftButton);  // an unsaved change
  QTabBar* bar = screen->tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
  EXPECT_FALSE(screen->grid()->isVisible());
  EXPECT_EQ(screen->combo("TimerOut")->currentText(), QStringLiteral("60S"));
  BoxAnswerer answers({QMessageBox::Yes, QMessageBox::Discard});  // then drop the unsaved box changes
  QComboBox* type = screen->combo("Type");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_Down);
  ASSERT_EQ(answers.texts.size(), 2);
  EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("您需要改变机器型号吗")));
  EXPECT_EQ(screen->findChild<QLineEdit*>(QStringLiteral("FreqU"))->text(), QStringLiteral("470"));
  EXPECT_TRUE(Cell(1, 1).startsWith(QStringLiteral("40"))) << Cell(1, 1).toStdString();
}

// A larger window gives the grid the room: wider columns, taller rows up
// to two lines, the boxes level with their rows; a smaller one keeps the
// form's own size and scrolls.
TEST_F(AppTest, TheGridFollowsTheWindowDownToTheFormsLeastSize) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  ChannelGridWidget* grid = screen->grid();
  frame_->resize(500, 400);
  QApplication::processEvents();
  const QSize least = grid->size();
  EXPECT_TRUE(screen->horizontalScrollBar()->isVisible() || screen->verticalScrollBar()->isVisible());
  frame_->resize(1600, 1000);
  QApplication::processEvents();
  EXPECT_GT(grid->width(), least.width() + 400);
  EXPECT_GE(grid->height(), least.height());
  EXPECT_LE(grid->rowHeight(1), 2 * grid->fontMetrics().height());
  EXPECT_GT(grid->columnWidth(1), 0);
  for (int n = 1; n <= 16; ++n)
    EXPECT_LE(std::abs(grid->y() + grid->RowRect(n).center().y() - screen->ch_box(n)->geometry().center().y()), 1) << n;
  frame_->resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(grid->size(), least);
}

TEST_F(AppTest, GridEditorsCommitIntoTheCellTheyOpenOver) {
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
  EXPECT_EQ(frame_->view().Cell(1, 1).text, "150.01250");
  QTest::keyClick(grid, Qt::Key_Up);  // the header row never becomes current
  EXPECT_EQ(grid->currentRow(), 1);

  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(editor, QStringLiteral("140.0125"));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect(5, 3).center());  // commits into 1,1
  EXPECT_EQ(Cell(1, 1), QStringLiteral("140.01250"));
  EXPECT_EQ(grid->currentRow(), 5);

  grid->setCurrentCell(1, 2);
  QTest::keyClick(grid, Qt::Key_Return);
  QComboBox* list = grid->list_editor();
  ASSERT_TRUE(list->isVisible());
  list->lineEdit()->selectAll();
  QTest::keyClicks(list->lineEdit(), QStringLiteral("CTCSS:67"));
  QTest::keyClick(list->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 2), QStringLiteral("CTCSS:67.0"));
}

TEST_F(AppTest, RefusedFrequencyIsShownAtTheGridUntilTheNextMove) {
  StartFrame();
  SetCell(2, 1, QStringLiteral("999.5"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame_->rejection_balloon() != nullptr; }));
  GridBalloon* balloon = frame_->rejection_balloon();
  EXPECT_TRUE(balloon->isVisible());
  EXPECT_TRUE(balloon->text().contains(QStringLiteral("不在当前频率范围内"))) << balloon->text().toStdString();
  EXPECT_EQ(frame_->ui().beep_count(), 1);
  ChannelGridWidget* grid = frame_->screen()->grid();
  EXPECT_GE(balloon->geometry().top(), grid->visualRect(grid->model()->index(2, 1)).bottom());
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_FALSE(balloon->isVisible());
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
}

TEST_F(AppTest, KeySettingsApplyOnlyOnOk) {
  StartFrame();
  const int before = frame_->view().Selected("PF1S").index, other = before == 1 ? 2 : 1;
  for (bool ok : {false, true}) {
    OnNextDialog<KeySettingsDialog>([&](KeySettingsDialog* d) {
      d->combo(0)->setCurrentIndex(other);
      ok ? d->accept() : d->reject();
    });
    frame_->action(kCmdKeySettings)->trigger();
    EXPECT_EQ(frame_->view().Selected("PF1S").index, ok ? other : before);
  }
}

TEST_F(AppTest, PortDialogKeepsItsChoicesInKavirIni) {
  StartFrame();
  auto ini = [&](const char* section, const char* key) {
    return IniFile(Path("KAVIR.ini")).GetString(section, key, "<none>", 260);
  };
  OnNextDialog<PortDialog>([](PortDialog* d) {
    EXPECT_TRUE(d->com_button(1)->isChecked());
    d->device_field()->setEditText(QStringLiteral("/dev/pts/42"));
    d->baud_field()->setEditText(QStringLiteral("19200"));
    d->receive_field()->setValue(120);
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(ini("ComPort", "Device"), "/dev/pts/42");
  EXPECT_EQ(ini("ComPort", "Baud"), "19200");
  EXPECT_EQ(ini("WaitFor", "Rx"), "120");

  // The dialog shows what is set; a COM button forgets the typed device
  // only when the user confirms.
  bool shown_rx = false, shown_baud = false, open_after_no = false, device_after_no = false;
  BoxAnswerer boxes({QMessageBox::No, QMessageBox::Yes});
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    shown_rx = d->receive_field()->value() == 120;
    shown_baud = d->baud_field()->currentText() == QStringLiteral("19200");
    QTest::mouseClick(d->com_button(3), Qt::LeftButton);
    d->accept();  // answered No: the dialog stays
    open_after_no = d->isVisible();
    device_after_no = d->device_field()->currentText() == QStringLiteral("/dev/pts/42");
    d->device_field()->setEditText(QStringLiteral("/dev/ttyUSB3"));  // typed since: the question names it
    QTest::mouseClick(d->com_button(3), Qt::LeftButton);
    d->accept();  // answered Yes
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_TRUE(shown_rx);
  EXPECT_TRUE(shown_baud);
  EXPECT_TRUE(open_after_no);
  EXPECT_TRUE(device_after_no);
  ASSERT_EQ(boxes.texts.size(), 2);
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("/dev/ttyUSB3"))) << boxes.texts[1].toStdString();
  EXPECT_EQ(ini("ComPort", "Device"), "");
  EXPECT_EQ(frame_->radio().link().port_number, 3);
  EXPECT_EQ(frame_->radio().link().device, "");
}

TEST_F(AppTest, PortDialogListsEveryPortGreyingWhatCannotBeOpened) {
  std::vector<PortRecord> ports(2);
  ports[0].device = "/dev/ttyUSB0", ports[0].description = "FT232R USB UART", ports[0].manufacturer = "FTDI";
  ports[0].vid = "0403", ports[0].pid = "6001", ports[0].serial = "A10K", ports[0].driver = "ftdi_sio";
  ports[0].family = "FTDI", ports[0].usb = true;
  ports[1].device = "/dev/ttyS0";
  ports[1].may_open = false;
  ports[1].problem = "没有权限读写串口 /dev/ttyS0";
  PortSettings settings;
  settings.device = "/dev/pts/9";  // typed by hand: listed too
  PortDialog d(settings, ports, nullptr);
  QTreeWidget* list = d.port_list();
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("FTDI FT232R USB UART (0403:6001, 序列号 A10K)"));
  EXPECT_TRUE(list->topLevelItem(0)->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(list->topLevelItem(1)->flags() & Qt::ItemIsEnabled);
  EXPECT_TRUE(list->topLevelItem(1)->toolTip(2).contains(QStringLiteral("没有权限读写串口 /dev/ttyS0")));
  EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("/dev/pts/9"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
  EXPECT_EQ(d.device(), "/dev/ttyUSB0");
}

// The dialog's own status line ends in "…" when a long device path does not
// fit, and says the whole of it in the tooltip; a short one shows as it is.
TEST_F(AppTest, PortDialogStatusTooLongForItsPlaceIsElidedWithTheWholeAsTooltip) {
  PortDialog d(PortSettings{}, {}, nullptr);
  d.show();
  ElidedLabel* status = d.probe_status();
  const QString longest = QStringLiteral("电台在 /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K0123-if00-port0");
  status->SetFullText(longest);
  EXPECT_TRUE(status->text().endsWith(QChar(0x2026))) << status->text().toStdString();
  EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->contentsRect().width());
  EXPECT_EQ(status->toolTip(), longest);
  status->SetFullText(QStringLiteral("没有找到电台"));
  EXPECT_EQ(status->text(), QStringLiteral("没有找到电台"));
  EXPECT_EQ(status->toolTip(), QString());
  // Given room, the whole path shows again.
  status->SetFullText(longest);
  status->resize(status->fontMetrics().horizontalAdvance(longest) + 20, status->height());
  EXPECT_EQ(status->text(), longest);
  EXPECT_EQ(status->toolTip(), QString());
}

// The list follows devices that come and go while the dialog is open: one
// pulled out is no longer offered as free.
TEST_F(AppTest, PortDialogListFollowsTheDevicesPresent) {
  std::vector<PortRecord> system(1);
  system[0].device = "/dev/ttyUSB9";
  system[0].configured = true;
  PortSettings settings;
  settings.device = "/dev/ttyUSB9";
  PortDialog d(settings, system, nullptr);
  d.SetPortLister([&system](const std::string&) { return system; });
  QTreeWidget* list = d.port_list();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("可用 (当前)"));

  system.clear();  // pulled out
  d.RefreshPorts();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("不存在 (当前)"));
  EXPECT_FALSE(list->topLevelItem(0)->flags() & Qt::ItemIsEnabled);

  system.resize(1);  // another adapter plugged in
  system[0].device = "/dev/ttyUSB4";
  d.RefreshPorts();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("/dev/ttyUSB4"));
  EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("可用"));
}

#if defined(__unix__)
// The probe tries a device typed in by hand: a pseudo-terminal that nobody answers on.
TEST_F(AppTest, PortDialogProbesATypedDevice) {
  std::vector<PortRecord> system;
  PortDialog d(PortSettings{}, system, nullptr);
  d.SetPortLister([&system](const std::string&) { return system; });
  QTreeWidget* list = d.port_list();
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const QString typed = QString::fromLatin1(ptsname(master));
  d.device_field()->setEditText(typed);
  d.handshake_field()->setValue(50);
  d.Probe();
  QTreeWidgetItem* tried = nullptr;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (list->topLevelItem(i)->text(0) == typed) tried = list->topLevelItem(i);
  ASSERT_NE(tried, nullptr);
  EXPECT_EQ(tried->text(2), QStringLiteral("无应答"));
  close(master);
}
#endif

}  // namespace
}  // namespace kavir::app::test
