#pragma once
// A program folder seeded with the shipped data, a main frame over the
// in-process virtual radio, and helpers that answer modal dialogs the way a
// user would.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "main_frame.h"
#include "sim/virtual_radio.h"

namespace kavir::app::test {

// Clicks the buttons of the message boxes that come up, in order, and keeps
// their texts. A box with no answer left gets No.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers);
  QStringList texts;
  QStringList captions;

 private:
  void Poll();
  QList<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};

// Runs fn on the next modal dialog of type T that opens.
template <typename T>
void OnNextDialog(std::function<void(T*)> fn);

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A radio image made from a model file with some keys changed.
  sim::RadioImage ImageWith(const std::string& model_file,
                            const std::vector<std::pair<std::string, std::string>>& keys);
  void StartFrame(const sim::RadioImage& image);
  void StartFrame();

  QString Cell(int row, int col) const;
  // Types a frequency into a grid cell and commits it with Enter.
  void SetCell(int row, int col, const QString& text);
  std::string Path(const std::string& name) const;

  QTemporaryDir dir_;
  sim::VirtualClock clock_;
  std::unique_ptr<sim::VirtualRadio> radio_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace kavir::app::test

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace kavir::app::test {

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

}  // namespace kavir::app::test
