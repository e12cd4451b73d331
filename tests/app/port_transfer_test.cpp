// The program against a radio on a serial port, as it runs for a user: the
// port from KAVIR.ini and the system's own transport, not the in-process
// radio. KAVIR_TEST_PORT names a port with kavir-radio-sim on its far end
// (a pseudo-terminal here, a COM port under Wine); without it the test is
// skipped. KAVIR_TEST_OUT, when set, receives what the steps made, for the
// caller to hold against the command line's results.
#include <cstdio>
#include <cstdlib>

#include <QElapsedTimer>

#include "app_fixture.h"
#include "command_ids.h"
#include "report/report_actions.h"

namespace kavir::app::test {
namespace {

TEST_F(AppTest, OnASerialPortTheScreenMakesARoundTripThroughTheRadio) {
  const char* port = std::getenv("KAVIR_TEST_PORT");
  if (!port || !*port) GTEST_SKIP() << "KAVIR_TEST_PORT names no port with a virtual radio on it";
  IniDocument kavir = ReadIniFile(Path("KAVIR.ini"));
  kavir.SetString("ComPort", "Device", port);
  ASSERT_TRUE(WriteIniFile(Path("KAVIR.ini"), kavir));
  frame_ = std::make_unique<CMainFrame>(WorkingFiles::FromDirectory(dir_.path().toStdString()));
  frame_->resize(1024, 740);
  frame_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
  frame_->Start();

  QElapsedTimer clock;
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    clock.start();
    frame_->action(kCmdRead)->trigger();
    const qint64 ms = clock.elapsed();
    ASSERT_EQ(boxes.texts.size(), 2) << boxes.texts.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("16 个信道"))) << boxes.texts[1].toStdString();
    std::printf("read: %lld ms\n", static_cast<long long>(ms));
  }
  const QString radio_first = Cell(1, 1);
  EXPECT_FALSE(radio_first.isEmpty());

  SetCell(4, 1, QStringLiteral("162.0375"));
  {
    BoxAnswerer boxes({QMessageBox::Yes});
    clock.start();
    frame_->action(kCmdWrite)->trigger();
    const qint64 ms = clock.elapsed();
    ASSERT_FALSE(boxes.texts.isEmpty());
    EXPECT_TRUE(boxes.texts.last().contains(QStringLiteral("读回校验一致"))) << boxes.texts.last().toStdString();
    std::printf("write with its backup read and verify: %lld ms\n", static_cast<long long>(ms));
  }
  ASSERT_TRUE(frame_->view().document().SaveTo(Path("written.dat")));
  const IoStatus pdf = WriteReportPdf(ReportOf(frame_->view().setup(), "written.dat"), Path("written.pdf"));
  ASSERT_TRUE(pdf.ok) << pdf.Message();

  // What the radio holds now comes back on a second read.
  SetCell(4, 1, QStringLiteral("140.0000"));
  {
    BoxAnswerer boxes({QMessageBox::Discard, QMessageBox::Yes});
    frame_->action(kCmdRead)->trigger();
  }
  EXPECT_EQ(Cell(4, 1), QStringLiteral("162.03750"));
  EXPECT_EQ(Cell(1, 1), radio_first);

  if (const char* out = std::getenv("KAVIR_TEST_OUT"); out && *out) {
    const QDir to(QString::fromLocal8Bit(out));
    for (const char* name : {"Read.ini", "written.dat", "written.pdf"}) {
      QFile::remove(to.filePath(QString::fromLatin1(name)));
      EXPECT_TRUE(QFile::copy(dir_.filePath(QString::fromLatin1(name)), to.filePath(QString::fromLatin1(name))))
          << name;
    }
  }
}

}  // namespace
}  // namespace kavir::app::test
