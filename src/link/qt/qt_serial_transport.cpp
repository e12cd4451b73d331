#include "qt_serial_transport.h"

#include "link/port_device.h"
#include "link/ports/port_records.h"
#include "profile/translate.h"

namespace kavir {

namespace {

QSerialPort::Parity ToQt(Parity p) {
  switch (p) {
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Odd: return QSerialPort::OddParity;
    default: return QSerialPort::NoParity;
  }
}

QSerialPort::FlowControl ToQt(FlowControl f) {
  switch (f) {
    case FlowControl::Hardware: return QSerialPort::HardwareControl;
    case FlowControl::Software: return QSerialPort::SoftwareControl;
    default: return QSerialPort::NoFlowControl;
  }
}

#if !defined(Q_OS_UNIX)
// Windows opens a port for one program only; the lines go through Qt.
class QtPortControl : public PortControl {
 public:
  explicit QtPortControl(QSerialPort& port) : port_(port) {}
  bool LockExclusive() override { return true; }
  bool SetModemLines(const ModemLines& lines) override {
    const bool ok = port_.setDataTerminalReady(lines.dtr) && port_.setRequestToSend(lines.rts);
    if (!ok) port_.clearError();
    return ok;
  }
  bool RequestLowLatency() override { return false; }

 private:
  QSerialPort& port_;
};
#endif

}  // namespace

QtSerialTransport::QtSerialTransport(LineSettings settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

QtSerialTransport::~QtSerialTransport() { Close(); }

std::string QtSerialTransport::DeviceName(int port_number, const std::string& device) const {
  return device.empty() ? PortDeviceName(port_number) : device;
}

bool QtSerialTransport::Open(int port_number, const std::string& device, std::string* error) {
  Close();
  const std::string name = DeviceName(port_number, device);
  std::unique_ptr<SystemView> system = MakeSystemView();
  auto fail = [&](const std::string& text) {
    if (error) *error = text;
    port_.reset();
    return false;
  };
  // Qt sets the line up as it opens: a device that is no line, or that
  // another program holds, is not opened at all.
  if (const OpenProblem p = CheckIsSerialDevice(*system, name); p.kind != OpenFailure::None) return fail(p.text);
  if (std::vector<Holder> holders = system->Holders(name); !holders.empty()) return fail(InUseText(name, holders));
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(QString::fromStdString(name));
  if (!port_->open(QIODevice::ReadWrite)) {
    // Qt says "permission" both for a busy device or lock and for a
    // device this user may not open; the system view tells them apart.
    const QSerialPort::SerialPortError e = port_->error();
    const OpenFailure hint = e == QSerialPort::PermissionError     ? OpenFailure::InUse
                             : e == QSerialPort::DeviceNotFoundError ? OpenFailure::Missing
                                                                    : OpenFailure::Other;
    return fail(ExplainOpenFailure(*system, name, hint, port_->errorString().toStdString()).text);
  }
  const bool ok = port_->setBaudRate(settings_.baud) &&
                  port_->setDataBits(static_cast<QSerialPort::DataBits>(settings_.data_bits)) &&
                  port_->setParity(ToQt(settings_.parity)) &&
                  port_->setStopBits(settings_.stop_bits == 2 ? QSerialPort::TwoStop
                                                              : QSerialPort::OneStop) &&
                  port_->setFlowControl(ToQt(settings_.flow));
  if (!ok) return fail(ArgText(TrText("Link", "串口 %1 不接受线路设置: %2"), {name, port_->errorString().toStdString()}));
#if defined(Q_OS_UNIX)
  FdPortControl control(static_cast<int>(port_->handle()));
#else
  QtPortControl control(*port_);
#endif
  notes_ = PreparePort(control, settings_.lines, settings_.flow == FlowControl::Hardware);
  // A lock taken by another of our programs, or the device open in one
  // that took none: either would talk to the same radio.
  std::vector<Holder> holders = system->Holders(name);
  if (!notes_.locked || !holders.empty()) return fail(InUseText(name, holders));
  port_->clearError();
  port_->clear(QSerialPort::AllDirections);
  connect(port_.get(), &QSerialPort::readyRead, this, &QtSerialTransport::OnReadyRead);
  connect(port_.get(), &QSerialPort::errorOccurred, this, &QtSerialTransport::OnError);
  return true;
}

std::string QtSerialTransport::OpenNotesText() const {
  return IsOpen() ? notes_.Text(settings_.lines) : std::string();
}

bool QtSerialTransport::IsOpen() const { return port_ && port_->isOpen(); }

void QtSerialTransport::Close() {
  if (port_) {
    port_->disconnect(this);
    if (port_->isOpen()) port_->close();
    port_.reset();
  }
}

void QtSerialTransport::Send(const std::uint8_t* bytes, std::size_t count) {
  if (!IsOpen()) return;
  // A device that goes away closes the port in OnError, at any step here.
  port_->clear(QSerialPort::Output);
  if (!IsOpen()) return;
  port_->write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(count));
  if (!IsOpen()) return;
  // Without an event loop nothing leaves Qt's buffer unless pushed.
  if (!port_->flush() && IsOpen() && port_->bytesToWrite() > 0) port_->waitForBytesWritten(100);
}

std::vector<std::uint8_t> QtSerialTransport::TakeReceived() {
  std::vector<std::uint8_t> out;
  if (!IsOpen()) return out;
  QByteArray data = port_->readAll();
  out.assign(data.begin(), data.end());
  return out;
}

void QtSerialTransport::WaitReadable(int max_ms) {
  if (!IsOpen() || max_ms <= 0 || port_->bytesAvailable() > 0) return;
  in_wait_ = true;
  port_->waitForReadyRead(max_ms);
  in_wait_ = false;
}

void QtSerialTransport::OnReadyRead() {
  if (!in_wait_ && receive_handler) receive_handler();
}

void QtSerialTransport::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || !port_) return;
  if (error == QSerialPort::ResourceError) {
    // The device went away (cable pulled, radio simulator gone): close, so
    // the next send tries to open it again and says why it cannot.
    port_->disconnect(this);
    port_->close();
  } else if (error == QSerialPort::UnsupportedOperationError ||
             error == QSerialPort::TimeoutError) {
    port_->clearError();
  }
}

}  // namespace kavir
