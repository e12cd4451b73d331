// Widget tests run without a display: the offscreen platform is chosen here,
// before the one QApplication exists.
#include <gtest/gtest.h>

#include <QApplication>

#include "app_start.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kavir::app::SetUpFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
