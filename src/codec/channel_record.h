#pragma once
// Channel records: 16 bytes per channel at 0x010 * (n - 1).
#include <cstdint>

#include "setup/frequency.h"
#include "setup/setup.h"

namespace kavir {

// The band's limits as the channel records read them: the texts as a store
// keeps them, at most nine bytes each.
struct RecordBand {
  Frequency lower, upper;
  static RecordBand Of(const Setup& setup);
};

// How the record reads a channel's power and bandwidth cells: every text
// but 低 is high power, only 宽 is wide.
bool HighPower(const Channel& channel);
bool WideBand(const Channel& channel);

// The record of a channel as a write sends it.
void EncodeChannelRecord(const Channel& channel, const RecordBand& band, std::uint8_t* data);
void DecodeChannelRecord(const std::uint8_t* data, Channel& channel);

// A text as a profile file gives it back: blanks trimmed, at most
// buffer - 1 GBK bytes.
std::string_view StoredText(std::string_view text, std::size_t buffer);

}  // namespace kavir
