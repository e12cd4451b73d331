#pragma once
// The Transport over Qt Serial Port, for real serial lines and ptys.
//
// For the desktop program: set SerialLink::idle_hook to process paint events
// (e.g. QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents));
// waits then block on the port in 20 ms slices and call it between them.
// Connect receive_handler to SerialLink::OnComm so bytes that arrive while
// no transfer runs land in the receive buffer as before.
#include <QObject>
#include <QSerialPort>
#include <functional>
#include <memory>
#include <string>

#include "link/link_settings.h"
#include "link/transport.h"

namespace kavir {

class QtSerialTransport : public QObject, public Transport {
  Q_OBJECT

 public:
  explicit QtSerialTransport(LineSettings settings = {}, QObject* parent = nullptr);
  ~QtSerialTransport() override;

  void set_line_settings(const LineSettings& s) { settings_ = s; }
  const LineSettings& line_settings() const { return settings_; }
  // Called when bytes arrive outside a wait (needs an event loop).
  std::function<void()> receive_handler;

  bool Open(int port_number, const std::string& device, std::string* error) override;
  bool IsOpen() const override;
  void SetBaudRate(int baud) override { settings_.baud = baud; }
  void Close() override;
  std::string DeviceName(int port_number, const std::string& device) const override;
  std::string OpenNotesText() const override;
  void Send(const std::uint8_t* bytes, std::size_t count) override;
  std::vector<std::uint8_t> TakeReceived() override;
  void WaitReadable(int max_ms) override;

 private:
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);

  LineSettings settings_;
  OpenNotes notes_;
  std::unique_ptr<QSerialPort> port_;
  bool in_wait_ = false;
};

}  // namespace kavir
