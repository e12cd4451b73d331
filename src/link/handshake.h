#pragma once
// The handshake that opens a read or a write, and what its answer says.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "serial_link.h"

namespace kavir {

// The model number a handshake answer names (the entry of KAVIR.ini's Type
// list), or nullopt when it is no answer: fewer than 20 bytes since the
// receive buffer was cleared (count, which may exceed the stored bytes), or
// not beginning "PM". Byte 3 is the model less one, in 8-bit signed
// arithmetic as the radios count: 0x7F..0xFE name negative models, 0xFF 0.
std::optional<int> HandshakeModel(const std::uint8_t* received, std::size_t stored, std::uint32_t count);
// The same on what the link has received.
std::optional<int> HandshakeModel(const SerialLink& link);

struct HandshakeWaits {
  int timeout_ms = 80;  // for each frame
  std::string text;     // status text of the wait
  short range = 49;
  short position = 1;
  int frames = 4;  // at most this many frames, one time-out apart
};

// Sends frame + 0x00 and waits for a 20-byte answer, again while none has
// come, at most waits.frames times; a Cancel stops it. The answer is left
// in the receive buffer for HandshakeModel.
void SendHandshake(SerialLink& link, const char* frame, const HandshakeWaits& waits);

// The failure after a handshake without an answer: the port's own when it
// would not open, else the handshake's.
TransferFailure HandshakeFailure(SerialLink& link);

}  // namespace kavir
