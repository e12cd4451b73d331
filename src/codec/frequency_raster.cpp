#include "frequency_raster.h"

#include "profile/conversions.h"

namespace kavir {

Raster FrequencyRaster(std::string_view text) {
  const std::int64_t v = FrequencyValue(text);
  if (v % 625 == 0) return Raster::Fine;
  if (v % 250 == 0) return Raster::Coarse;
  return Raster::None;
}

std::array<std::uint8_t, 3> EncodeFrequencyBytes(std::string_view text, bool flag_bit) {
  if (FrequencyRaster(text) != Raster::Coarse) return FrequencyBytes(text, flag_bit);
  const auto n = static_cast<std::uint32_t>(FrequencyValue(text) / 250);
  return {static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) & 0xFF),
          static_cast<std::uint8_t>((flag_bit ? 8 : 0) + ((n >> 16) & 0x3))};
}

}  // namespace kavir
