#pragma once
// The in-process virtual radio as a cable that several radios are plugged
// into in turn, on a virtual clock.
#include <deque>
#include <string>

#include "cable.h"
#include "link/transport.h"
#include "virtual_radio.h"

namespace kavir::sim {

class VirtualCable : public Transport {
 public:
  VirtualCable(VirtualClock& clock, std::vector<RadioProtocol> radios, CableOptions options = {});

  Cable& cable() { return cable_; }
  int latency_ms = 2;
  std::string name = "virtual cable";

  bool Open(int, const std::string&, std::string*) override {
    open_ = true;
    return true;
  }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  std::string DeviceName(int, const std::string& device) const override { return device.empty() ? name : device; }
  void Send(const std::uint8_t* bytes, std::size_t count) override;
  std::vector<std::uint8_t> TakeReceived() override;
  void WaitReadable(int max_ms) override;

 private:
  struct Arrival {
    std::int64_t at_ms;
    std::vector<std::uint8_t> bytes;
  };
  VirtualClock& clock_;
  Cable cable_;
  std::deque<Arrival> arrivals_;
  bool open_ = false;
};

}  // namespace kavir::sim
