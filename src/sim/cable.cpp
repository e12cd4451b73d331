#include "cable.h"

namespace kavir::sim {

namespace {

// A handshake answer ("PM" or "PX" and 18 more bytes) is a poll's answer,
// not data: a radio the program keeps polling may still be unplugged.
bool IsData(const std::vector<std::uint8_t>& answer) {
  if (answer.empty()) return false;
  return !(answer.size() >= 20 && answer[0] == 'P' && (answer[1] == 'M' || answer[1] == 'X'));
}

}  // namespace

Cable::Cable(std::vector<RadioProtocol> radios, CableOptions options) : radios_(std::move(radios)), options_(options) {}

void Cable::Advance(std::int64_t now_ms) {
  for (;;) {
    if (attached_) {
      if (index_ >= radios_.size() || options_.unplug_after_ms < 0 || last_data_ < 0) return;
      const std::int64_t unplug_at = last_data_ + options_.unplug_after_ms;
      if (now_ms < unplug_at) return;
      attached_ = false;
      ++index_;
      plug_at_ = unplug_at + options_.plug_gap_ms;
    } else {
      if (index_ >= radios_.size() || now_ms < plug_at_) return;
      attached_ = true;
      last_data_ = -1;
    }
  }
}

RadioProtocol* Cable::Current(std::int64_t now_ms) {
  Advance(now_ms);
  return attached_ && index_ < radios_.size() ? &radios_[index_] : nullptr;
}

std::vector<std::uint8_t> Cable::Receive(const std::uint8_t* bytes, std::size_t count, std::int64_t now_ms) {
  RadioProtocol* radio = Current(now_ms);
  if (!radio) return {};
  std::vector<std::uint8_t> answer = radio->Receive(bytes, count);
  const bool wrote = count > 0 && bytes[0] == 'W';
  if (wrote || IsData(answer) || last_data_ < 0) last_data_ = now_ms;
  return answer;
}

int Cable::written() const {
  int n = 0;
  for (const RadioProtocol& r : radios_) n += r.completed_writes() > 0 ? 1 : 0;
  return n;
}

}  // namespace kavir::sim
