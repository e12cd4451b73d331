// The main frame: captions, menus, toolbar, status bar, progress, help,
// registration.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include "../profile/scoped_time_zone.h"
#include "about_dialog.h"
#include "app_fixture.h"
#include "command_ids.h"
#include "frame_geometry.h"
#include "help_viewer.h"
#include "registration.h"

namespace kavir::app::test {
namespace {

TEST(FrameGeometry, ClockShowsTheMachinesLocalTime) {
  const QDateTime late(QDate(2026, 12, 7), QTime(23, 30, 0), Qt::UTC);
  {
    kavir::test::ScopedTimeZone china("CST-8");
    EXPECT_EQ(ClockText(late), QStringLiteral("07:30:00"));
    // The same instant given in another zone shows the same clock.
    EXPECT_EQ(ClockText(late.toOffsetFromUtc(-5 * 3600)), QStringLiteral("07:30:00"));
  }
  kavir::test::ScopedTimeZone new_york("EST5");
  EXPECT_EQ(ClockText(late), QStringLiteral("18:30:00"));
}

TEST(FrameGeometry, ProgressBarAndLabelPlacement) {
  const ProgressRects r = ProgressGeometry(1024, 700, 1920);
  EXPECT_EQ(r.bar, QRect(QPoint(234, 260), QPoint(583, 289)));
  EXPECT_EQ(r.label, QRect(QPoint(234, 246), QPoint(582, 262)));
  const ProgressRects small = ProgressGeometry(790, 500, 800);
  EXPECT_EQ(small.bar.width(), 340);
  EXPECT_EQ(small.bar.height(), 20);
  EXPECT_EQ(small.label.width(), 339);
  EXPECT_EQ(small.label.height(), 14);
}

TEST(FrameGeometry, PercentAndStatusLine) {
  EXPECT_EQ(ProgressPercent(10, 10), QStringLiteral("100%"));
  EXPECT_EQ(ProgressPercent(3, 1), QStringLiteral("33%"));
  EXPECT_EQ(ProgressPercent(0, 1), QStringLiteral("0%"));
  EXPECT_EQ(StatusLine(QString()), QString(14, QLatin1Char(' ')));
  EXPECT_EQ(StatusLine(QStringLiteral("完毕!")), QString(14, QLatin1Char(' ')) + "完毕!");
}

TEST_F(AppTest, CaptionMenusAndToolbarInOrder) {
  StartFrame();
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("KAVIR   Lanshan"));
  EXPECT_FALSE(frame_->windowIcon().isNull());
  QStringList menus;
  for (QAction* a : frame_->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"文件(&F)", "编辑(&E)", "工具(&T)", "查看(&V)", "帮助(&H)"}));

  auto items = [&](int index) {
    QStringList out;
    for (QAction* a : frame_->menuBar()->actions()[index]->menu()->actions())
      out << (a->isSeparator() ? QStringLiteral("—") : a->text());
    return out;
  };
  EXPECT_EQ(items(0), (QStringList{"打开(&O)...", "保存(&S)", "另存为(&A)...", "另存为镜像...", "—",
                                   "导入CSV...", "导出CSV...", "比较...", "—", "打印(&P)...",
                                   "打印预览(&V)", "打印设置(&R)...", "导出PDF...", "—",
                                   "退出(&X)"}));
  EXPECT_EQ(items(2), (QStringList{"读出(&R)", "写入(&W)", "写入后校验", "键盘设置(&B)", "与电台比较",
                                   "批量写入...", "—", "串口(&K)"}));
  EXPECT_EQ(items(3), (QStringList{"工具栏(&T)", "状态栏(&S)", "—", "下一页(&N)", "上一页(&P)"}));
  EXPECT_EQ(items(4), (QStringList{"帮助主题(&H)", "关于 KAVIR(&A)..."}));
  EXPECT_EQ(frame_->action(kCmdOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(frame_->action(kCmdPrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));

  const QList<QAction*> tool_actions = frame_->toolbar()->actions();
  for (QAction* a : tool_actions) {
    if (!a->isSeparator()) {
      EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    }
  }
  QList<QAction*> expected;
  for (int id : {kCmdOpen, kCmdSave, kCmdSaveAs, kCmdRead, kCmdWrite, kCmdCloseAll, kCmdOpenAll, kCmdPrint,
                 kCmdAbout})
    expected << frame_->action(id);
  QList<QAction*> buttons;
  int separators = 0;
  for (QAction* a : tool_actions) {
    if (a->isSeparator()) ++separators;
    else buttons << a;
  }
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(separators, 8);
  EXPECT_EQ(frame_->toolBarArea(frame_->toolbar()), Qt::TopToolBarArea);
  EXPECT_EQ(frame_->action(kCmdRead)->statusTip(), QStringLiteral("读取数据"));
  EXPECT_EQ(frame_->action(kCmdCloseAll)->statusTip(), QStringLiteral("关闭所有通道！"));
}

TEST_F(AppTest, ViewMenuHidesAndShowsBarsWithTicks) {
  StartFrame();
  QAction* tool = frame_->action(kCmdViewToolbar);
  QAction* status = frame_->action(kCmdViewStatusBar);
  EXPECT_TRUE(tool->isChecked());
  EXPECT_TRUE(status->isChecked());
  tool->trigger();
  status->trigger();
  EXPECT_FALSE(frame_->toolbar()->isVisible());
  EXPECT_FALSE(frame_->statusBar()->isVisible());
  EXPECT_FALSE(tool->isChecked());
  tool->trigger();
  status->trigger();
  EXPECT_TRUE(frame_->toolbar()->isVisible());
  EXPECT_TRUE(frame_->statusBar()->isVisible());
  EXPECT_TRUE(status->isChecked());
}

TEST_F(AppTest, StatusTextClockAndProgress) {
  StartFrame();
  frame_->SetStatusText(QStringLiteral("请继续"));
  EXPECT_EQ(frame_->status_text(), QString(14, QLatin1Char(' ')) + "请继续");
  const QString clock = frame_->clock_text();
  // The pane ticks every 200 ms: it may still show the second just gone.
  const QDateTime now = QDateTime::currentDateTimeUtc();
  EXPECT_TRUE(clock == ClockText(now) || clock == ClockText(now.addSecs(-1))) << clock.toStdString();

  frame_->BeginProgress(QStringLiteral("正在接收"), 49, 25);
  ASSERT_NE(frame_->progress_bar(), nullptr);
  EXPECT_TRUE(frame_->progress_bar()->isVisible());
  EXPECT_EQ(frame_->progress_bar()->value(), 25);
  EXPECT_EQ(frame_->progress_bar()->maximum(), 49);
  EXPECT_EQ(frame_->progress_label()->text(), QStringLiteral("51%"));
  EXPECT_EQ(frame_->progress_bar()->size(), QSize(350, 30));
  EXPECT_TRUE(frame_->status_text().endsWith(QStringLiteral("正在接收")));
  frame_->BeginProgress(QStringLiteral("正在接收"), 49, 49);
  EXPECT_EQ(frame_->progress_label()->text(), QStringLiteral("100%"));
  frame_->EndProgress();
  EXPECT_EQ(frame_->progress_bar(), nullptr);
  EXPECT_EQ(frame_->progress_label(), nullptr);
  // The status line keeps the last text.
  EXPECT_TRUE(frame_->status_text().endsWith(QStringLiteral("正在接收")));
}

TEST_F(AppTest, HelpShowsTheProgramDirectorysHelpFileInside) {
  QFile help(dir_.filePath(QStringLiteral("Kavir.hlp")));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
  help.write("\xEF\xBB\xBF<html><body><h1>读出与写入</h1></body></html>");
  help.close();
  StartFrame();
  QString shown;
  OnNextDialog<HelpViewer>([&](HelpViewer* v) {
    shown = v->browser()->toPlainText();
    v->reject();
  });
  frame_->action(kCmdHelp)->trigger();
  EXPECT_TRUE(shown.contains(QStringLiteral("读出与写入"))) << shown.toStdString();
}

TEST_F(AppTest, MissingHelpFileSaysWhichFileAndWhy) {
  QFile::remove(dir_.filePath(QStringLiteral("Kavir.hlp")));
  StartFrame();
  QString shown;
  OnNextDialog<HelpViewer>([&](HelpViewer* v) {
    shown = v->browser()->toPlainText();
    v->reject();
  });
  frame_->action(kCmdHelp)->trigger();
  EXPECT_TRUE(shown.contains(dir_.filePath(QStringLiteral("Kavir.hlp")))) << shown.toStdString();
}

TEST_F(AppTest, AboutBoxHasCaptionVersionAndOk) {
  StartFrame();
  QString title, text;
  OnNextDialog<AboutDialog>([&](AboutDialog* d) {
    title = d->windowTitle();
    for (QLabel* l : d->findChildren<QLabel*>()) text += l->text() + "\n";
    for (QPushButton* b : d->findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("确定")) b->click();
  });
  frame_->action(kCmdAbout)->trigger();
  EXPECT_EQ(title, QStringLiteral("关于 KAVIR"));
  EXPECT_TRUE(text.contains(QStringLiteral("KAVIR"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("4.0"))) << text.toStdString();
}

TEST(Registration, WritesAndRemovesTheDesktopEntry) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray old = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  QString error;
  ASSERT_TRUE(RegisterDesktopEntry(QStringLiteral("/opt/kavir/bin/kavir"),
                                   QStringLiteral("/home/tech/电台"), &error))
      << error.toStdString();
  QFile entry(home.filePath(QStringLiteral("applications/kavir.desktop")));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(entry.readAll());
  entry.close();
  EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/kavir/bin/kavir\"\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\nPath=/home/tech/电台\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
  ASSERT_TRUE(UnregisterDesktopEntry(&error)) << error.toStdString();
  EXPECT_FALSE(entry.exists());
  // Removing what is not there is no error.
  EXPECT_TRUE(UnregisterDesktopEntry(&error));
  qputenv("XDG_DATA_HOME", old);
}

TEST(Registration, ExecQuotesCharactersTheShellWouldTakeApart) {
  const QString text = DesktopEntryText(QStringLiteral("/a b/$x\"k"), QStringLiteral("/d"));
  EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/a b/\\$x\\\"k\"\n"))) << text.toStdString();
}

}  // namespace
}  // namespace kavir::app::test

namespace kavir::app::test {
namespace {

TEST_F(AppTest, ReportCommandsAreWiredAndPreviewOpens) {
  StartFrame();
  for (int id : {kCmdPrint, kCmdPrintPreview, kCmdPageSetup, kCmdExportPdf})
    EXPECT_TRUE(frame_->action(id)->isEnabled()) << id;
  bool opened = false;
  OnNextDialog<QDialog>([&](QDialog* d) {
    opened = true;
    d->reject();
  });
  frame_->action(kCmdPrintPreview)->trigger();
  EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace kavir::app::test
