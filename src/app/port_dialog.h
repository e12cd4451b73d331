#pragma once
// "串口配置": COM1 to COM4, or any serial device by name — a detected port
// from the list or a path typed in, such as the virtual radio's pty.
#include <QDialog>
#include <string>
#include <vector>

#include "link/qt/port_list.h"

class QComboBox;
class QRadioButton;

namespace kavir::app {

class PortDialog : public QDialog {
  Q_OBJECT

 public:
  PortDialog(int port_number, const std::string& device, const std::vector<PortInfo>& detected,
             QWidget* parent);

  // The choice: a device name when one was given, otherwise 1 to 4.
  int port_number() const { return port_number_; }
  std::string device() const;

  QRadioButton* com_button(int n) const { return buttons_[n - 1]; }
  QComboBox* device_field() const { return device_field_; }

 private:
  int port_number_ = 1;
  QRadioButton* buttons_[4] = {};
  QRadioButton* device_button_ = nullptr;
  QComboBox* device_field_ = nullptr;
};

}  // namespace kavir::app
