// Widget tests run without a display: the windowless platform is chosen
// here, before the one QApplication exists, unless QT_QPA_PLATFORM names one.
#include <QApplication>

#include <gtest/gtest.h>

#include "app_start.h"
#include "report/report_actions.h"

int main(int argc, char** argv) {
  kavir::UseHeadlessPlatform();
  QApplication app(argc, argv);
  kavir::app::SetUpFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
