#pragma once
// One cable, several radios in turn: a dealer plugs a radio in, programs
// it, unplugs it and plugs in the next. Once the program has talked to a
// radio, it is unplugged when it has seen no data for a while (the
// program's polls do not count: they only ask who is there), and the next
// one is plugged in after a gap.
#include <cstdint>
#include <vector>

#include "radio_protocol.h"

namespace kavir::sim {

struct CableOptions {
  // A radio goes this long after first contact or its last data exchange
  // (-1: never).
  int unplug_after_ms = 1000;
  // Nothing is attached for this long between two radios.
  int plug_gap_ms = 1000;
};

class Cable {
 public:
  Cable(std::vector<RadioProtocol> radios, CableOptions options);

  // Bytes from the program; the attached radio's answer, or nothing while
  // no radio is on the cable.
  std::vector<std::uint8_t> Receive(const std::uint8_t* bytes, std::size_t count, std::int64_t now_ms);
  // The radio on the cable now; nullptr between radios and after the last.
  RadioProtocol* Current(std::int64_t now_ms);
  std::vector<RadioProtocol>& radios() { return radios_; }
  // Radios that received a complete write.
  int written() const;

 private:
  void Advance(std::int64_t now_ms);

  std::vector<RadioProtocol> radios_;
  CableOptions options_;
  std::size_t index_ = 0;
  bool attached_ = true;
  std::int64_t plug_at_ = 0;     // while detached: when the next one comes
  std::int64_t last_data_ = -1;  // while attached: last packet or first contact (-1: none yet)
};

}  // namespace kavir::sim
