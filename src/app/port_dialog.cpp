#include "port_dialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "dialog_units.h"

namespace kavir::app {

PortDialog::PortDialog(const PortSettings& settings, const std::vector<PortInfo>& detected,
                       QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("串口配置"));
  const DialogUnits du(font());
  setFixedSize(du.X(265), du.Y(186));
  // A number outside 1 to 4 shows COM1.
  port_number_ = settings.port_number >= 1 && settings.port_number <= 4 ? settings.port_number : 1;
  configured_device_ = QString::fromStdString(settings.device);

  auto* hint = new QLabel(QStringLiteral("请选择与电台编程线相连的串口："), this);
  hint->setGeometry(du.Rect(37, 20, 210, 12));
  auto* group = new QButtonGroup(this);
  for (int n = 1; n <= 4; ++n) {
    auto* b = new QRadioButton(QStringLiteral("COM%1").arg(n), this);
    b->setGeometry(du.X(37 + 48 * (n - 1)), du.Y(40) - 2, du.X(40), b->sizeHint().height());
    group->addButton(b, n);
    buttons_[n - 1] = b;
  }
  device_button_ = new QRadioButton(QStringLiteral("其他设备："), this);
  device_button_->setGeometry(du.X(37), du.Y(60) - 2, du.X(56), device_button_->sizeHint().height());
  group->addButton(device_button_, 0);
  device_field_ = new QComboBox(this);
  device_field_->setEditable(true);
  device_field_->setInsertPolicy(QComboBox::NoInsert);
  for (const PortInfo& p : detected) {
    QString label = QString::fromStdString(p.device);
    device_field_->addItem(label, label);
  }
  device_field_->setEditText(configured_device_);
  device_field_->lineEdit()->setPlaceholderText(QStringLiteral("/dev/ttyUSB0 或 /dev/pts/N"));
  device_field_->setGeometry(du.X(95), du.Y(59) - 3, du.X(150), device_field_->sizeHint().height());

  if (configured_device_.isEmpty()) buttons_[port_number_ - 1]->setChecked(true);
  else device_button_->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    if (id >= 1) port_number_ = id;
    else device_field_->setFocus();
  });
  // Typing or picking a device chooses it.
  connect(device_field_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (!text.trimmed().isEmpty()) device_button_->setChecked(true);
  });

  auto* baud_label = new QLabel(QStringLiteral("波特率(&B)："), this);
  baud_label->setGeometry(du.Rect(37, 84, 56, 12));
  baud_field_ = new QComboBox(this);
  baud_field_->setEditable(true);
  for (int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
    baud_field_->addItem(QString::number(baud));
  baud_field_->setValidator(new QIntValidator(50, 4000000, baud_field_));
  baud_field_->setEditText(QString::number(settings.baud));
  baud_field_->setGeometry(du.X(95), du.Y(83) - 3, du.X(60), baud_field_->sizeHint().height());
  baud_label->setBuddy(baud_field_);

  auto* waits_label = new QLabel(QStringLiteral("超时（毫秒）："), this);
  waits_label->setGeometry(du.Rect(37, 104, 100, 12));
  const struct {
    const char* caption;
    int value;
  } waits[] = {{"握手(&H)", settings.timeouts.handshake},
               {"接收(&R)", settings.timeouts.receive},
               {"发送(&T)", settings.timeouts.transmit}};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromUtf8(waits[i].caption), this);
    label->setGeometry(du.Rect(37 + 72 * i, 122, 28, 12));
    auto* spin = new QSpinBox(this);
    spin->setRange(1, kMaxTimeoutMs);
    spin->setValue(std::clamp(waits[i].value, 1, kMaxTimeoutMs));
    spin->setGeometry(du.X(65 + 72 * i), du.Y(121) - 3, du.X(38), spin->sizeHint().height());
    label->setBuddy(spin);
    waits_[i] = spin;
  }

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setGeometry(du.Rect(175, 158, 31, 14));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setGeometry(du.Rect(215, 158, 31, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string PortDialog::device() const {
  if (!device_button_->isChecked()) return {};
  return device_field_->currentText().trimmed().toStdString();
}

PortSettings PortDialog::settings() const {
  PortSettings s;
  s.port_number = port_number_;
  s.device = device();
  bool ok = false;
  const int baud = baud_field_->currentText().trimmed().toInt(&ok);
  s.baud = ok ? baud : 0;  // refused with a message by the link
  s.timeouts = {waits_[0]->value(), waits_[1]->value(), waits_[2]->value()};
  return s;
}

void PortDialog::accept() {
  // The device named is the one in the field: what the user typed, else the saved one.
  const QString typed = device_field_->currentText().trimmed();
  const QString named = typed.isEmpty() ? configured_device_ : typed;
  if (!named.isEmpty() && !device_button_->isChecked()) {
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("不再使用设备 %1，改用 COM%2 吗?")
                        .arg(named)
                        .arg(port_number_),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  QDialog::accept();
}

}  // namespace kavir::app
