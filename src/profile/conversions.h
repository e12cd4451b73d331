#pragma once
// Conversions between channel value texts and the radio's numeric forms.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kavir {

// Frequency text to V in 10 Hz units: dots removed, padded with "0" to 8
// characters, leading digits read ("136.00000" -> 13600000, "" -> 0).
std::int64_t FrequencyValue(std::string_view text);
// N = V / 625 when V is a multiple of 625, else 0.
std::uint32_t FrequencyCode(std::string_view text);
// 1 when V is a multiple of 625, else 0.
int IsFineRaster(std::string_view text);
// The three bytes of a frequency: N, the caller's flag bit (bit 3 of byte 2)
// and the raster flag. Strict 6.25 kHz encoding as the radio family defines it.
std::array<std::uint8_t, 3> FrequencyBytes(std::string_view text, bool flag_bit);
// Frequency bytes back to the 9-character text ("136.00000").
std::string FrequencyText(const std::uint8_t bytes[3]);

// Tone type 0 off, 1 CTCSS, 2 DCS normal, 3 DCS inverted; and the code.
int ToneType(std::string_view text);
int ToneCode(std::string_view text);
std::array<std::uint8_t, 2> ToneBytes(std::string_view text);
std::string ToneText(const std::uint8_t bytes[2]);

// 0, 1 or 2: where the frequency lies within the band lo..hi.
int SubBand(std::string_view freq, std::string_view lo, std::string_view hi);

}  // namespace kavir
