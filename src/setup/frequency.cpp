#include "frequency.h"

#include <algorithm>
#include <charconv>

#include "profile/conversions.h"

namespace kavir {

Frequency Frequency::FromText(std::string_view text) { return Frequency(FrequencyValue(text) * 10); }

Raster Frequency::raster() const {
  if (tens() % 625 == 0) return Raster::Fine;
  if (tens() % 250 == 0) return Raster::Coarse;
  return Raster::None;
}

std::string Frequency::Text() const {
  // Three digits, a point, the next digits, zeros up to nine characters; a
  // value of four digits or fewer is all zeros.
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, tens()).ptr;
  const std::size_t count = static_cast<std::size_t>(end - digits);
  std::string text(9, '0');
  if (count > 4) {
    text.assign(digits, 3);
    text += '.';
    text.append(digits + 3, std::min<std::size_t>(count - 3, 6));
    if (text.size() < 9) text.append(9 - text.size(), '0');
  }
  return text;
}

std::array<std::uint8_t, 3> Frequency::Bytes(bool flag_bit) const {
  const Raster r = raster();
  const std::int64_t steps = r == Raster::Fine ? tens() / 625 : r == Raster::Coarse ? tens() / 250 : 0;
  const auto n = static_cast<std::uint32_t>(steps);
  return {static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) & 0xFF),
          static_cast<std::uint8_t>((flag_bit ? 8 : 0) + (r == Raster::Fine ? 4 : 0) +
                                    ((n >> 16) & 0x3))};
}

Frequency Frequency::FromBytes(const std::uint8_t bytes[3]) {
  const std::uint32_t n = ((bytes[2] & 0x3u) << 16) | (bytes[1] << 8) | bytes[0];
  const std::int64_t tens = (bytes[2] & 0x4) ? std::int64_t(n) * 625 : std::int64_t(n) * 250;
  return Frequency(tens * 10);
}

bool Frequency::FitsField() const {
  const Raster r = raster();
  if (r == Raster::None) return false;
  return tens() / (r == Raster::Fine ? 625 : 250) <= 0x3FFFF;
}

}  // namespace kavir
