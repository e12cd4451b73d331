#pragma once
// "串口配置": COM1 to COM4, or any serial device by name — a detected port
// from the list or a path typed in, such as the virtual radio's pty — and
// the line speed and the three time-outs kept in KAVIR.ini.
#include <QDialog>
#include <QString>
#include <vector>

#include "link/link_settings.h"
#include "link/qt/port_list.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace kavir::app {

class PortDialog : public QDialog {
  Q_OBJECT

 public:
  PortDialog(const PortSettings& settings, const std::vector<PortInfo>& detected, QWidget* parent);

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
};

}  // namespace kavir::app
