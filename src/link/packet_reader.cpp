#include "packet_reader.h"

#include <cstring>

#include "radio_texts.h"
#include "transactions.h"

namespace kavir {

namespace {

class PacketRun {
 public:
  PacketRun(SerialLink& link, const PacketWaits& waits, Image& image, const PacketArrived& arrived)
      : link_(link), waits_(waits), image_(image), arrived_(arrived) {}

  std::optional<PacketFailure> Run();

 private:
  // The receive buffer is cleared before each packet: all it holds is this one.
  std::uint32_t Arrived() const { return link_.receive_count; }
  void Wait(int n, const std::string& text) {
    link_.WaitForBytes(20, waits_.timeout_ms, text, waits_.range, static_cast<short>(waits_.first + n));
  }
  void Request() { link_.SendCommand(5, kGood, 0x01); }
  PacketFailure Failure(PacketFailure::Kind kind, int n) const { return {kind, n, Arrived()}; }
  bool FromItsAddress(int n) const {
    const int address = 16 * (n - 1);
    return link_.receive_buffer[1] == (address >> 8) && link_.receive_buffer[2] == (address & 0xFF);
  }
  void Keep(int n) {
    std::memcpy(image_.data() + 16 * (n - 1), link_.receive_buffer.data() + 4, 16);
    if (arrived_) arrived_(n, link_.receive_buffer.data());
    link_.ClearReceiveBuffer();
  }

  SerialLink& link_;
  const PacketWaits& waits_;
  Image& image_;
  const PacketArrived& arrived_;
};

std::optional<PacketFailure> PacketRun::Run() {
  using Kind = PacketFailure::Kind;
  link_.ClearReceiveBuffer();
  for (int n = 1; n <= 16; ++n) {
    if (link_.cancel_requested()) return Failure(Kind::Cancelled, n);
    const std::string text = FormatPacketText(waits_.requested_format, n);
    Request();
    Wait(n, text);
    for (int attempt = 2; attempt <= 4 && Arrived() < 20 && !link_.cancel_requested(); ++attempt) {
      // Asked again only when nothing came: a partial answer followed by
      // the radio's next packet would pass for this one.
      if (Arrived() == 0) Request();
      Wait(n, text);
    }
    if (link_.cancel_requested()) return Failure(Kind::Cancelled, n);
    // A packet cut short is a failure: its missing bytes are not zeros.
    if (Arrived() < 20) return Failure(Kind::Incomplete, n);
    if (!FromItsAddress(n)) return Failure(Kind::WrongAddress, n);
    Keep(n);
  }

  link_.SendText(5, kGood);
  for (int n = 17; n <= 48; ++n) {
    if (link_.cancel_requested()) return Failure(Kind::Cancelled, n);
    const std::string text = FormatPacketText(waits_.sent_format, n);
    Wait(n, text);
    for (int attempt = 2; attempt <= 4 && Arrived() < 20 && !link_.cancel_requested(); ++attempt) Wait(n, text);
    if (link_.cancel_requested()) return Failure(Kind::Cancelled, n);
    if (Arrived() < 20) return Failure(Kind::Incomplete, n);
    link_.SendText(5, kGood);  // brings the next packet
    if (!FromItsAddress(n)) return Failure(Kind::WrongAddress, n);
    Keep(n);
  }
  return std::nullopt;
}

}  // namespace

std::optional<PacketFailure> ReceivePackets(SerialLink& link, const PacketWaits& waits, Image& image,
                                            const PacketArrived& arrived) {
  return PacketRun(link, waits, image, arrived).Run();
}

}  // namespace kavir
