// Reading and writing the in-process virtual radio through the menus: the
// progress bar, Esc and the Cancel button, the stored verify choice, the
// other-model question, and Save As and Open through the file dialogs.
#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "app_fixture.h"
#include "changes_dialog.h"
#include "command_ids.h"
#include "link/link_settings.h"
#include "plan/licence_choice.h"
#include "plan_dialog.h"
#include "radio_commands.h"
#include "support.h"
#include "worker_thread.h"

namespace kavir::app::test {
namespace {

class RadioTest : public AppTest {
 protected:
  // Runs fn on the window's thread at every pause of the transfer's
  // waits, which hold still until it is over.
  void OnPaint(std::function<void()> fn) {
    frame_->radio().link().idle_hook = [this, fn] { RunOnThreadOf(frame_.get(), fn); };
  }
  // Runs fn once, through the event loop, when the radio has seen n frames.
  void OnceAfterFrames(std::size_t n, std::function<void()> fn) {
    auto done = std::make_shared<bool>(false);
    OnPaint([this, n, fn, done] {
      if (!*done && radio_->sent().size() >= n) {  // the transfer holds still meanwhile
        *done = true;
        QTimer::singleShot(0, frame_.get(), fn);
      }
    });
  }
};

TEST_F(RadioTest, ReadThenWriteRoundTripTheScreenWithAMovingBar) {
  StartFrame(ImageWith("KV16V.ini", {{"CH01.RxFreq", "150.02500"}, {"TimerOut", "30S"}}));
  QList<int> positions;  // the bar as each chance to paint finds it
  OnPaint([&] { positions << (frame_->progress_bar() ? frame_->progress_bar()->value() : -1); });
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdRead)->trigger();
    ASSERT_EQ(boxes.texts.size(), 2);  // the confirmation and the closing message
    EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("16 个信道")));
  }
  EXPECT_EQ(Cell(1, 1), QStringLiteral("150.02500"));
  EXPECT_EQ(frame_->view().Selected("TimerOut").text, "30S");
  EXPECT_EQ(frame_->progress_bar(), nullptr);
  positions.removeAll(-1);
  ASSERT_GE(positions.size(), 10);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_GE(positions.back(), 48);

  SetCell(4, 1, QStringLiteral("162.0375"));
  {
    BoxAnswerer write({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 1);
  SetCell(4, 1, QStringLiteral("140.0000"));
  BoxAnswerer again({QMessageBox::Discard, QMessageBox::Yes});  // drop the unsaved edit, then read
  frame_->action(kCmdRead)->trigger();
  EXPECT_EQ(Cell(4, 1), QStringLiteral("162.03750"));
}

TEST_F(RadioTest, EscapeOrTheCancelButtonCancelsATransfer) {
  for (const bool write : {false, true}) {
    SCOPED_TRACE(write);
    StartFrame(ImageWith("KV16V.ini", {{"CH01.RxFreq", "150.02500"}}));
    const bool ch3 = frame_->screen()->ch_box(3)->isChecked();
    QPointer<QPushButton> button;
    bool button_seen = false;
    OnceAfterFrames(write ? 20 : 10, [&] {
      button = frame_->radio().cancel_button();
      button_seen = button && button->isVisible();
      // A click elsewhere waits; Esc and the Cancel button are heard.
      QTest::mouseClick(frame_->screen()->ch_box(3), Qt::LeftButton);
      if (!write) QTest::keyClick(frame_->screen()->grid(), Qt::Key_Escape);
      if (write && button) QTest::mouseClick(button, Qt::LeftButton);
    });
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(write ? kCmdWrite : kCmdRead)->trigger();
    EXPECT_TRUE(button_seen);
    EXPECT_TRUE(button.isNull());  // gone with the transfer
    EXPECT_EQ(frame_->screen()->ch_box(3)->isChecked(), ch3);
    ASSERT_EQ(boxes.texts.size(), 2);
    EXPECT_TRUE(boxes.texts[1].contains(write ? QStringLiteral("写入已取消") : QStringLiteral("读出已取消")))
        << boxes.texts[1].toStdString();
    EXPECT_EQ(Cell(1, 1), QStringLiteral("137.11250"));
    EXPECT_LE(radio_->sent().size(), write ? 21u : 11u);
    EXPECT_EQ(radio_->radio().completed_writes(), 0);
    EXPECT_TRUE(frame_->action(kCmdWrite)->isEnabled());
    frame_.reset();
  }
}

// Behind the read's or the write's question nothing has started yet: no
// Cancel button there, and none at all when the answer is No.
TEST_F(RadioTest, TheCancelButtonShowsOnlyOnceATransferIsConfirmed) {
  StartFrame();
  auto cancel_shown = [this] {
    QPushButton* button = frame_->radio().cancel_button();
    return button && button->isVisible();
  };
  for (const int command : {kCmdRead, kCmdWrite}) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(testing::Message() << (command == kCmdRead ? "read " : "write ") << yes);
      const std::size_t frames_before = radio_->sent().size();
      QList<bool> shown_at_box;
      bool shown_while_sending = false;
      OnPaint([&] { shown_while_sending = shown_while_sending || cancel_shown(); });
      BoxAnswerer boxes({yes ? QMessageBox::Yes : QMessageBox::No, QMessageBox::Ok});
      boxes.on_box = [&](QMessageBox*) { shown_at_box << cancel_shown(); };
      frame_->action(command)->trigger();
      ASSERT_EQ(boxes.texts.size(), yes ? 2 : 1);
      EXPECT_FALSE(shown_at_box[0]) << "at the question";
      EXPECT_EQ(shown_while_sending, yes);
      EXPECT_EQ(radio_->sent().size() > frames_before, yes);
      EXPECT_EQ(frame_->radio().cancel_button(), nullptr);
    }
  }
}

// The status line names the program that holds the port only while it
// does: a recheck finds another holder, then the port free and opened; a
// status line that says something else is left alone.
TEST_F(RadioTest, APortHolderThatQuitIsNoLongerNamed) {
  radio_ = std::make_unique<sim::VirtualRadio>(clock_, ImageWith("KV16V.ini", {}));
  radio_->refuse_open = "in use by minicom (4242)";
  frame_ = std::make_unique<CMainFrame>(WorkingFiles::FromDirectory(dir_.path().toStdString()), radio_.get(), &clock_);
  frame_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
  frame_->Start();
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("minicom (4242)"))) << frame_->status_text().toStdString();

  radio_->refuse_open = "in use by screen (77)";
  frame_->radio().RecheckPort();
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("screen (77)"))) << frame_->status_text().toStdString();
  EXPECT_FALSE(frame_->status_text().contains(QStringLiteral("minicom")));

  radio_->refuse_open.clear();
  const QString other = QStringLiteral("已保存");
  frame_->SetStatusText(other);
  const int opens = radio_->open_calls();
  frame_->radio().RecheckPort();
  EXPECT_EQ(radio_->open_calls(), opens);
  EXPECT_EQ(frame_->status_text().trimmed(), other);

  frame_->SetStatusText(
      QStringLiteral("串口未打开（读出或写入时再试）: cannot open virtual COM1: in use by screen (77)"));
  frame_->radio().RecheckPort();
  EXPECT_TRUE(radio_->IsOpen());
  EXPECT_EQ(frame_->status_text().trimmed(), QStringLiteral("就绪"));
}

TEST_F(RadioTest, TheToolsMenusWriteChoicesAreKeptForTheNextWrites) {
  StartFrame();
  radio_->radio().faults.corrupt_store = 100;
  QAction* verify = frame_->action(kCmdVerifyAfterWrite);
  QAction* keep = frame_->action(kCmdKeepRadioBeforeWrite);  // read the radio first, keep what it held
  ASSERT_TRUE(verify->isChecked());
  ASSERT_TRUE(keep->isChecked());
  const QDir backups(dir_.filePath(QStringLiteral("backups")));
  for (const bool checked : {true, false}) {
    SCOPED_TRACE(checked);
    verify->setChecked(checked);
    keep->setChecked(checked);
    const IniDocument ini = ReadIniFile(frame_->view().files().kavir_ini);
    EXPECT_EQ(ReadVerifyAfterWrite(ini), checked);
    EXPECT_EQ(ReadKeepRadioBeforeWrite(ini), checked);
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    frame_->action(kCmdWrite)->trigger();
    // One box for the difference, naming the byte; no second box pointing at it.
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(boxes.texts.join("\n").contains(QStringLiteral("0x064")), checked)
        << boxes.texts.join("\n").toStdString();
    EXPECT_EQ(backups.entryList({QStringLiteral("before-write-KV16V-*.bin")}).size(), 1);
  }
  frame_.reset();
  StartFrame();  // a new start takes the stored choices
  EXPECT_FALSE(frame_->action(kCmdVerifyAfterWrite)->isChecked());
  EXPECT_FALSE(frame_->action(kCmdKeepRadioBeforeWrite)->isChecked());
}

TEST_F(RadioTest, EnterAtTheOtherModelQuestionDoesNotWrite) {
  StartFrame();
  radio_->radio().set_model(2);
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::NoButton});  // Enter at the other-model question
  frame_->action(kCmdWrite)->trigger();
  ASSERT_GE(boxes.texts.size(), 2);  // then the closing message
  EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("电台回答的机型是"))) << boxes.texts[1].toStdString();
  EXPECT_EQ(boxes.yes_captions[1], QStringLiteral("写入(&Y)"));
  EXPECT_EQ(boxes.no_captions[1], QStringLiteral("返回(&N)"));
  EXPECT_FALSE(boxes.yes_by_default[1]);
  EXPECT_EQ(radio_->radio().completed_writes(), 0);
}

TEST_F(RadioTest, EachQuestionOfATransferNamesItsOwnAnswers) {
  StartFrame();
  radio_->radio().faults.silent_from = 0;  // no answer to the handshake
  BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No});
  frame_->action(kCmdRead)->trigger();
  ASSERT_GE(boxes.texts.size(), 3);
  EXPECT_EQ(boxes.yes_captions[0], QStringLiteral("是(&Y)"));
  EXPECT_EQ(boxes.no_captions[0], QStringLiteral("否(&N)"));
  for (int i : {1, 2}) {
    EXPECT_TRUE(boxes.texts[i].contains(QStringLiteral("握手"))) << boxes.texts[i].toStdString();
    EXPECT_EQ(boxes.yes_captions[i], QStringLiteral("重试(&Y)"));
    EXPECT_EQ(boxes.no_captions[i], QStringLiteral("返回(&N)"));
    EXPECT_TRUE(boxes.yes_by_default[i]);
  }
}

// What a write changes is listed before anything goes in: Cancel there
// writes nothing, a radio that already holds it says so, and "don't show
// again" turns the list off in the Tools menu and in KAVIR.ini.
TEST_F(RadioTest, AWriteListsWhatItChangesFirst) {
  StartFrame();
  frame_->action(kCmdShowChangesBeforeWrite)->setChecked(true);
  const QString old_rx = Cell(4, 1);
  SetCell(4, 1, QStringLiteral("162.0375"));
  struct Seen {
    QStringList lines;
    QString lead, write_caption;
  };
  auto answer = [](Seen* seen, bool write, bool dont_show) {
    OnNextDialog<ChangesDialog>([=](ChangesDialog* d) {
      for (int i = 0; i < d->list()->topLevelItemCount(); ++i) {
        QTreeWidgetItem* page = d->list()->topLevelItem(i);
        seen->lines << page->text(0);
        for (int j = 0; j < page->childCount(); ++j) seen->lines << page->child(j)->text(0);
      }
      seen->lead = d->findChild<QLabel*>(QStringLiteral("ChangesLead"))->text();
      seen->write_caption = d->write_button()->text();
      d->findChild<QCheckBox*>()->setChecked(dont_show);
      write ? d->accept() : d->reject();
    });
  };
  Seen cancelled;
  answer(&cancelled, false, false);
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
    EXPECT_EQ(boxes.texts.size(), 1);  // the confirmation; no closing message
  }
  // The plan check's warnings of the shipped set-up come first; they do not stop the write.
  ASSERT_EQ(cancelled.lines.size(), 6);
  EXPECT_EQ(cancelled.lines[0], QStringLiteral("检查发现的警告 (工具 → 检查)"));
  EXPECT_TRUE(cancelled.lines[1].startsWith(QStringLiteral("警告 [单向亚音] CH05")))
      << cancelled.lines[1].toStdString();
  EXPECT_EQ(cancelled.lines.mid(4),
            QStringList({QStringLiteral("信道设置"),
                         QStringLiteral("CH04 接收频率: ") + old_rx + QStringLiteral(" → 162.03750")}));
  EXPECT_TRUE(cancelled.lead.contains(QStringLiteral("1 项不同"))) << cancelled.lead.toStdString();
  EXPECT_EQ(radio_->radio().completed_writes(), 0);

  Seen written;
  answer(&written, true, false);
  {
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(written.lines, cancelled.lines);
  EXPECT_EQ(radio_->radio().completed_writes(), 1);

  Seen same;
  answer(&same, false, true);
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(same.lines, cancelled.lines.mid(0, 4));  // the warnings alone
  EXPECT_TRUE(same.lead.contains(QStringLiteral("没有不同"))) << same.lead.toStdString();
  EXPECT_EQ(same.write_caption, QStringLiteral("仍然写入"));
  EXPECT_EQ(radio_->radio().completed_writes(), 1);
  EXPECT_FALSE(frame_->action(kCmdShowChangesBeforeWrite)->isChecked());
  EXPECT_FALSE(ReadShowChangesBeforeWrite(ReadIniFile(frame_->view().files().kavir_ini)));
  {
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});  // no list now
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 2);
}

// 工具 → 检查 lists the plan check's findings against the licence chosen
// there, which is kept for the profile; before a write its errors ask first,
// with 取消 as the default and 仍然写入 to write anyway.
TEST_F(RadioTest, PlanErrorsAreListedBeforeAnyWrite) {
  using kavir::test::WriteBytes;
  StartFrame();
  frame_->view().document().current_file_name = Path("客户.dat");
  const std::string licence = Path("licence.csv");
  WriteBytes(licence, "Frequency,MaxPower,Bandwidth,TX\n160.00625,high,wide,yes\n");
  struct Seen {
    QStringList first_row;
    int rows = 0;
    QString write_caption;
    bool cancel_by_default = false;
  };
  auto look = [](Seen* seen, const std::string& choose, bool write) {
    OnNextDialog<PlanDialog>([=](PlanDialog* d) {
      if (!choose.empty()) {
        EXPECT_TRUE(d->UseLicence(choose));
      }
      seen->rows = d->list()->topLevelItemCount();
      for (int c = 0; seen->rows && c < d->list()->columnCount(); ++c)
        seen->first_row << d->list()->topLevelItem(0)->text(c);
      if (d->write_button()) seen->write_caption = d->write_button()->text();
      seen->cancel_by_default = d->cancel_button()->isDefault();
      write ? d->accept() : d->reject();
    });
  };

  Seen checked;
  look(&checked, licence, false);
  frame_->action(kCmdCheckPlan)->trigger();
  EXPECT_GE(checked.rows, 16);  // a finding for every transmit frequency
  ASSERT_GE(checked.first_row.size(), 5);
  EXPECT_EQ(checked.first_row[0], QStringLiteral("错误"));
  EXPECT_EQ(checked.first_row[1], QStringLiteral("CH01"));
  EXPECT_EQ(checked.first_row[4], QStringLiteral("许可证"));
  EXPECT_TRUE(checked.write_caption.isEmpty());
  EXPECT_EQ(QDir::fromNativeSeparators(QString::fromStdString(
                RememberedLicence(ReadIniFile(frame_->view().files().kavir_ini), Path("客户.dat")))),
            QString::fromStdString(licence));

  Seen cancelled;
  look(&cancelled, "", false);
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    frame_->action(kCmdWrite)->trigger();
    EXPECT_TRUE(boxes.texts.isEmpty());  // not even the confirmation
  }
  EXPECT_EQ(cancelled.rows, checked.rows);
  EXPECT_EQ(cancelled.write_caption, QStringLiteral("仍然写入"));
  EXPECT_TRUE(cancelled.cancel_by_default);
  EXPECT_EQ(radio_->radio().completed_writes(), 0);

  Seen forced;
  look(&forced, "", true);
  {
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 1);

  // Without the licence nothing stops the write.
  OnNextDialog<PlanDialog>([](PlanDialog* d) {
    EXPECT_TRUE(d->UseLicence(""));
    d->reject();
  });
  frame_->action(kCmdCheckPlan)->trigger();
  EXPECT_EQ(RememberedLicence(ReadIniFile(frame_->view().files().kavir_ini), Path("客户.dat")), "");
  {
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    frame_->action(kCmdWrite)->trigger();
  }
  EXPECT_EQ(radio_->radio().completed_writes(), 2);
}

TEST_F(AppTest, SaveAsNamesTheFileThatLaterSavesGoTo) {
  StartFrame();
  SetCell(2, 1, QStringLiteral("150.0125"));
  const QString saved = dir_.filePath(QStringLiteral("客户A"));
  TypeFileName(saved);
  frame_->action(kCmdSaveAs)->trigger();
  const std::string file = (saved + QStringLiteral(".dat")).toStdString();  // the default extension is added
  EXPECT_EQ(IniFile(file).GetString("Previous", "CH02.RxFreq", "", 20), "150.01250");
  EXPECT_EQ(frame_->view().document().current_file_name, file);

  SetCell(2, 1, QStringLiteral("160.0250"));
  BoxAnswerer boxes({QMessageBox::Save});
  EXPECT_TRUE(frame_->close());
  EXPECT_EQ(boxes.texts.size(), 1);
  EXPECT_EQ(IniFile(file).GetString("Previous", "CH02.RxFreq", "", 20), "160.02500");
}

}  // namespace
}  // namespace kavir::app::test
