#include "virtual_radio.h"

#include <algorithm>

namespace kavir::sim {

VirtualRadio::VirtualRadio(VirtualClock& clock, const RadioImage& image, int model)
    : clock_(clock), radio_(image, model) {}

bool VirtualRadio::Open(int port_number, const std::string& device, std::string* error) {
  ++open_calls_;
  last_port_ = port_number;
  last_device_ = device;
  if (!refuse_open.empty()) {
    if (error) *error = "cannot open " + DeviceName(port_number, device) + ": " + refuse_open;
    return false;
  }
  open_ = true;
  return true;
}

std::string VirtualRadio::DeviceName(int port_number, const std::string& device) const {
  return device.empty() ? "virtual COM" + std::to_string(port_number) : device;
}

void VirtualRadio::InjectIncoming(const std::vector<std::uint8_t>& bytes) {
  arrivals_.push_back({clock_.NowMs(), bytes});
}

void VirtualRadio::Send(const std::uint8_t* bytes, std::size_t count) {
  if (!open_) return;
  sent_.push_back({std::vector<std::uint8_t>(bytes, bytes + count), clock_.NowMs()});
  std::vector<std::uint8_t> answer = radio_.Receive(bytes, count);
  if (answer_budget >= 0) {
    if (static_cast<long long>(answer.size()) > answer_budget) answer.resize(answer_budget);
    answer_budget -= static_cast<long long>(answer.size());
  }
  if (!answer.empty()) arrivals_.push_back({clock_.NowMs() + latency_ms, std::move(answer)});
}

std::vector<std::uint8_t> VirtualRadio::TakeReceived() {
  std::vector<std::uint8_t> out;
  while (!arrivals_.empty() && arrivals_.front().at_ms <= clock_.NowMs()) {
    out.insert(out.end(), arrivals_.front().bytes.begin(), arrivals_.front().bytes.end());
    arrivals_.pop_front();
  }
  return out;
}

void VirtualRadio::WaitReadable(int max_ms) {
  if (max_ms <= 0) return;
  std::int64_t until = clock_.NowMs() + max_ms;
  if (!arrivals_.empty()) until = std::min(until, std::max(arrivals_.front().at_ms, clock_.NowMs()));
  clock_.Advance(until - clock_.NowMs());
}

}  // namespace kavir::sim
