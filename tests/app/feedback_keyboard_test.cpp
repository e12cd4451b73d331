// What the user sees at the end of a transfer, the Cancel button, the port
// dialog's line settings, a start without a cable, refused entries at the
// grid, the keyboard, and Qt's own dialogs in Chinese.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app_fixture.h"
#include "app_start.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "grid_balloon.h"
#include "link/radio_texts.h"
#include "port_dialog.h"
#include "profile/ini_document.h"
#include "radio_commands.h"
#include "screen_widget.h"

namespace kavir::app::test {
namespace {

class FeedbackTest : public AppTest {
 protected:
  // Runs fn once, through the event loop, when the radio has seen n frames.
  void OnceAfterFrames(std::size_t n, std::function<void()> fn) {
    auto& link = frame_->radio().link();
    auto paint = link.idle_hook;
    auto done = std::make_shared<bool>(false);
    link.idle_hook = [this, n, fn, paint, done] {
      if (!*done && radio_->sent().size() >= n) {
        *done = true;
        QTimer::singleShot(0, frame_.get(), fn);
      }
      if (paint) paint();
    };
  }
  std::string Ini(const char* section, const char* key) {
    return GetPrivateProfileString(section, key, "<none>", 260, Path("KAVIR.ini"));
  }
};

TEST(YesNoButtons, CaptionsAreTheAnswersThePromptNames) {
  const struct {
    const char* text;
    const char* yes;
    const char* no;
  } cases[] = {
      {kReadConfirm, "是(&Y)", "否(&N)"},
      {kHandshakeFailed, "重试(&Y)", "返回(&N)"},
      {"\n\t仍然要写入吗?  (   Y：写入      N：返回   ) ?\n", "写入(&Y)", "返回(&N)"},
      {"您需要改变机器型号吗 (Y:是 N:不是)", "是(&Y)", "否(&N)"},
      {"没有说明答案的问题", "是(&Y)", "否(&N)"},
  };
  for (const auto& c : cases) {
    const auto captions = YesNoCaptions(QString::fromUtf8(c.text));
    EXPECT_EQ(captions.first, QString::fromUtf8(c.yes)) << c.text;
    EXPECT_EQ(captions.second, QString::fromUtf8(c.no)) << c.text;
  }
}

TEST_F(FeedbackTest, EscapeCancelsAReadAndTheScreenStays) {
  StartFrame(ImageWith("KV16V.ini", {{"CH01.RxFreq", "150.02500"}}));
  QPointer<QPushButton> button;
  OnceAfterFrames(10, [&] {
    button = frame_->radio().cancel_button();
    QTest::keyClick(frame_->screen()->grid(), Qt::Key_Escape);
  });
  BoxAnswerer boxes({QMessageBox::Yes});
  frame_->action(kCmdRead)->trigger();
  ASSERT_EQ(boxes.texts.size(), 2);
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("读出已取消"))) << boxes.texts[1].toStdString();
  EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
  EXPECT_LE(radio_->sent().size(), 11u);
  EXPECT_TRUE(button.isNull());  // gone with the transfer
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
}

TEST_F(FeedbackTest, CancelButtonStopsAWriteAndSaysWhatTheRadioMayHold) {
  StartFrame();
  bool button_seen = false;
  OnceAfterFrames(20, [&] {
    QPushButton* cancel = frame_->radio().cancel_button();
    button_seen = cancel && cancel->isVisible();
    // A click elsewhere waits; the Cancel button is heard.
    QTest::mouseClick(frame_->screen()->ch_box(3), Qt::LeftButton);
    if (cancel) QTest::mouseClick(cancel, Qt::LeftButton);
  });
  const bool ch3 = frame_->screen()->ch_box(3)->isChecked();
  BoxAnswerer boxes({QMessageBox::Yes});
  frame_->action(kCmdWrite)->trigger();
  EXPECT_TRUE(button_seen);
  EXPECT_EQ(frame_->screen()->ch_box(3)->isChecked(), ch3);
  ASSERT_EQ(boxes.texts.size(), 2);
  const QString end = boxes.texts[1];
  EXPECT_TRUE(end.contains(QStringLiteral("写入已取消"))) << end.toStdString();
  EXPECT_TRUE(end.contains(QStringLiteral("混合"))) << end.toStdString();
  EXPECT_TRUE(end.contains(QStringLiteral("backups/"))) << end.toStdString();
  EXPECT_EQ(radio_->radio().completed_writes(), 0);
  EXPECT_TRUE(frame_->action(kCmdWrite)->isEnabled());
}

TEST_F(FeedbackTest, PortDialogSetsBaudAndTimeOutsAndShowsThemAgain) {
  StartFrame();
  OnNextDialog<PortDialog>([](PortDialog* d) {
    d->baud_field()->setEditText(QStringLiteral("19200"));
    d->handshake_field()->setValue(250);
    d->receive_field()->setValue(120);
    d->transmit_field()->setValue(95);
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(Ini("ComPort", "Baud"), "19200");
  EXPECT_EQ(Ini("WaitFor", "Shk"), "250");
  EXPECT_EQ(Ini("WaitFor", "Rx"), "120");
  EXPECT_EQ(Ini("WaitFor", "Tx"), "95");

  QString baud;
  int receive = 0;
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    baud = d->baud_field()->currentText();
    receive = d->receive_field()->value();
    d->reject();
  });
  frame_->action(kCmdPort)->trigger();
  EXPECT_EQ(baud, QStringLiteral("19200"));
  EXPECT_EQ(receive, 120);
}

TEST_F(FeedbackTest, ComButtonForgetsATypedDeviceOnlyWhenConfirmed) {
  StartFrame();
  OnNextDialog<PortDialog>([](PortDialog* d) {
    d->device_field()->setEditText(QStringLiteral("/dev/pts/42"));
    d->accept();
  });
  frame_->action(kCmdPort)->trigger();
  ASSERT_EQ(Ini("ComPort", "Device"), "/dev/pts/42");

  bool open_after_no = false;
  QString field_after_no;
  BoxAnswerer boxes({QMessageBox::No, QMessageBox::Yes});
  OnNextDialog<PortDialog>([&](PortDialog* d) {
    QTest::mouseClick(d->com_button(2), Qt::LeftButton);
    d->accept();  // answered No: the dialog stays
    open_after_no = d->isVisible() && d->result() != QDialog::Accepted;
    field_after_no = d->device_field()->currentText();
    d->accept();  // answered Yes
  });
  frame_->action(kCmdPort)->trigger();
  ASSERT_EQ(boxes.texts.size(), 2);
  EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("/dev/pts/42")));
  EXPECT_TRUE(open_after_no);
  EXPECT_EQ(field_after_no, QStringLiteral("/dev/pts/42"));
  EXPECT_EQ(Ini("ComPort", "Device"), "");
  EXPECT_EQ(Ini("ComPort", "1"), "2");
}

TEST_F(FeedbackTest, StartWithoutTheCableSaysSoInTheStatusBarOnly) {
  radio_ = std::make_unique<sim::VirtualRadio>(clock_, ImageWith("KV16V.ini", {}));
  radio_->refuse_open = "No such file or directory";
  frame_ = std::make_unique<CMainFrame>(WorkingFiles::FromDirectory(dir_.path().toStdString()),
                                        radio_.get(), &clock_);
  frame_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
  BoxAnswerer boxes({});
  frame_->Start();
  QTest::qWait(50);
  EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join("|").toStdString();
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("串口未打开")));
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("No such file or directory")));
}

TEST_F(FeedbackTest, RefusedFrequencyIsShownAtTheGrid) {
  StartFrame();
  ChannelGridWidget* grid = frame_->screen()->grid();
  grid->setFocus();
  grid->setCurrentCell(2, 1);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(grid->frequency_editor(), QStringLiteral("999.5"));
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame_->rejection_balloon() != nullptr; }));
  GridBalloon* balloon = frame_->rejection_balloon();
  EXPECT_TRUE(balloon->isVisible());
  EXPECT_TRUE(balloon->text().contains(QStringLiteral("不在当前频率范围内"))) << balloon->text().toStdString();
  EXPECT_EQ(frame_->ui().beep_count(), 1);
  // Below the refused cell, inside the grid.
  const QRect cell = grid->visualRect(grid->model()->index(2, 1));
  EXPECT_GE(balloon->geometry().top(), cell.bottom());
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("不在当前频率范围内")));
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_FALSE(balloon->isVisible());
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
}

TEST_F(FeedbackTest, KeyboardSwitchesPagesAndNamesTheShortcuts) {
  StartFrame();
  QTabWidget* tabs = frame_->screen()->tabs();
  ChannelGridWidget* grid = frame_->screen()->grid();
  grid->setFocus();
  ASSERT_EQ(tabs->currentIndex(), 1);
  const struct {
    QKeyCombination key;
    int page;
  } steps[] = {{Qt::CTRL | Qt::Key_PageDown, 0}, {Qt::CTRL | Qt::Key_PageUp, 1},
               {Qt::CTRL | Qt::Key_Tab, 0},      {Qt::CTRL | Qt::Key_Tab, 1}};
  for (const auto& s : steps) {
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : frame_.get();
    QTest::keyClick(focus, s.key.key(), s.key.keyboardModifiers());
    EXPECT_EQ(tabs->currentIndex(), s.page);
    EXPECT_EQ(frame_->view().current_tab, s.page);
  }
  EXPECT_EQ(frame_->action(kCmdRead)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
  EXPECT_EQ(frame_->action(kCmdWrite)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
  QStringList menus;
  for (QAction* a : frame_->menuBar()->actions()) menus << a->text();
  EXPECT_TRUE(menus.contains(QStringLiteral("工具(&T)"))) << menus.join(",").toStdString();
  for (const QString& m : menus) EXPECT_TRUE(m.contains(QLatin1Char('&'))) << m.toStdString();
}

TEST_F(FeedbackTest, EachBoxColumnIsOneTabStopAndArrowsMoveWithinIt) {
  StartFrame();
  CScreenWidget* screen = frame_->screen();
  auto tab_stops = [&](auto box_of) {
    int n = 0;
    for (int i = 1; i <= 16; ++i) n += (box_of(i)->focusPolicy() & Qt::TabFocus) ? 1 : 0;
    return n;
  };
  auto ch = [&](int n) { return screen->ch_box(n); };
  auto tx = [&](int n) { return screen->tx_box(n); };
  EXPECT_EQ(tab_stops(ch), 1);
  EXPECT_EQ(tab_stops(tx), 1);

  ch(1)->setFocus();
  QTest::keyClick(ch(1), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), ch(3));
  EXPECT_EQ(tab_stops(ch), 1);
  EXPECT_TRUE(ch(3)->focusPolicy() & Qt::TabFocus);
  QTest::keyClick(ch(3), Qt::Key_Tab);
  EXPECT_TRUE(QApplication::focusWidget() == tx(1) || QApplication::focusWidget() == tx(3))
      << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), screen->grid());
  // Shift+Tab comes back to the box last used in the CH column.
  QTest::keyClick(screen->grid(), Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), ch(3));
}

TEST(ChineseDialogs, QtsOwnDialogsSpeakChinese) {
  ASSERT_TRUE(InstallQtTranslations());
  QPrinter printer;
  QPrintDialog dialog(&printer);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打印"));
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                  QMessageBox::Yes | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("取消")))
      << box.button(QMessageBox::Cancel)->text().toStdString();
}

}  // namespace
}  // namespace kavir::app::test
