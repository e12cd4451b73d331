#pragma once
// What the link needs from a serial line and from time. The programs use
// the system's own serial API (link/native); the tests use the in-process
// virtual radio with a virtual clock.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kavir {

class Transport {
 public:
  virtual ~Transport() = default;

  // Opens and configures the line: the named device when it is not empty,
  // else the device of port number N. False with *error naming the device
  // and the reason.
  virtual bool Open(int port_number, const std::string& device, std::string* error) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // The line speed for the next Open (the port dialog changes it).
  virtual void SetBaudRate(int baud) { (void)baud; }
  // The device that Open would use, for messages.
  virtual std::string DeviceName(int port_number, const std::string& device) const = 0;
  // How the open port was set up (modem lines, low latency), for the
  // doctor; "" when the transport cannot tell.
  virtual std::string OpenNotesText() const { return {}; }

  // Drops bytes not yet sent, then sends these.
  virtual void Send(const std::uint8_t* bytes, std::size_t count) = 0;
  // Takes every byte received so far (may be none).
  virtual std::vector<std::uint8_t> TakeReceived() = 0;
  // Blocks until a byte is waiting or max_ms have passed. Never spins.
  virtual void WaitReadable(int max_ms) = 0;
};

// Monotonic milliseconds and sleeping.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void SleepMs(int ms) = 0;
};

// std::chrono::steady_clock and std::this_thread::sleep_for.
class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(int ms) override;
};

}  // namespace kavir
