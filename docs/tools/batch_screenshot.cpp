// Takes the batch dialog's documentation screenshot: three virtual cables,
// a few radios done, one of another model skipped.
//   kavir_batch_screenshot OUTPUT.png   (offscreen or under xvfb-run)
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "app_start.h"
#include "batch_cables.h"
#include "batch_dialog.h"
#include "main_frame.h"
#include "shot_folder.h"

using namespace kavir;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app::SetUpFonts();
  if (argc < 2) {
    std::fprintf(stderr, "usage: kavir_batch_screenshot OUTPUT.png\n");
    return 2;
  }
  docs::ShotFolder folder;
  app::CMainFrame frame(folder.files(), folder.radio.get(), &folder.clock);
  frame.Start();

  app::BatchDialog dialog(frame.view(),
                          app::test::VirtualCables(
                              {{"/dev/ttyUSB0", {1, 1}}, {"/dev/ttyUSB1", {1, 2, 1}}, {"/dev/ttyUSB2", {1, 1, 1}}}, 25),
                          "/dev/ttyUSB0,/dev/ttyUSB1,/dev/ttyUSB2", nullptr);
  dialog.count_field()->setValue(2);
  dialog.log_field()->setText(folder.dir.filePath("batch-20261207-103000.csv"));
  dialog.resize(720, 520);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) return 1;
  QTest::mouseClick(dialog.start_button(), Qt::LeftButton);
  if (!QTest::qWaitFor([&] { return !dialog.running() && dialog.table()->rowCount() >= 7; }, 30000)) return 1;
  QTest::qWait(200);
  if (!dialog.grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  return 0;
}
