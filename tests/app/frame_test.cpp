// The main frame: bars, progress, preview, help, the keyboard, the prompts' buttons, Qt's own dialogs, registration.
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>

#include "app_fixture.h"
#include "app_start.h"
#include "command_ids.h"
#include "help_viewer.h"
#include "lang/language.h"
#include "link/radio_texts.h"
#include "registration.h"
#include "screen_ui_qt.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, TheViewCommandsToggleTheBars) {
  StartFrame();
  for (int id : {kCmdViewToolbar, kCmdViewStatusBar}) frame_->action(id)->trigger();
  EXPECT_FALSE(frame_->toolbar()->isVisible());
  EXPECT_FALSE(frame_->statusBar()->isVisible());
  for (int id : {kCmdViewToolbar, kCmdViewStatusBar}) frame_->action(id)->trigger();
  EXPECT_TRUE(frame_->toolbar()->isVisible());
  EXPECT_TRUE(frame_->statusBar()->isVisible());
}

TEST_F(AppTest, ProgressShowsItsShareInTheStatusBarUntilItEnds) {
  StartFrame();
  frame_->BeginProgress(QStringLiteral("正在接收"), 49, 25);
  ASSERT_NE(frame_->progress_bar(), nullptr);
  EXPECT_TRUE(frame_->progress_bar()->isVisible());
  EXPECT_EQ(frame_->progress_label()->text(), QStringLiteral("51%"));
  EXPECT_TRUE(frame_->status_text().endsWith(QStringLiteral("正在接收")));
  frame_->EndProgress();
  EXPECT_EQ(frame_->progress_label(), nullptr);
}

TEST_F(AppTest, PrintPreviewOpensItsDialog) {
  StartFrame();
  bool previewed = false;
  OnNextDialog<QDialog>([&](QDialog* d) {
    previewed = true;
    d->reject();
  });
  frame_->action(kCmdPrintPreview)->trigger();
  EXPECT_TRUE(previewed);
}

// The help file is shown, or, when it is missing, where it was looked for.
TEST_F(AppTest, HelpShowsTheFileOrWhereItWasLookedFor) {
  StartFrame();
  const QString path = dir_.filePath(QStringLiteral("Kavir.hlp"));
  QFile help(path);
  ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
  help.write("\xEF\xBB\xBF<html><body><h1>读出与写入</h1></body></html>");
  help.close();
  for (const QString& expected : {QStringLiteral("读出与写入"), QDir::toNativeSeparators(path)}) {
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

// The help describes every command of the 文件, 编辑 and 工具 menus, and no
// longer says that a typed character goes in front of the old text.
TEST_F(AppTest, HelpNamesEveryCommandOfTheMainMenus) {
  StartFrame();
  QFile help(dir_.filePath(QStringLiteral("Kavir.hlp")));
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(help.readAll()).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  EXPECT_FALSE(text.contains(QStringLiteral("放在原内容前面")));
  for (QAction* menu : frame_->menuBar()->actions().mid(0, 3))
    for (QAction* a : menu->menu()->actions()) {  // recent files ("&1 path") aside
      const QString name = a->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$")));
      if (!name.isEmpty() && !name.startsWith(QLatin1Char('&'))) {
        EXPECT_TRUE(text.contains(name)) << name.toStdString();
      }
    }
}

TEST_F(AppTest, ControlKeysSwitchPages) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  screen->grid()->setFocus();
  ASSERT_EQ(screen->tabs()->currentIndex(), 1);
  const std::pair<Qt::Key, int> steps[] = {
      {Qt::Key_PageDown, 0}, {Qt::Key_PageUp, 1}, {Qt::Key_Tab, 0}, {Qt::Key_Tab, 1}};
  for (const auto& [key, page] : steps) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame_.get(), key, Qt::ControlModifier);
    EXPECT_EQ(screen->tabs()->currentIndex(), page);
    EXPECT_EQ(frame_->view().current_tab, page);
  }
}

// Arrows move within a box column; Tab leaves it, and Shift+Tab comes back to
// the box last used.
TEST_F(AppTest, EachBoxColumnIsOneTabStop) {
  StartFrame();
  ScreenWidget* screen = frame_->screen();
  screen->ch_box(1)->setFocus();
  QTest::keyClick(screen->ch_box(1), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  ASSERT_EQ(QApplication::focusWidget(), screen->ch_box(3));
  QTest::keyClick(screen->ch_box(3), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), screen->grid());
  QTest::keyClick(screen->grid(), Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), screen->ch_box(3));
}

TEST(ChineseDialogs, QtsOwnDialogsFollowTheLanguage) {
  for (const bool english : {false, true}) {
    lang::Apply(english, "");
    QPrinter printer;
    QPrintDialog dialog(&printer);
    EXPECT_EQ(dialog.windowTitle(), english ? QStringLiteral("Print") : QStringLiteral("打印"));
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("取消")), !english);
  }
  lang::Apply(false, "");
}

#if defined(_WIN32)
TEST(Registration, TheStartMenuShortcutLastsUntilUnregistering) {
  const QString link =
      QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) + QStringLiteral("/KAVIR.lnk");
  QFile::remove(link);
  QTemporaryDir folder;
  QString message;
  ASSERT_TRUE(RegisterProgram(QCoreApplication::applicationFilePath(), folder.path(), &message))
      << message.toStdString();
  EXPECT_TRUE(QFileInfo::exists(link)) << link.toStdString();
  ASSERT_TRUE(UnregisterProgram(&message)) << message.toStdString();
  EXPECT_FALSE(QFileInfo::exists(link));
}
#elif !defined(__APPLE__)
TEST(Registration, TheDesktopEntryLastsUntilUnregistering) {
  QTemporaryDir home;
  const QByteArray old = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  QString error;
  ASSERT_TRUE(RegisterDesktopEntry(QStringLiteral("/opt/kavir/bin/kavir"), QStringLiteral("/home/tech/电台"), &error))
      << error.toStdString();
  QFile entry(home.filePath(QStringLiteral("applications/kavir.desktop")));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(entry.readAll()).contains(QStringLiteral("\nPath=/home/tech/电台\n")));
  entry.close();
  ASSERT_TRUE(UnregisterDesktopEntry(&error)) << error.toStdString();
  EXPECT_FALSE(entry.exists());
  EXPECT_TRUE(UnregisterDesktopEntry(&error));  // removing what is not there is no error
  qputenv("XDG_DATA_HOME", old);
}

TEST(Registration, TheDesktopEntryQuotesItsCommand) {
  const QString quoted = DesktopEntryText(QStringLiteral("/a b/$x\"k"), QStringLiteral("/d"));
  EXPECT_TRUE(quoted.contains(QStringLiteral("Exec=\"/a b/\\$x\\\"k\"\n"))) << quoted.toStdString();
}
#endif

}  // namespace
}  // namespace kavir::app::test
