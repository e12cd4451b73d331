#pragma once
// The Transport over the operating system's own serial API: termios on
// Linux and macOS, the Win32 communications functions on Windows. Needs no
// GUI toolkit, so the command line runs wherever the core does.
//
// A port that goes away (cable pulled, radio simulator gone) is closed at
// the next send, wait or take, so the link reopens it and says why not.
#include <memory>
#include <string>

#include "link/link_settings.h"
#include "link/transport.h"

namespace kavir {

class NativeSerialTransport : public Transport {
 public:
  explicit NativeSerialTransport(LineSettings settings = {});
  ~NativeSerialTransport() override;
  NativeSerialTransport(const NativeSerialTransport&) = delete;
  NativeSerialTransport& operator=(const NativeSerialTransport&) = delete;

  void set_line_settings(const LineSettings& s) { settings_ = s; }
  const LineSettings& line_settings() const { return settings_; }

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
  struct Port;  // the platform's handle and what goes with it
  LineSettings settings_;
  OpenNotes notes_;
  std::unique_ptr<Port> port_;
};

}  // namespace kavir
