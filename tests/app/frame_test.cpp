// The main frame: bars, status line, progress, help, registration, report commands.
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "../profile/scoped_time_zone.h"
#include "app_fixture.h"
#include "command_ids.h"
#include "frame_geometry.h"
#include "help_viewer.h"
#include "registration.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, BarsStatusLineProgressPreviewAndHelp) {
  StartFrame();
  for (int id : {kCmdViewToolbar, kCmdViewStatusBar}) {
    EXPECT_TRUE(frame_->action(id)->isChecked());
    frame_->action(id)->trigger();
    EXPECT_FALSE(frame_->action(id)->isChecked());
  }
  EXPECT_FALSE(frame_->toolbar()->isVisible() || frame_->statusBar()->isVisible());
  frame_->action(kCmdViewToolbar)->trigger();
  frame_->action(kCmdViewStatusBar)->trigger();
  EXPECT_TRUE(frame_->toolbar()->isVisible() && frame_->statusBar()->isVisible());

  const QDateTime late(QDate(2026, 12, 7), QTime(23, 30, 0), Qt::UTC);
  {
    kavir::test::ScopedTimeZone china("CST-8");  // the machine's local time, however the instant is given
    EXPECT_EQ(ClockText(late.toOffsetFromUtc(-5 * 3600)), QStringLiteral("07:30:00"));
  }
  kavir::test::ScopedTimeZone new_york("EST5");
  EXPECT_EQ(ClockText(late), QStringLiteral("18:30:00"));
  frame_->BeginProgress(QStringLiteral("正在接收"), 49, 25);
  ASSERT_NE(frame_->progress_bar(), nullptr);
  EXPECT_TRUE(frame_->progress_bar()->isVisible());
  EXPECT_EQ(frame_->progress_bar()->value(), 25);
  EXPECT_EQ(frame_->progress_bar()->maximum(), 49);
  EXPECT_EQ(frame_->progress_label()->text(), QStringLiteral("51%"));
  EXPECT_EQ(frame_->status_text(), QString(14, QLatin1Char(' ')) + "正在接收");
  frame_->EndProgress();
  EXPECT_EQ(frame_->progress_bar(), nullptr);
  EXPECT_EQ(frame_->progress_label(), nullptr);
  EXPECT_TRUE(frame_->status_text().endsWith(QStringLiteral("正在接收")));  // the text stays

  bool previewed = false;
  OnNextDialog<QDialog>([&](QDialog* d) {
    previewed = true;
    d->reject();
  });
  frame_->action(kCmdPrintPreview)->trigger();
  EXPECT_TRUE(previewed);

  const QString path = dir_.filePath(QStringLiteral("Kavir.hlp"));
  QFile help(path);
  ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
  help.write("\xEF\xBB\xBF<html><body><h1>读出与写入</h1></body></html>");
  help.close();
  for (const QString& expected : {QStringLiteral("读出与写入"), path}) {
    QString shown;
    OnNextDialog<HelpViewer>([&](HelpViewer* v) {
      shown = v->browser()->toPlainText();
      v->reject();
    });
    frame_->action(kCmdHelp)->trigger();
    EXPECT_TRUE(shown.contains(expected)) << shown.toStdString();
    QFile::remove(path);
  }
}

TEST(Registration, WritesAndRemovesTheDesktopEntry) {
  QTemporaryDir home;
  const QByteArray old = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  QString error;
  ASSERT_TRUE(RegisterDesktopEntry(QStringLiteral("/opt/kavir/bin/kavir"), QStringLiteral("/home/tech/电台"), &error))
      << error.toStdString();
  QFile entry(home.filePath(QStringLiteral("applications/kavir.desktop")));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(entry.readAll());
  entry.close();
  EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
  for (const char* line : {"\nExec=\"/opt/kavir/bin/kavir\"\n", "\nPath=/home/tech/电台\n", "\nType=Application\n"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
  ASSERT_TRUE(UnregisterDesktopEntry(&error)) << error.toStdString();
  EXPECT_FALSE(entry.exists());
  EXPECT_TRUE(UnregisterDesktopEntry(&error));  // removing what is not there is no error
  qputenv("XDG_DATA_HOME", old);
  const QString quoted = DesktopEntryText(QStringLiteral("/a b/$x\"k"), QStringLiteral("/d"));
  EXPECT_TRUE(quoted.contains(QStringLiteral("Exec=\"/a b/\\$x\\\"k\"\n"))) << quoted.toStdString();
}

}  // namespace
}  // namespace kavir::app::test
