#pragma once
// An in-process radio behind the Transport interface, with a virtual clock:
// transfers run in microseconds, every wait is exact, every fault can be
// injected, and everything the program sends is recorded.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/transport.h"
#include "radio_protocol.h"

namespace kavir::sim {

// Time moves only when someone waits or sleeps.
class VirtualClock : public Clock {
 public:
  std::int64_t NowMs() override { return now_; }
  void SleepMs(int ms) override {
    if (ms > 0) now_ += ms;
    slept_ms_ += ms > 0 ? ms : 0;
  }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::int64_t slept_ms() const { return slept_ms_; }

 private:
  std::int64_t now_ = 1000000;
  std::int64_t slept_ms_ = 0;
};

struct SentFrame {
  std::vector<std::uint8_t> bytes;
  std::int64_t at_ms;
};

class VirtualRadio : public Transport {
 public:
  VirtualRadio(VirtualClock& clock, const RadioImage& image, int model = 1);

  RadioProtocol& radio() { return radio_; }
  // Answers arrive this long after the frame that caused them.
  int latency_ms = 2;
  // Open fails with this reason when not empty.
  std::string refuse_open;
  // After this many answer bytes in all, the radio answers nothing more
  // (-1: no limit).
  long long answer_budget = -1;

  // Bytes that arrive now, unasked (noise, a babbling radio).
  void InjectIncoming(const std::vector<std::uint8_t>& bytes);
  const std::vector<SentFrame>& sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }
  int open_calls() const { return open_calls_; }
  int last_opened_port() const { return last_port_; }
  const std::string& last_opened_device() const { return last_device_; }

  bool Open(int port_number, const std::string& device, std::string* error) override;
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  std::string DeviceName(int port_number, const std::string& device) const override;
  void Send(const std::uint8_t* bytes, std::size_t count) override;
  std::vector<std::uint8_t> TakeReceived() override;
  void WaitReadable(int max_ms) override;

 private:
  struct Arrival {
    std::int64_t at_ms;
    std::vector<std::uint8_t> bytes;
  };
  VirtualClock& clock_;
  RadioProtocol radio_;
  std::deque<Arrival> arrivals_;
  std::vector<SentFrame> sent_;
  bool open_ = false;
  int open_calls_ = 0;
  int last_port_ = 0;
  std::string last_device_;
};

}  // namespace kavir::sim
