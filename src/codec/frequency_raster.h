#pragma once
// Frequency fields as the write sends them: the 6.25 kHz raster, or the
// 2.5 kHz raster for a value that is only on that one, so a frequency read
// from a radio goes back unchanged.
#include <array>
#include <cstdint>
#include <string_view>

namespace kavir {

enum class Raster { Fine, Coarse, None };
Raster FrequencyRaster(std::string_view text);
std::array<std::uint8_t, 3> EncodeFrequencyBytes(std::string_view text, bool flag_bit);

// Decodes channel n's record (16 data bytes) into Read.ini keys.
class IniDocument;
void DecodeChannelRecord(int n, const std::uint8_t* data, IniDocument& read_ini);

}  // namespace kavir
