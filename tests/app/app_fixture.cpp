#include "app_fixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "profile/ini_document.h"
#include "screen_widget.h"
#include "channel_grid_widget.h"
#include "sim/profile_image.h"

namespace kavir::app::test {

BoxAnswerer::BoxAnswerer(QList<QMessageBox::StandardButton> answers) : answers_(answers) {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
  timer_.start();
}

void BoxAnswerer::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box || box->property("answered").toBool()) return;
  box->setProperty("answered", true);
  texts << box->text();
  captions << box->windowTitle();
  QMessageBox::StandardButton answer = QMessageBox::No;
  if (!answers_.isEmpty()) answer = answers_.takeFirst();
  QAbstractButton* button = box->button(answer);
  if (!button) button = box->buttons().value(0);
  QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
}

void AppTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  const QDir data(QStringLiteral(KAVIR_DATA_DIR));
  for (const QString& name : data.entryList(QDir::Files)) {
    ASSERT_TRUE(QFile::copy(data.filePath(name), dir_.filePath(name))) << name.toStdString();
  }
}

void AppTest::TearDown() {
  frame_.reset();
  radio_.reset();
}

std::string AppTest::Path(const std::string& name) const {
  return dir_.filePath(QString::fromStdString(name)).toStdString();
}

sim::RadioImage AppTest::ImageWith(const std::string& model_file,
                                   const std::vector<std::pair<std::string, std::string>>& keys) {
  const std::string profile = Path("radio-source.dat");
  QFile::remove(QString::fromStdString(profile));
  EXPECT_TRUE(QFile::copy(QString::fromStdString(Path(model_file)), QString::fromStdString(profile)));
  QFile::setPermissions(QString::fromStdString(profile), QFile::ReadOwner | QFile::WriteOwner);
  for (const auto& [key, value] : keys)
    EXPECT_TRUE(WritePrivateProfileString("Previous", key, value, profile).ok);
  sim::RadioImage image{};
  std::string error;
  EXPECT_TRUE(sim::BuildImageFromProfile(profile, dir_.path().toStdString(), &image, &error))
      << error;
  return image;
}

void AppTest::StartFrame(const sim::RadioImage& image) {
  radio_ = std::make_unique<sim::VirtualRadio>(clock_, image);
  frame_ = std::make_unique<CMainFrame>(WorkingFiles::FromDirectory(dir_.path().toStdString()),
                                        radio_.get(), &clock_);
  frame_->resize(1024, 740);
  frame_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
  frame_->Start();
}

void AppTest::StartFrame() { StartFrame(ImageWith("KV16V.ini", {})); }

QString AppTest::Cell(int row, int col) const {
  return frame_->screen()->grid()->item(row, col)->text();
}

void AppTest::SetCell(int row, int col, const QString& text) {
  ChannelGridWidget* grid = frame_->screen()->grid();
  grid->setFocus();
  grid->setCurrentCell(row, col);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClicks(grid->frequency_editor(), text);
  QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
}

}  // namespace kavir::app::test
