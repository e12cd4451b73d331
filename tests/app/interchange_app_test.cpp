// CSV import through its preview, opening a radio image, comparing the
// screen with a file and with the radio, driven through the menus; the
// report of the screen.
#include <QCheckBox>
#include <QImage>
#include <QInputDialog>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include "app_fixture.h"
#include "command_ids.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"
#include "report/report_renderer.h"
#include "report_commands.h"
#include "screen/kavir_view.h"

namespace kavir::app::test {
namespace {

QString Fixture(const char* name) {
  return QStringLiteral(KAVIR_FIXTURES_DIR "/interchange/") + QString::fromUtf8(name);
}

TEST_F(AppTest, ImportShowsItsPreviewBeforeAnythingChanges) {
  StartFrame();
  const QString before = Cell(1, 1);
  int rows = -1;
  QString refusal, screen_while_open;
  bool by_location_moves_row = false;
  TypeFileName(Fixture("refused.csv"));
  OnNextDialog<ImportPreviewDialog>([&](ImportPreviewDialog* d) {
    rows = d->table()->rowCount();
    refusal = d->table()->item(0, 9)->text();
    screen_while_open = Cell(1, 1);
    d->by_location()->setChecked(true);
    by_location_moves_row = d->table()->item(rows - 1, 2)->text() == QStringLiteral("CH15");
    d->by_location()->setChecked(false);
    d->import_button()->click();
  });
  frame_->action(kCmdImportCsv)->trigger();
  EXPECT_EQ(rows, 14);
  EXPECT_TRUE(refusal.contains(QStringLiteral("reverse squelch"))) << refusal.toStdString();
  EXPECT_EQ(screen_while_open, before);
  EXPECT_TRUE(by_location_moves_row);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("146.52000"));
}

// A file at path holding bytes, by its name.
QString FileWith(const std::string& path, const std::string& bytes) {
  QFile f(QString::fromStdString(path));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return f.fileName();
}

// An image opens as the model it names, without a question.
TEST_F(AppTest, OpeningAnImageTakesTheModelItNames) {
  StartFrame();
  sim::RadioImage image = ImageWith("KV16U.ini", {{"CH02.RxFreq", "440.02500"}});
  TypeFileName(FileWith(Path("radio.img"), std::string(image.begin(), image.end())));
  frame_->action(kCmdOpen)->trigger();
  EXPECT_EQ(Cell(2, 1), QStringLiteral("440.02500"));
  EXPECT_EQ(frame_->view().Selected("Type").text, "KV16U");
}

// As many bytes as an image that are no radio image are refused with the reason.
TEST_F(AppTest, OpeningBytesThatAreNoImageIsRefused) {
  StartFrame();
  const QString before = Cell(2, 1);
  BoxAnswerer boxes({QMessageBox::Ok});
  TypeFileName(FileWith(Path("zeros.bin"), std::string(sim::kImageBytes, '\0')));
  frame_->action(kCmdOpen)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts.isEmpty(); }));
  EXPECT_TRUE(boxes.texts.front().contains(QStringLiteral("不是电台数据"))) << boxes.texts.front().toStdString();
  EXPECT_EQ(Cell(2, 1), before);
}

TEST_F(AppTest, CompareWithAFileListsDifferencesWithoutChangingTheScreen) {
  StartFrame();
  const std::string other = Path("other.dat");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(Path("KV16V.ini")), QString::fromStdString(other)));
  QFile::setPermissions(QString::fromStdString(other), QFile::ReadOwner | QFile::WriteOwner);
  ASSERT_TRUE(kavir::test::WriteValue(other, "Previous", "CH04.RxFreq", "150.02500").ok);
  const QString before = Cell(4, 1);
  QStringList where;
  TypeFileName(QString::fromStdString(other));
  OnNextDialog<CompareDialog>([&](CompareDialog* d) {
    for (int r = 0; r < d->table()->rowCount(); ++r) where << d->table()->item(r, 0)->text();
    d->accept();
  });
  frame_->action(kCmdCompareFile)->trigger();
  EXPECT_EQ(where, QStringList{QStringLiteral("CH04 接收频率")});
  EXPECT_EQ(Cell(4, 1), before);
}

// A file that is no set-up is named, and nothing is compared.
TEST_F(AppTest, CompareWithAFileThatIsNoSetUpNamesIt) {
  StartFrame();
  QFile notes(QString::fromStdString(Path("notes.txt")));
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
  notes.write("club plan\r\n");
  notes.close();
  BoxAnswerer boxes({QMessageBox::Ok});
  TypeFileName(notes.fileName());
  frame_->action(kCmdCompareFile)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.texts.isEmpty(); }));
  EXPECT_TRUE(boxes.texts.front().contains(QStringLiteral("不是数据文件"))) << boxes.texts.front().toStdString();
}

TEST_F(AppTest, ReportIsOfTheScreenAsItIs) {
  StartFrame();
  SetCell(2, 1, QStringLiteral("145.5"));
  const ReportPage page = PrintReport(frame_->view(), 0);
  const ReportText* cell = page.TextAt(130, 670);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text, "145.50000");
  EXPECT_EQ(QString::fromStdString(cell->text), Cell(2, 1));
}

// Printing leaves the grid on its last cell, as it always has.
TEST_F(AppTest, PrintingLeavesTheGridOnItsLastCell) {
  StartFrame();
  frame_->view().grid.row = 2;
  PrintReport(frame_->view(), 0);
  EXPECT_EQ(frame_->view().grid.row, 16);
  EXPECT_EQ(frame_->view().grid.col, 9);
}

// The page fills the paper in either orientation: the channel table's
// bottom line (1040 of the layout's 1129) and the boxes' right edge (720 of
// 787) land where the paper's height and width put them.
TEST_F(AppTest, APageFillsThePaperInEitherOrientation) {
  StartFrame();
  for (const QSize size : {QSize(1169, 827), QSize(827, 1169)}) {  // A4 at 100 dpi, landscape and portrait
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPageToFill(painter, QSizeF(size), PrintReport(frame_->view(), 0));
    painter.end();
    // The last row with any ink, and the last column of it below the timestamp.
    int lowest = -1, rightmost = -1;
    const int boxes_top = 190 * size.height() / kReportPageHeight;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) lowest = y, rightmost = y > boxes_top ? std::max(rightmost, x) : rightmost;
    EXPECT_NEAR(lowest, 1040.0 * size.height() / kReportPageHeight, 3) << size.width();
    EXPECT_NEAR(rightmost, 720.0 * size.width() / kReportPageWidth, 3) << size.width();
  }
}

TEST_F(AppTest, CompareWithTheRadioListsDifferencesWithoutChangingTheScreen) {
  StartFrame(ImageWith("KV16V.ini", {{"CH04.RxFreq", "150.02500"}}));
  BoxAnswerer boxes({QMessageBox::Yes});
  QStringList where;
  OnNextDialog<CompareDialog>([&](CompareDialog* d) {
    for (int r = 0; r < d->table()->rowCount(); ++r) where << d->table()->item(r, 0)->text();
    d->accept();
  });
  frame_->action(kCmdCompareRadio)->trigger();
  EXPECT_TRUE(where.contains(QStringLiteral("CH04 接收频率"))) << where.join(',').toStdString();
  EXPECT_EQ(Cell(4, 1), QStringLiteral("143.81875"));
}

// The question before a compare is not the read's: it says the radio is
// only read and compared and the screen stays, with unsaved edits in it.
TEST_F(AppTest, CompareWithTheRadioAsksInItsOwnWords) {
  StartFrame(ImageWith("KV16V.ini", {{"CH04.RxFreq", "150.02500"}}));
  QStringList asked;
  for (const int command : {kCmdRead, kCmdCompareRadio}) {
    BoxAnswerer boxes({QMessageBox::No});
    frame_->action(command)->trigger();
    ASSERT_EQ(boxes.texts.size(), 1);
    asked << boxes.texts[0];
    SetCell(2, 1, QStringLiteral("145.5"));
  }
  EXPECT_TRUE(asked[1].contains(QStringLiteral("只读出电台的数据"))) << asked[1].toStdString();
  EXPECT_TRUE(asked[1].contains(QStringLiteral("屏幕上的数据保持不变"))) << asked[1].toStdString();
  EXPECT_NE(asked[0], asked[1]);
  EXPECT_TRUE(radio_->sent().empty());
  EXPECT_EQ(Cell(2, 1), QStringLiteral("145.50000"));
}

}  // namespace
}  // namespace kavir::app::test
