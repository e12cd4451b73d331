#pragma once
// A frequency in whole hertz, read from the texts a profile, the grid or
// the radio hold ("136.00000", "145.5"), and its radio encodings.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavir {

enum class Raster { Fine, Coarse, None };  // 6.25 kHz, 2.5 kHz only, neither

class Frequency {
 public:
  constexpr Frequency() = default;
  static constexpr Frequency FromHz(std::int64_t hz) { return Frequency(hz); }
  // A profile's or the radio's text read as megahertz ("145.5", "145",
  // "045.01250"); nullopt for a text that is no frequency, "" included.
  static std::optional<Frequency> Read(std::string_view text);
  // The same, 0 Hz for a text that is no frequency (only checked texts
  // reach the encoder).
  static Frequency FromText(std::string_view text);
  // A frequency as a person types or pastes it: blanks around it dropped,
  // a decimal comma read as a point, megahertz before the point and at
  // most five decimals (10 Hz) after it; digits alone up to three are
  // whole megahertz, longer ones are read as the radio reads them (the
  // first three are the megahertz). Anything else is refused: nullopt,
  // and *error says why, quoting what was typed.
  static std::optional<Frequency> FromTyped(std::string_view typed, std::string* error = nullptr);

  constexpr std::int64_t hz() const { return hz_; }
  // The 10 Hz units the radio counts in.
  constexpr std::int64_t tens() const { return hz_ / 10; }
  Raster raster() const;
  // "ddd.ddddd", as a read shows a frequency: megahertz with at least
  // three digits ("045.01250", "1638.39375"); 0 Hz is nine zeros.
  std::string Text() const;
  // Megahertz with five decimals and no padding in front ("45.50000").
  std::string MhzText() const;
  // The three bytes of a channel's frequency field: the step count on the
  // raster it lies on, the caller's flag bit (bit 3 of byte 2) and the
  // raster flag (bit 2). Off both rasters it is the strict encoding: 0.
  std::array<std::uint8_t, 3> Bytes(bool flag_bit) const;
  static Frequency FromBytes(const std::uint8_t bytes[3]);
  // Whether its step count fits the field's 18 bits.
  bool FitsField() const;

  constexpr auto operator<=>(const Frequency&) const = default;

 private:
  constexpr explicit Frequency(std::int64_t hz) : hz_(hz) {}
  std::int64_t hz_ = 0;
};

}  // namespace kavir
