#include "port_dialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "elided_label.h"
#include "link/native/native_ports.h"
#include "link/native/native_transport.h"
#include "link/port_device.h"
#include "link/port_doctor.h"
#include "worker_thread.h"

namespace kavir::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PortDialog::PortDialog(const PortSettings& settings, const std::vector<PortRecord>& detected, QWidget* parent,
                       LineSettings line, std::function<std::string(int)> model_name)
    : QDialog(parent), lister_(&NativeAvailablePorts), line_(line), model_name_(std::move(model_name)) {
  setWindowTitle(tr("串口配置"));
  const DialogUnits du(font());
  setFixedSize(du.X(265), du.Y(270));
  ports_ = detected;
  // A number outside 1 to 4 shows COM1.
  port_number_ = settings.port_number >= 1 && settings.port_number <= 4 ? settings.port_number : 1;
  configured_device_ = QString::fromStdString(settings.device);

  auto* hint = new QLabel(tr("请选择与电台编程线相连的串口："), this);
  hint->setGeometry(du.Rect(37, 20, 210, 12));
  auto* group = new QButtonGroup(this);
  for (int n = 1; n <= 4; ++n) {
    auto* b = new QRadioButton(QStringLiteral("COM%1").arg(n), this);
    b->setGeometry(du.X(37 + 48 * (n - 1)), du.Y(40) - 2, du.X(40), b->sizeHint().height());
    group->addButton(b, n);
    buttons_[n - 1] = b;
  }
  device_button_ = new QRadioButton(tr("其他设备："), this);
  device_button_->setGeometry(du.X(37), du.Y(60) - 2, du.X(56), device_button_->sizeHint().height());
  group->addButton(device_button_, 0);
  device_field_ = new QComboBox(this);
  device_field_->setEditable(true);
  device_field_->setInsertPolicy(QComboBox::NoInsert);
  for (const PortRecord& p : detected) device_field_->addItem(Q(p.device), Q(p.device));
  device_field_->setEditText(configured_device_);
#if defined(_WIN32)
  device_field_->lineEdit()->setPlaceholderText(tr("COM5 或 COM12"));
#else
  device_field_->lineEdit()->setPlaceholderText(tr("/dev/ttyUSB0 或 /dev/pts/N"));
#endif
  device_field_->setGeometry(du.X(95), du.Y(59) - 3, du.X(150), device_field_->sizeHint().height());

  if (configured_device_.isEmpty())
    buttons_[port_number_ - 1]->setChecked(true);
  else
    device_button_->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    if (id >= 1)
      port_number_ = id;
    else
      device_field_->setFocus();
  });
  // Typing or picking a device chooses it.
  connect(device_field_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (!text.trimmed().isEmpty()) device_button_->setChecked(true);
  });

  // The ports with what is known about them; one that cannot be opened is
  // greyed out and says why.
  list_ = new QTreeWidget(this);
  list_->setGeometry(du.Rect(20, 78, 226, 62));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({tr("串口"), tr("适配器"), tr("状态")});
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(0, du.X(50));
  list_->setColumnWidth(1, du.X(100));
  SetPorts(detected);
  auto* refresh = new QTimer(this);
  refresh->setInterval(2000);
  connect(refresh, &QTimer::timeout, this, &PortDialog::RefreshPorts);
  refresh->start();
  connect(list_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { device_field_->setEditText(item->data(0, Qt::UserRole).toString()); });

  probe_button_ = new QPushButton(tr("检测电台"), this);
  probe_button_->setGeometry(du.Rect(20, 145, 50, 14));
  connect(probe_button_, &QPushButton::clicked, this, &PortDialog::Probe);
  auto* report_button = new QPushButton(tr("诊断报告..."), this);
  report_button->setGeometry(du.Rect(74, 145, 56, 14));
  connect(report_button, &QPushButton::clicked, this, &PortDialog::ShowReport);
  // A long device path would be cut at the dialog's edge.
  probe_status_ = new ElidedLabel(this);
  probe_status_->setObjectName(QStringLiteral("ProbeStatus"));
  probe_status_->setGeometry(du.Rect(134, 146, 112, 12));

  auto* baud_label = new QLabel(tr("波特率(&B)："), this);
  baud_label->setGeometry(du.Rect(37, 168, 56, 12));
  baud_field_ = new QComboBox(this);
  baud_field_->setEditable(true);
  for (int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200}) baud_field_->addItem(QString::number(baud));
  baud_field_->setValidator(new QIntValidator(50, 4000000, baud_field_));
  baud_field_->setEditText(QString::number(settings.baud));
  baud_field_->setGeometry(du.X(95), du.Y(167) - 3, du.X(60), baud_field_->sizeHint().height());
  baud_label->setBuddy(baud_field_);

  auto* waits_label = new QLabel(tr("超时（毫秒）："), this);
  waits_label->setGeometry(du.Rect(37, 188, 100, 12));
  const struct {
    const char* caption;
    int value;
  } waits[] = {{QT_TR_NOOP("握手(&H)"), settings.timeouts.handshake},
               {QT_TR_NOOP("接收(&R)"), settings.timeouts.receive},
               {QT_TR_NOOP("发送(&T)"), settings.timeouts.transmit}};
  // Each caption as wide as its text, its box right after it.
  int x = du.X(37);
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(tr(waits[i].caption), this);
    const int label_w = std::max(du.X(28), label->sizeHint().width() + 2);
    label->setGeometry(x, du.Y(206), label_w, du.Y(12));
    auto* spin = new QSpinBox(this);
    spin->setRange(1, kMaxTimeoutMs);
    spin->setValue(std::clamp(waits[i].value, 1, kMaxTimeoutMs));
    spin->setGeometry(x + label_w, du.Y(205) - 3, du.X(38), spin->sizeHint().height());
    x += label_w + du.X(38) + du.X(4);
    label->setBuddy(spin);
    waits_[i] = spin;
  }

  auto* ok = new QPushButton(tr("确定"), this);
  ok->setGeometry(du.Rect(175, 242, 31, 14));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("取消"), this);
  cancel->setGeometry(du.Rect(215, 242, 31, 14));
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
                    tr("不再使用设备 %1，改用 COM%2 吗?").arg(named).arg(port_number_),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(tr("是(&Y)"));
    box.button(QMessageBox::No)->setText(tr("否(&N)"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  QDialog::accept();
}

}  // namespace kavir::app

namespace kavir::app {

void PortDialog::SetPortLister(PortLister lister) { lister_ = std::move(lister); }

void PortDialog::RefreshPorts() {
  if (!lister_ || !probe_button_->isEnabled()) return;  // not while a probe runs
  SetPorts(lister_(configured_device_.toStdString()));
}

void PortDialog::SetPorts(std::vector<PortRecord> detected) {
  // The configured device and the one typed in are listed even when the
  // system does not offer them (a pseudo-terminal, a device pulled out),
  // with what stands in the way of opening them.
  std::vector<std::string> named = {configured_device_.toStdString()};
  if (device_button_->isChecked()) named.push_back(device());
  std::vector<std::string> missing;
  const std::unique_ptr<SystemView> system = MakeSystemView();
  for (const std::string& device : named) {
    if (device.empty()) continue;
    if (std::any_of(detected.begin(), detected.end(), [&](const PortRecord& p) { return p.device == device; }))
      continue;
    PortRecord r;
    r.device = device;
    r.configured = device == configured_device_.toStdString();
    const OpenProblem problem = CheckBeforeOpen(*system, device);
    r.problem = problem.text;
    r.may_open = problem.kind != OpenFailure::Permission;
    if (problem.kind == OpenFailure::Missing || problem.kind == OpenFailure::NotSerial) missing.push_back(device);
    detected.push_back(std::move(r));
  }
  const auto same = [](const PortRecord& a, const PortRecord& b) {
    return a.device == b.device && a.problem == b.problem && a.may_open == b.may_open;
  };
  // An unchanged list stays as it is, with the probe's answers in it.
  if (list_->topLevelItemCount() > 0 && missing == missing_ &&
      std::equal(detected.begin(), detected.end(), ports_.begin(), ports_.end(), same))
    return;
  ports_ = std::move(detected);
  missing_ = std::move(missing);
  FillList();
}

void PortDialog::FillList() {
  const QString current = list_->currentItem() ? list_->currentItem()->data(0, Qt::UserRole).toString() : QString();
  list_->clear();
  for (const PortRecord& p : ports_) {
    const bool gone = std::find(missing_.begin(), missing_.end(), p.device) != missing_.end();
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, Q(p.device));
    item->setText(1, Q(PortSummary(p)));
    QString state = p.usable() ? tr("可用") : gone ? tr("不存在") : p.may_open ? tr("被占用") : tr("无权限");
    if (p.configured) state = tr("%1 (当前)").arg(state);
    item->setText(2, state);
    item->setData(0, Qt::UserRole, Q(p.device));
    QString tip = Q(p.device);
    if (!p.usable()) {
      tip += QStringLiteral("\n") + Q(p.problem);
      item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    for (int c = 0; c < 3; ++c) item->setToolTip(c, tip);
    if (!current.isEmpty() && Q(p.device) == current) list_->setCurrentItem(item);
  }
}

QTreeWidgetItem* PortDialog::ItemFor(const std::string& device) const {
  if (!list_) return nullptr;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->data(0, Qt::UserRole).toString() == Q(device)) return list_->topLevelItem(i);
  return nullptr;
}

std::string PortDialog::ChosenDevice() const {
  const std::string d = device();
  return d.empty() ? PortDeviceName(port_number_) : d;
}

void PortDialog::Probe() {
  LineSettings line = line_;
  if (const int baud = baud_field_->currentText().trimmed().toInt(); baud > 0) line.baud = baud;
  NativeSerialTransport transport(line);
  SteadyClock clock;
  probe_button_->setEnabled(false);
  probe_status_->SetFullText(tr("正在检测..."));
  // The device typed in is tried too, and listed with its answer.
  if (lister_) SetPorts(lister_(configured_device_.toStdString()));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString found;
  const int wait_ms = waits_[0]->value();
  // The ports are tried off the window's thread; each answer is shown as it comes.
  auto show = [&](const ProbeResult& r) {
    QTreeWidgetItem* item = ItemFor(r.device);
    if (!item) return;
    if (r.model) {
      const std::string name = model_name_ ? model_name_(*r.model) : std::string();
      item->setText(2, tr("电台应答: %1").arg(name.empty() ? QString::number(*r.model) : Q(name)));
      if (found.isEmpty()) found = Q(r.device);
    } else {
      item->setText(2, r.opened ? tr("无应答") : tr("打不开"));
      if (!r.opened) item->setToolTip(2, Q(r.open_error));
    }
  };
  RunOffWindowThread(UserInput::HeldBack, [&] {
    ProbePorts(transport, clock, ports_, wait_ms, [&](const ProbeResult& r) { RunOnThreadOf(this, [&] { show(r); }); });
  });
  QApplication::restoreOverrideCursor();
  probe_button_->setEnabled(true);
  if (found.isEmpty()) {
    probe_status_->SetFullText(tr("没有找到电台"));
    return;
  }
  probe_status_->SetFullText(tr("电台在 %1").arg(found));
  device_field_->setEditText(found);
  if (QTreeWidgetItem* item = ItemFor(found.toStdString())) list_->setCurrentItem(item);
}

QString PortDialog::DoctorText() const {
  DoctorOptions options;
  options.device = ChosenDevice();
  options.line = line_;
  if (const int baud = baud_field_->currentText().trimmed().toInt(); baud > 0) options.line.baud = baud;
  options.handshake_ms = waits_[0]->value();
  options.model_name = model_name_;
  NativeSerialTransport transport(options.line);
  SteadyClock clock;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  DoctorReport report;
  RunOffWindowThread(UserInput::HeldBack, [&] { report = RunDoctor(*MakeSystemView(), transport, clock, options); });
  QApplication::restoreOverrideCursor();
  return Q(report.Text());
}

void PortDialog::ShowReport() {
  const QString text = DoctorText();
  QDialog box(this);
  box.setWindowTitle(tr("串口诊断报告"));
  auto* layout = new QVBoxLayout(&box);
  auto* view = new QPlainTextEdit(text, &box);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  layout->addWidget(view);
  auto* copy = new QPushButton(tr("复制到剪贴板"), &box);
  auto* close = new QPushButton(tr("关闭"), &box);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(copy);
  row->addWidget(close);
  layout->addLayout(row);
  connect(copy, &QPushButton::clicked, &box, [text] { QApplication::clipboard()->setText(text); });
  connect(close, &QPushButton::clicked, &box, &QDialog::accept);
  box.resize(640, 360);
  box.exec();
}

}  // namespace kavir::app
