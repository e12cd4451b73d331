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
// but 低 is high power, only 宽 is wide; a blank cell is neither.
bool HighPower(const Channel& channel);
bool WideBand(const Channel& channel);

// The record of a channel as a write sends it.
void EncodeChannelRecord(const Channel& channel, const RecordBand& band, std::uint8_t* data);
void DecodeChannelRecord(const std::uint8_t* data, Channel& channel);

// The set-up as the radio holds it after a write: every blank cell of a
// channel (one not in use may keep them) reads as the text its bits give
// back, so a list of changes shows what the radio gets.
Setup AsWritten(const Setup& setup);

// A text as a profile file gives it back: blanks trimmed, at most
// buffer - 1 GBK bytes.
std::string_view StoredText(std::string_view text, std::size_t buffer);

}  // namespace kavir
