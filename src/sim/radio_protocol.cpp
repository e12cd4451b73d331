#include "radio_protocol.h"

#include <algorithm>
#include <cstring>

namespace kavir::sim {

namespace {

bool StartsWith(const std::vector<std::uint8_t>& v, const char* text) {
  std::size_t n = std::strlen(text);
  return v.size() >= n && std::memcmp(v.data(), text, n) == 0;
}

// Could v still grow into text?
bool PrefixOf(const std::vector<std::uint8_t>& v, const char* text) {
  std::size_t n = std::min(v.size(), std::strlen(text));
  return std::memcmp(v.data(), text, n) == 0;
}

constexpr std::uint8_t kAck[5] = {'P', 'G', 'o', 'o', 'd'};

}  // namespace

RadioProtocol::RadioProtocol(const RadioImage& image, int model) : image_(image), model_(model) {}

bool RadioProtocol::Silent(int point) const {
  return FaultsActive() && faults.silent_from && point >= *faults.silent_from;
}

std::vector<std::uint8_t> RadioProtocol::HandshakeAnswer() {
  if (FaultsActive() && faults.flood_bytes > 0) return std::vector<std::uint8_t>(faults.flood_bytes, 0xA5);
  std::vector<std::uint8_t> a(20, 0);
  a[0] = 'P';
  a[1] = FaultsActive() && faults.wrong_handshake ? 'X' : 'M';
  a[2] = 0x10;
  a[3] = static_cast<std::uint8_t>(model_ - 1);
  // The identification block tells who is answering.
  std::memcpy(a.data() + 4, image_.data() + 0x2D0, 16);
  return a;
}

std::vector<std::uint8_t> RadioProtocol::Packet(int n) {
  int address = 16 * (n - 1);
  std::vector<std::uint8_t> p(20);
  p[0] = 'W';
  p[1] = static_cast<std::uint8_t>(address >> 8);
  p[2] = static_cast<std::uint8_t>(address & 0xFF);
  p[3] = 0x10;
  std::memcpy(p.data() + 4, image_.data() + address, 16);
  if (FaultsActive() && faults.wrong_address_packet == n) p[2] = static_cast<std::uint8_t>(p[2] + 0x10);
  if (FaultsActive() && faults.short_packet == n) p.resize(12);
  return p;
}

std::vector<std::uint8_t> RadioProtocol::Receive(const std::uint8_t* bytes, std::size_t count) {
  std::vector<std::uint8_t> out;
  if (hung_up_) return out;
  pending_.insert(pending_.end(), bytes, bytes + count);
  Parse(out);
  return out;
}

void RadioProtocol::Parse(std::vector<std::uint8_t>& out) {
  auto drop = [&](std::size_t n) { pending_.erase(pending_.begin(), pending_.begin() + n); };
  auto send = [&](const std::vector<std::uint8_t>& v) { out.insert(out.end(), v.begin(), v.end()); };
  auto hangup = [&](int n) {
    if (FaultsActive() && faults.hangup_at && *faults.hangup_at == n) {
      hung_up_ = true;
      pending_.clear();
      return true;
    }
    return false;
  };

  while (!pending_.empty() && !hung_up_) {
    // A write's data packet: 20 bytes starting with 'W'.
    if (mode_ == Mode::Write && pending_[0] == 'W') {
      if (pending_.size() < 20) return;
      int n = next_packet_;
      int address = pending_[1] * 256 + pending_[2];
      if (address >= 0 && address + 16 <= kImageBytes) std::memcpy(incoming_.data() + address, pending_.data() + 4, 16);
      drop(20);
      ++packets_stored_;
      if (hangup(n)) return;
      ++next_packet_;
      if (!Silent(n)) send(std::vector<std::uint8_t>(kAck, kAck + 5));
      if (n == 48) {
        image_ = incoming_;
        if (faults.corrupt_store && *faults.corrupt_store >= 0 && *faults.corrupt_store < kImageBytes)
          image_[*faults.corrupt_store] ^= 0x01;
        ++completed_writes_;
        mode_ = Mode::Idle;
      }
      continue;
    }
    if (pending_[0] != 'P') {  // noise between frames
      drop(1);
      continue;
    }
    if (StartsWith(pending_, "PRead")) {
      if (pending_.size() < 6) return;
      drop(6);
      ++sessions_;
      mode_ = Mode::Read;
      next_packet_ = 1;
      acked_17_ = false;
      if (hangup(0)) return;
      if (!Silent(0)) send(HandshakeAnswer());
      continue;
    }
    if (StartsWith(pending_, "PWrite")) {
      if (pending_.size() < 7) return;
      drop(7);
      ++sessions_;
      ++write_sessions_;
      mode_ = Mode::Write;
      next_packet_ = 1;
      incoming_ = image_;
      if (hangup(0)) return;
      if (!Silent(0)) send(HandshakeAnswer());
      continue;
    }
    if (StartsWith(pending_, "PGood")) {
      bool request = pending_.size() >= 6 && pending_[5] == 0x01;
      if (mode_ == Mode::Read && next_packet_ <= 16) {
        if (pending_.size() < 6) return;  // a request is six bytes
        drop(request ? 6 : 5);
        if (!request) continue;
        int n = next_packet_;
        if (hangup(n)) return;
        if (Silent(n)) continue;  // asked again later: still nothing
        ++next_packet_;
        send(Packet(n));
        continue;
      }
      drop(request ? 6 : 5);
      if (mode_ != Mode::Read) continue;
      // Packets 17 to 48: the first "PGood" asks for 17, each later one
      // acknowledges the last and brings the next.
      if (next_packet_ > 48) {
        mode_ = Mode::Idle;
        continue;
      }
      int n = next_packet_;
      if (hangup(n)) return;
      if (Silent(n)) continue;
      ++next_packet_;
      send(Packet(n));
      continue;
    }
    if (PrefixOf(pending_, "PRead") || PrefixOf(pending_, "PWrite") || PrefixOf(pending_, "PGood"))
      return;  // more bytes to come
    drop(1);
  }
}

}  // namespace kavir::sim
