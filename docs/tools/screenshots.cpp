// Takes the documentation screenshots: both pages, the port dialog, the
// print dialog, the 工具 menu, a read in progress and its end, a cancelled
// write and a write whose verify fails, with the shipped data and the in-process virtual radio.
//   kavir_screenshots OUTPUT_DIR SUFFIX   (run under xvfb-run)
#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app_start.h"
#include "command_ids.h"
#include "lang/language.h"
#include "link/native/native_ports.h"
#include "main_frame.h"
#include "port_dialog.h"
#include "radio_commands.h"
#include "screen_widget.h"
#include "shot_folder.h"

using namespace kavir;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app::SetUpFonts();
  lang::Apply(false, "");  // the documentation shows the Chinese screen
  if (argc < 3) {
    std::fprintf(stderr, "usage: kavir_screenshots OUTPUT_DIR SUFFIX\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString suffix = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);
  docs::ShotFolder folder("KV16V.ini");
  if (!folder.radio) return 1;
  folder.radio->latency_ms = 30;
  app::CMainFrame frame(folder.files(), folder.radio.get(), &folder.clock);
  // Without a window manager maximising does nothing: size it first.
  frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  frame.showMaximized();
  if (!QTest::qWaitForWindowExposed(&frame)) return 1;
  frame.Start();
  QTest::qWait(300);
  auto save = [&](QWidget* w, const QString& name) {
    const QString path = out + "/" + name + "-" + suffix + ".png";
    if (!w->grab().save(path)) std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
  };
  save(&frame, QStringLiteral("channel-page"));
  QTabBar* tabs = frame.screen()->tabs()->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  QTest::qWait(200);
  save(&frame, QStringLiteral("function-page"));
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  QTest::qWait(100);

  {
    PortSettings settings;
    settings.device = "/dev/pts/3";
    app::PortDialog port(settings, NativeAvailablePorts(), &frame);
    port.show();
    if (!QTest::qWaitForWindowExposed(&port)) return 1;
    QTest::qWait(100);
    save(&port, QStringLiteral("port-dialog"));
  }
  {
    QPrinter printer;
    printer.setOutputFileName(QStringLiteral("KAVIR.pdf"));
    QPrintDialog print(&printer, &frame);
    print.show();
    if (!QTest::qWaitForWindowExposed(&print)) return 1;
    QTest::qWait(200);
    save(&print, QStringLiteral("print-dialog"));
  }

  // The 工具 menu, open, with its check items.
  for (QAction* m : frame.menuBar()->actions()) {
    if (!m->text().startsWith(QStringLiteral("工具")) || !m->menu()) continue;
    m->menu()->popup(frame.mapToGlobal(frame.menuBar()->actionGeometry(m).bottomLeft()));
    QTest::qWait(200);
    save(m->menu(), QStringLiteral("tools-menu"));
    m->menu()->hide();
  }

  // A read: answer Yes, then grab the window when the bar is half-way.
  bool grabbed = false;
  auto& link = frame.radio().link();
  auto paint = link.idle_hook;
  link.idle_hook = [&] {
    if (paint) paint();
    QProgressBar* bar = frame.progress_bar();
    if (!grabbed && bar && bar->value() >= 24) {
      grabbed = true;
      save(&frame, QStringLiteral("read-in-progress"));
    }
  };
  // Yes to every question; each closing message is kept as a picture.
  QStringList endings = {QStringLiteral("read-finished"), QStringLiteral("write-cancelled")};
  QTimer yes;
  yes.setInterval(20);
  QObject::connect(&yes, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    QAbstractButton* button = box->button(QMessageBox::Yes);
    if (!button) {
      if (!endings.isEmpty()) save(box, endings.takeFirst());
      button = box->buttons().value(0);
    }
    QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
  });
  yes.start();
  frame.action(app::kCmdRead)->trigger();

  // A write cancelled at packet 20.
  bool cancelled = false;
  link.idle_hook = [&] {
    if (paint) paint();
    if (!cancelled && folder.radio->sent().size() >= 21) {
      cancelled = true;
      QTimer::singleShot(0, &frame, [&] {
        if (QPushButton* b = frame.radio().cancel_button()) {
          save(&frame, QStringLiteral("write-cancel-button"));
          b->click();
        }
      });
    }
  };
  folder.radio->ClearSent();
  frame.action(app::kCmdWrite)->trigger();

  // A write whose read-back differs: the message and the closing summary.
  link.idle_hook = paint;
  folder.radio->radio().faults.corrupt_store = 100;
  endings << QStringLiteral("verify-failed") << QStringLiteral("verify-failed-summary");
  frame.action(app::kCmdWrite)->trigger();
  return grabbed && endings.isEmpty() ? 0 : 1;
}
