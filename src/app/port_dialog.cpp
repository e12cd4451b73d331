#include "port_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialog_units.h"

namespace kavir::app {

PortDialog::PortDialog(int port_number, const std::string& device,
                       const std::vector<PortInfo>& detected, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("串口配置"));
  const DialogUnits du(font());
  setFixedSize(du.X(265), du.Y(141));
  // A number outside 1 to 4 shows COM1.
  port_number_ = port_number >= 1 && port_number <= 4 ? port_number : 1;

  auto* hint = new QLabel(QStringLiteral("请选择与电台编程线相连的串口："), this);
  hint->setGeometry(du.Rect(37, 40, 210, 12));
  auto* group = new QButtonGroup(this);
  for (int n = 1; n <= 4; ++n) {
    auto* b = new QRadioButton(QStringLiteral("COM%1").arg(n), this);
    b->setGeometry(du.X(37 + 48 * (n - 1)), du.Y(64) - 2, du.X(40), b->sizeHint().height());
    group->addButton(b, n);
    buttons_[n - 1] = b;
  }
  device_button_ = new QRadioButton(QStringLiteral("其他设备："), this);
  device_button_->setGeometry(du.X(37), du.Y(84) - 2, du.X(56), device_button_->sizeHint().height());
  group->addButton(device_button_, 0);
  device_field_ = new QComboBox(this);
  device_field_->setEditable(true);
  device_field_->setInsertPolicy(QComboBox::NoInsert);
  for (const PortInfo& p : detected) {
    QString label = QString::fromStdString(p.device);
    device_field_->addItem(label, label);
  }
  device_field_->setEditText(QString::fromStdString(device));
  device_field_->lineEdit()->setPlaceholderText(QStringLiteral("/dev/ttyUSB0 或 /dev/pts/N"));
  device_field_->setGeometry(du.X(95), du.Y(83) - 3, du.X(150), device_field_->sizeHint().height());

  if (device.empty()) buttons_[port_number_ - 1]->setChecked(true);
  else device_button_->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    if (id >= 1) port_number_ = id;
    else device_field_->setFocus();
  });
  // Typing or picking a device chooses it.
  connect(device_field_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (!text.trimmed().isEmpty()) device_button_->setChecked(true);
  });

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setGeometry(du.Rect(175, 112, 31, 14));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setGeometry(du.Rect(215, 112, 31, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string PortDialog::device() const {
  if (!device_button_->isChecked()) return {};
  return device_field_->currentText().trimmed().toStdString();
}

}  // namespace kavir::app
