#pragma once
// A program folder seeded with the shipped data, a main frame over the
// in-process virtual radio, and helpers that answer modal dialogs the way a
// user would.
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "channel_grid_widget.h"
#include "files.h"
#include "ini/ini_document.h"
#include "main_frame.h"
#include "screen/kavir_view.h"
#include "screen_widget.h"
#include "sim/profile_image.h"
#include "sim/virtual_radio.h"

namespace kavir::app::test {

// Runs fn on the next modal dialog of type T that opens.
template <typename T>
void OnNextDialog(std::function<void(T*)> fn) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, fn] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      fn(dialog);
    }
  });
  timer->start();
}

// Types path into the next file dialog and presses Enter, as a user would.
inline void TypeFileName(const QString& path) {
  OnNextDialog<QFileDialog>([path](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

// Clicks the buttons of the message boxes that come up, in order, and keeps
// their texts. NoButton presses Enter; a box with no answer left gets No.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers) : answers_(answers) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
    timer_.start();
  }
  QStringList texts;
  // Each box's Yes and No captions ("" when it has none), and whether
  // Enter gives Yes.
  QStringList yes_captions, no_captions;
  QList<bool> yes_by_default;
  // Looks at each box (and the window behind it) before it is answered.
  std::function<void(QMessageBox*)> on_box;

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    texts << box->text();
    yes_captions << (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->text() : QString());
    no_captions << (box->button(QMessageBox::No) ? box->button(QMessageBox::No)->text() : QString());
    yes_by_default << (box->defaultButton() && box->defaultButton() == box->button(QMessageBox::Yes));
    if (on_box) on_box(box);
    const QMessageBox::StandardButton answer = answers_.isEmpty() ? QMessageBox::No : answers_.takeFirst();
    if (answer == QMessageBox::NoButton) return QTest::keyClick(box, Qt::Key_Return);
    QAbstractButton* button = box->button(answer) ? box->button(answer) : box->buttons().value(0);
    QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
  }
  QList<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const QDir data(QStringLiteral(KAVIR_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
      ASSERT_TRUE(QFile::copy(data.filePath(name), dir_.filePath(name))) << name.toStdString();
    // The list of changes before a write is a dialog of its own; tests that
    // want it turn it on.
    IniDocument kavir = ReadIniFile(Path("KAVIR.ini"));
    kavir.SetString("Write", "ShowChanges", "0");
    ASSERT_TRUE(WriteIniFile(Path("KAVIR.ini"), kavir));
  }
  void TearDown() override {
    frame_.reset();
    radio_.reset();
  }

  // A radio image made from a model file with some keys changed.
  sim::RadioImage ImageWith(const std::string& model_file,
                            const std::vector<std::pair<std::string, std::string>>& keys) {
    const std::string profile = Path("radio-source.dat");
    QFile::remove(QString::fromStdString(profile));
    EXPECT_TRUE(QFile::copy(QString::fromStdString(Path(model_file)), QString::fromStdString(profile)));
    QFile::setPermissions(QString::fromStdString(profile), QFile::ReadOwner | QFile::WriteOwner);
    for (const auto& [key, value] : keys) EXPECT_TRUE(kavir::test::WriteValue(profile, "Previous", key, value).ok);
    sim::RadioImage image{};
    std::string error;
    EXPECT_TRUE(sim::BuildImageFromProfile(profile, dir_.path().toStdString(), &image, &error)) << error;
    return image;
  }
  void StartFrame(const sim::RadioImage& image) {
    radio_ = std::make_unique<sim::VirtualRadio>(clock_, image);
    frame_ =
        std::make_unique<CMainFrame>(WorkingFiles::FromDirectory(dir_.path().toStdString()), radio_.get(), &clock_);
    frame_->resize(1024, 740);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->Start();
  }
  void StartFrame() { StartFrame(ImageWith("KV16V.ini", {})); }

  QString Cell(int row, int col) const { return frame_->screen()->grid()->item(row, col)->text(); }
  // Types a frequency into a grid cell and commits it with Enter.
  void SetCell(int row, int col, const QString& text) {
    ChannelGridWidget* grid = frame_->screen()->grid();
    grid->setFocus();
    grid->setCurrentCell(row, col);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClicks(grid->frequency_editor(), text);
    QTest::keyClick(grid->frequency_editor(), Qt::Key_Return);
  }
  std::string Path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

  QTemporaryDir dir_;
  sim::VirtualClock clock_;
  std::unique_ptr<sim::VirtualRadio> radio_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace kavir::app::test
