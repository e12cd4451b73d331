#include "virtual_cable.h"

#include <algorithm>

namespace kavir::sim {

VirtualCable::VirtualCable(VirtualClock& clock, std::vector<RadioProtocol> radios, CableOptions options)
    : clock_(clock), cable_(std::move(radios), options) {}

void VirtualCable::Send(const std::uint8_t* bytes, std::size_t count) {
  if (!open_) return;
  std::vector<std::uint8_t> answer = cable_.Receive(bytes, count, clock_.NowMs());
  if (!answer.empty()) arrivals_.push_back({clock_.NowMs() + latency_ms, std::move(answer)});
}

std::vector<std::uint8_t> VirtualCable::TakeReceived() {
  std::vector<std::uint8_t> out;
  while (!arrivals_.empty() && arrivals_.front().at_ms <= clock_.NowMs()) {
    out.insert(out.end(), arrivals_.front().bytes.begin(), arrivals_.front().bytes.end());
    arrivals_.pop_front();
  }
  return out;
}

void VirtualCable::WaitReadable(int max_ms) {
  if (max_ms <= 0) return;
  std::int64_t until = clock_.NowMs() + max_ms;
  if (!arrivals_.empty()) until = std::min(until, std::max(arrivals_.front().at_ms, clock_.NowMs()));
  clock_.Advance(until - clock_.NowMs());
}

}  // namespace kavir::sim
