#include "handshake.h"

#include <cstring>

#include "radio_texts.h"
#include "transfer_summary.h"

namespace kavir {

std::optional<int> HandshakeModel(const std::uint8_t* received, std::size_t stored, std::uint32_t count) {
  if (count < 20 || stored < 4 || received[0] != 'P' || received[1] != 'M') return std::nullopt;
  return static_cast<std::int8_t>(static_cast<std::int8_t>(received[3]) + 1);
}

std::optional<int> HandshakeModel(const SerialLink& link) {
  return HandshakeModel(link.receive_buffer.data(), link.StoredCount(), link.receive_count);
}

void SendHandshake(SerialLink& link, const char* frame, const HandshakeWaits& waits) {
  const int length = static_cast<int>(std::strlen(frame));
  const std::uint32_t base = link.receive_count;
  for (int sent = 0; sent < waits.frames && link.receive_count - base < 20; ++sent) {
    if (sent > 0 && link.cancel_requested()) break;
    link.SendCommand(length, frame, 0x00);
    link.WaitForBytes(20, waits.timeout_ms, waits.text, waits.range, waits.position);
  }
}

TransferFailure HandshakeFailure(SerialLink& link) {
  const std::string lost = link.TakePortLoss();
  if (link.transport().IsOpen())
    return MakeFailure(TransferFailure::Kind::Handshake, lost + LinkText(kHandshakeFailed));
  return MakeFailure(TransferFailure::Kind::Handshake, ArgText(LinkText(kPortFailedFormat), {link.last_open_error()}));
}

}  // namespace kavir
