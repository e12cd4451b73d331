#pragma once
// Conversions between channel value texts and the radio's numeric forms.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavir {

// A frequency text read as megahertz, in 10 Hz units: digits, then
// optionally a point and decimals ("145.5", "145", "045.01250"), blanks
// around it ignored; decimals past the fifth must be zeros. nullopt for
// any other text, an empty one included. Never scaled by its digit count:
// "45.0125" is 45.0125 MHz, not 450.125.
std::optional<std::int64_t> MhzTextValue(std::string_view text);
// The same, 0 for a text that is no frequency ("" -> 0).
std::int64_t FrequencyValue(std::string_view text);
// N = V / 625 when V is a multiple of 625, else 0.
std::uint32_t FrequencyCode(std::string_view text);

// Tone type 0 off, 1 CTCSS, 2 DCS normal, 3 DCS inverted; and the code.
int ToneType(std::string_view text);
int ToneCode(std::string_view text);
std::array<std::uint8_t, 2> ToneBytes(std::string_view text);
std::string ToneText(const std::uint8_t bytes[2]);

}  // namespace kavir
