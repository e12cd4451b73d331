#pragma once
// The 48 packets of a read, after its handshake: packets 1 to 16 on
// request, packets 17 to 48 each brought by the acknowledgement of the one
// before. The read and the read-back after a write share it; each reacts to
// a failure in its own way.
#include <cstdint>
#include <functional>
#include <optional>

#include "codec/codec.h"
#include "serial_link.h"

namespace kavir {

struct PacketWaits {
  int timeout_ms = 80;  // for each of a packet's four waits
  short range = 49;
  short first = 1;                    // progress position of the handshake; packet n is first + n
  const char* requested_format = "";  // status text of packets 1 to 16, %02d the number
  const char* sent_format = "";       // of packets 17 to 48
};

struct PacketFailure {
  enum class Kind {
    Cancelled,     // RequestCancel: nothing more was sent
    Incomplete,    // fewer than 20 bytes after four waits; not acknowledged
    WrongAddress,  // 20 bytes from another address (17 to 48: acknowledged)
  };
  Kind kind = Kind::Incomplete;
  int packet = 0;             // 1 to 48
  std::uint32_t arrived = 0;  // bytes of it that came
};

// Called with each packet (its 20 bytes) as it arrives whole from its
// address, before the next one is asked for.
using PacketArrived = std::function<void(int n, const std::uint8_t* packet)>;

// Receives packets 1 to 48 into *image. Stops at the first that does not
// arrive whole from its address, before any reaction to it: the receive
// buffer still holds what came. nullopt when all 48 came.
std::optional<PacketFailure> ReceivePackets(SerialLink& link, const PacketWaits& waits, Image& image,
                                            const PacketArrived& arrived = {});

}  // namespace kavir
