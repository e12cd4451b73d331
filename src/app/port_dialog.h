#pragma once
// "串口配置": COM1 to COM4, or any serial device by name — a detected port
// from the list or a path typed in, such as the virtual radio's pty — and
// the line speed and the three time-outs kept in KAVIR.ini. The list says
// what each port is and greys out what cannot be opened; "检测电台" finds
// the radio and the doctor's report says what is wrong.
#include <functional>
#include <vector>

#include <QDialog>
#include <QString>

#include "link/link_settings.h"
#include "link/ports/port_records.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace kavir::app {

class ElidedLabel;

class PortDialog : public QDialog {
  Q_OBJECT

 public:
  // line: the line settings of KAVIR.ini for the probe and the report;
  // model_name: a model number's name ("" when unknown).
  PortDialog(const PortSettings& settings, const std::vector<PortRecord>& detected, QWidget* parent,
             LineSettings line = {}, std::function<std::string(int)> model_name = {});

  // The choice: a device name when one was given, otherwise 1 to 4.
  PortSettings settings() const;
  int port_number() const { return port_number_; }
  std::string device() const;

  QRadioButton* com_button(int n) const { return buttons_[n - 1]; }
  QComboBox* device_field() const { return device_field_; }
  QComboBox* baud_field() const { return baud_field_; }
  QSpinBox* handshake_field() const { return waits_[0]; }
  QSpinBox* receive_field() const { return waits_[1]; }
  QSpinBox* transmit_field() const { return waits_[2]; }
  QTreeWidget* port_list() const { return list_; }
  QPushButton* probe_button() const { return probe_button_; }
  ElidedLabel* probe_status() const { return probe_status_; }

  // "检测电台": the read handshake on each usable port in turn, a device
  // typed in included; the list shows where a radio answered, and the first
  // one found is chosen.
  void Probe();
  // Lists the ports again (the dialog does every two seconds while it is
  // open, so that a device plugged in or pulled out shows at once).
  void RefreshPorts();
  // Where the list comes from: the system's ports, the configured device
  // marked. Tests give their own.
  using PortLister = std::function<std::vector<PortRecord>(const std::string& configured)>;
  void SetPortLister(PortLister lister);
  // The doctor's report on the chosen port, as text.
  QString DoctorText() const;

 public slots:
  // A COM button over a configured device asks before the device is
  // forgotten; No keeps the dialog open.
  void accept() override;

 private:
  int port_number_ = 1;
  QString configured_device_;
  QRadioButton* buttons_[4] = {};
  QRadioButton* device_button_ = nullptr;
  QComboBox* device_field_ = nullptr;
  QComboBox* baud_field_ = nullptr;
  QSpinBox* waits_[3] = {};
  QTreeWidget* list_ = nullptr;
  QPushButton* probe_button_ = nullptr;
  ElidedLabel* probe_status_ = nullptr;
  std::vector<PortRecord> ports_;
  PortLister lister_;
  std::vector<std::string> missing_;  // devices named here that the system lacks
  LineSettings line_;
  std::function<std::string(int)> model_name_;

  void ShowReport();
  // ports_ from detected, with the configured and the typed device added
  // when the system does not list them, then the list shown anew.
  void SetPorts(std::vector<PortRecord> detected);
  void FillList();
  QTreeWidgetItem* ItemFor(const std::string& device) const;
  std::string ChosenDevice() const;
};

}  // namespace kavir::app
