// Screenshots of the editing commands: the 编辑 menu, a selection of
// several cells and the question before unsaved changes are lost.
//   kavir_edit_screenshots OUTPUT_DIR   (offscreen or under xvfb-run)
#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "app_start.h"
#include "channel_grid_widget.h"
#include "main_frame.h"
#include "screen_widget.h"
#include "shot_folder.h"

using namespace kavir;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app::SetUpFonts();
  if (argc < 2) {
    std::fprintf(stderr, "usage: kavir_edit_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  docs::ShotFolder folder("KV16V.ini");
  if (!folder.radio) return 1;
  app::CMainFrame frame(folder.files(), folder.radio.get(), &folder.clock);
  frame.resize(1024, 740);
  frame.show();
  if (!QTest::qWaitForWindowExposed(&frame)) return 1;
  frame.Start();
  app::ChannelGridWidget* grid = frame.screen()->grid();

  // A changed cell, then channels 3..6 selected from the CH labels.
  grid->setFocus();
  grid->setCurrentCell(2, 1);
  QTest::keyClick(grid, Qt::Key_1);
  QTest::keyClicks(grid->frequency_editor(), QStringLiteral("46.5"));
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
  grid->SelectCells({3, 1, 6, 9}, 3, 1);
  QTest::qWait(50);
  frame.grab().save(out + "/multi-cell-selection.png");

  // The 编辑 menu opened under its title, drawn onto the window's picture.
  QMenu* edit = frame.menuBar()->actions()[1]->menu();
  const QPoint at = frame.menuBar()->actionGeometry(frame.menuBar()->actions()[1]).bottomLeft();
  edit->popup(frame.menuBar()->mapToGlobal(at));
  QTest::qWait(100);
  QPixmap shot = frame.grab();
  {
    QPainter painter(&shot);
    painter.drawPixmap(frame.mapFromGlobal(edit->pos()), edit->grab());
  }
  shot.save(out + "/edit-menu.png");
  edit->hide();

  // Close over the unsaved change: grab the question, then cancel it.
  QTimer::singleShot(300, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      QPixmap whole = frame.grab();
      QPainter painter(&whole);
      const QPixmap boxshot = box->grab();
      painter.drawPixmap((whole.width() - boxshot.width()) / 2, (whole.height() - boxshot.height()) / 2, boxshot);
      painter.end();
      whole.save(out + "/unsaved-changes-prompt.png");
      box->button(QMessageBox::Cancel)->click();
    }
  });
  frame.close();
  return 0;
}
