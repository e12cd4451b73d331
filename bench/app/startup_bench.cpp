// Start-up to a painted main window: application object, fonts, frame,
// the screen's set-up with the shipped data, and the first paint.
// Run from a folder holding the data files (or pass it as the argument).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>

#include "app_start.h"
#include "main_frame.h"

namespace {

class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(o, e);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  if (argc > 1) QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
  kavir::app::SetUpFonts();
  const qint64 app_ms = clock.elapsed();
  kavir::app::CMainFrame frame(kavir::WorkingFiles::FromCurrentDirectory());
  PaintWatch watch;
  frame.installEventFilter(&watch);
  frame.showMaximized();
  frame.Start();
  const qint64 setup_ms = clock.elapsed();
  while (!watch.painted && clock.elapsed() < 10000) QApplication::processEvents();
  const qint64 painted_ms = clock.elapsed();
  std::printf("application+fonts %lld ms, frame+set-up %lld ms, painted %lld ms\n",
              static_cast<long long>(app_ms), static_cast<long long>(setup_ms - app_ms),
              static_cast<long long>(painted_ms));
  return watch.painted ? 0 : 1;
}
