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

// Tone type 0 off, 1 CTCSS, 2 DCS normal, 3 DCS inverted; and the code.
int ToneType(std::string_view text);
int ToneCode(std::string_view text);
std::array<std::uint8_t, 2> ToneBytes(std::string_view text);
std::string ToneText(const std::uint8_t bytes[2]);

}  // namespace kavir
