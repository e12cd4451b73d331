#pragma once
// Channel records: 16 bytes per channel at 0x010 * (n - 1).
#include <cstdint>

#include "setup/setup.h"

namespace kavir {

// The record of channel n as a write sends it; band_lower and band_upper
// are the band's texts as the write stores them.
void EncodeChannelRecord(const Channel& channel, const std::string& band_lower,
                         const std::string& band_upper, std::uint8_t* data);
void DecodeChannelRecord(const std::uint8_t* data, Channel& channel);

// A text as a profile file gives it back: blanks trimmed, at most
// buffer - 1 GBK bytes.
std::string StoredText(std::string_view text, std::size_t buffer);

}  // namespace kavir
