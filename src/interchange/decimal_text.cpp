#include "decimal_text.h"

namespace kavir {

std::optional<std::int64_t> ParseScaled(std::string_view text, int decimals, bool trailing_zeros_ok) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::int64_t whole = 0;
  std::size_t i = 0;
  int whole_digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (++whole_digits > 9) return std::nullopt;  // no radio value is that large
    whole = whole * 10 + (text[i] - '0');
  }
  std::int64_t fraction = 0;
  int fraction_digits = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (fraction_digits < decimals) {
        fraction = fraction * 10 + (text[i] - '0');
        ++fraction_digits;
      } else if (!trailing_zeros_ok || text[i] != '0') {
        return std::nullopt;
      }
    }
    if (whole_digits == 0 && fraction_digits == 0) return std::nullopt;
  }
  if (i != text.size() || (whole_digits == 0 && fraction_digits == 0)) return std::nullopt;
  for (; fraction_digits < decimals; ++fraction_digits) fraction *= 10;
  std::int64_t scale = 1;
  for (int d = 0; d < decimals; ++d) scale *= 10;
  return whole * scale + fraction;
}

std::string FormatScaled(std::int64_t value, int decimals) {
  std::int64_t scale = 1;
  for (int d = 0; d < decimals; ++d) scale *= 10;
  std::string fraction = std::to_string(value % scale);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  std::string out = std::to_string(value / scale);
  return decimals ? out + "." + fraction : out;
}

}  // namespace kavir
