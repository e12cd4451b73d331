#pragma once
// "批量写入": one set-up into radio after radio, on one or several ports,
// with a live table of the radios done and a log file.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include <QDialog>

#include "batch/batch_job.h"
#include "setup/setup.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace kavir {
class CKAVIRView;
}  // namespace kavir

namespace kavir::app {

class BatchDialog : public QDialog {
  Q_OBJECT

 public:
  // view is the screen whose set-up "当前屏幕数据" writes; ports the
  // ports offered at first ("COM1", "/dev/ttyUSB0,/dev/ttyUSB1", ...).
  BatchDialog(CKAVIRView& view, PortOpener opener, const QString& ports, QWidget* parent);
  ~BatchDialog() override;

  void Start();
  void Stop();
  bool running() const { return runner_.joinable(); }

  QRadioButton* screen_choice() const { return screen_choice_; }
  QRadioButton* file_choice() const { return file_choice_; }
  QLineEdit* file_field() const { return file_field_; }
  QLineEdit* ports_field() const { return ports_field_; }
  QSpinBox* count_field() const { return count_field_; }
  QCheckBox* verify_box() const { return verify_box_; }
  QCheckBox* keep_box() const { return keep_box_; }
  // Asked before the job starts with what every radio will hold and the
  // profile it came from ("" for the screen); false starts nothing.
  std::function<bool(const Setup& planned, const std::string& profile)> check_plan;
  QLineEdit* log_field() const { return log_field_; }
  QTableWidget* table() const { return table_; }
  QLabel* state_label() const { return state_label_; }
  QPushButton* start_button() const { return start_; }
  QPushButton* stop_button() const { return stop_; }

 signals:
  void finished_job();

 public:
  // Close: while a batch runs it stops first and closes after the radio
  // in progress.
  void reject() override;

 private:
  class Events;
  void AddRow(const RadioRecord& record);
  void ShowState(const QString& port, const QString& text);
  void Finish(const BatchSummary& summary);
  void SetEditable(bool editable);

  CKAVIRView& view_;
  PortOpener opener_;
  QRadioButton* screen_choice_ = nullptr;
  QRadioButton* file_choice_ = nullptr;
  QLineEdit* file_field_ = nullptr;
  QLineEdit* ports_field_ = nullptr;
  QSpinBox* count_field_ = nullptr;
  QCheckBox* verify_box_ = nullptr;
  QCheckBox* keep_box_ = nullptr;
  QLineEdit* log_field_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* state_label_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* close_ = nullptr;

  std::unique_ptr<Events> events_;
  std::unique_ptr<BatchLog> log_;
  std::unique_ptr<BatchJob> job_;
  std::thread runner_;
  QMap<QString, QString> port_states_;
  bool close_when_done_ = false;
};

// A result as the table shows it.
QString ResultCaption(RadioOutcome outcome, const std::string& reason);

}  // namespace kavir::app
