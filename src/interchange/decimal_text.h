#pragma once
// Decimal texts read straight into whole units, without floating point.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavir {

// "146.52" with decimals 6 gives 146520000. Blanks around the number are
// allowed; a sign, an exponent or more than `decimals` decimal digits are
// not (unless trailing_zeros_ok and the extra digits are all zero).
std::optional<std::int64_t> ParseScaled(std::string_view text, int decimals, bool trailing_zeros_ok = false);
// value / 10^decimals with exactly `decimals` digits after the point.
std::string FormatScaled(std::int64_t value, int decimals);

}  // namespace kavir
