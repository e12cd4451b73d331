#include "qt_serial_transport.h"

#include "link/port_device.h"
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
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(QString::fromStdString(name));
  if (!port_->open(QIODevice::ReadWrite)) {
    if (error) *error = ArgText(TrText("Link", "无法打开串口 %1: %2"), {name, port_->errorString().toStdString()});
    port_.reset();
    return false;
  }
  const bool ok = port_->setBaudRate(settings_.baud) &&
                  port_->setDataBits(static_cast<QSerialPort::DataBits>(settings_.data_bits)) &&
                  port_->setParity(ToQt(settings_.parity)) &&
                  port_->setStopBits(settings_.stop_bits == 2 ? QSerialPort::TwoStop
                                                              : QSerialPort::OneStop) &&
                  port_->setFlowControl(ToQt(settings_.flow));
  if (!ok) {
    if (error)
      *error = ArgText(TrText("Link", "串口 %1 不接受线路设置: %2"), {name, port_->errorString().toStdString()});
    port_.reset();
    return false;
  }
  // Programming cables often draw power from DTR. A pty has no modem lines:
  // that refusal is harmless.
  if (settings_.flow != FlowControl::Hardware && !port_->setDataTerminalReady(true))
    port_->clearError();
  port_->clear(QSerialPort::AllDirections);
  connect(port_.get(), &QSerialPort::readyRead, this, &QtSerialTransport::OnReadyRead);
  connect(port_.get(), &QSerialPort::errorOccurred, this, &QtSerialTransport::OnError);
  return true;
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
