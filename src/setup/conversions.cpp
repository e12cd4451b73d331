#include "conversions.h"

#include <charconv>
#include <cstdio>

namespace kavir {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::int64_t LeadingDigits(std::string_view s) {
  std::int64_t v = 0;
  for (char c : s) {
    if (!IsDigit(c)) break;
    if (v < 1000000000000LL) v = v * 10 + (c - '0');  // saturate long junk
  }
  return v;
}

bool StartsWithOneOf(std::string_view t, std::string_view chars) {
  return !t.empty() && chars.find(t.front()) != std::string_view::npos;
}

constexpr std::string_view kToneOff = "关";

}  // namespace

std::optional<std::int64_t> MhzTextValue(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto all_digits = [](std::string_view s) {
    for (char c : s)
      if (!IsDigit(c)) return false;
    return true;
  };
  // Six digits of megahertz are far past any radio; more would overflow.
  if (!all_digits(whole) || !all_digits(decimals) || (whole.empty() && decimals.empty()) || whole.size() > 6)
    return std::nullopt;
  while (decimals.size() > 5 && decimals.back() == '0') decimals.remove_suffix(1);
  if (decimals.size() > 5) return std::nullopt;  // finer than the 10 Hz the radio counts in
  std::int64_t tens = 0;
  for (char c : whole) tens = tens * 10 + (c - '0');
  for (std::size_t i = 0; i < 5; ++i) tens = tens * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
  return tens;
}

std::int64_t FrequencyValue(std::string_view text) { return MhzTextValue(text).value_or(0); }

std::uint32_t FrequencyCode(std::string_view text) {
  const std::int64_t v = FrequencyValue(text);
  return v % 625 == 0 ? static_cast<std::uint32_t>(v / 625) : 0;
}

int ToneType(std::string_view text) {
  if (text == kToneOff) return 0;
  if (StartsWithOneOf(text, "CTS")) return 1;
  if (StartsWithOneOf(text, "+DCS")) return 2;
  return 3;
}

int ToneCode(std::string_view text) {
  if (text == kToneOff) return 0;
  const std::size_t colon = text.find(':');
  const std::string_view after = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
  if (StartsWithOneOf(text, "CTS")) {
    std::string digits;
    for (char c : after)
      if (c != '.') digits += c;
    return static_cast<int>(LeadingDigits(digits) & 0x7FFFFFFF);
  }
  if (text.size() >= 2 && !StartsWithOneOf(text, "DCS") &&
      std::string_view("DCS").find(text[1]) != std::string_view::npos) {
    int code = 0;
    for (int i = 0; i < 3; ++i) {
      const int d = i < static_cast<int>(after.size()) && IsDigit(after[i]) ? after[i] - '0' : 0;
      code = code * 8 + d;
    }
    return code;
  }
  return 0;
}

std::array<std::uint8_t, 2> ToneBytes(std::string_view text) {
  const int type = ToneType(text);
  const int code = ToneCode(text);
  return {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(type * 16 + ((code >> 8) & 0xF))};
}

std::string ToneText(const std::uint8_t bytes[2]) {
  const int type = (bytes[1] >> 4) & 0x3;
  const int code = ((bytes[1] & 0xF) << 8) | bytes[0];
  if (type == 0) return std::string(kToneOff);
  char buf[32];
  if (type == 1) {
    // The code in tenths of a hertz, at least three characters wide.
    std::string s = std::to_string(code);
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    const std::size_t whole = s.size() >= 4 ? 3 : 2;
    std::string t = s.substr(0, whole) + "." + s.substr(whole, 2);
    const std::size_t first = t.find_first_not_of(' ');
    const std::size_t last = t.find_last_not_of(' ');
    return "CTCSS:" + t.substr(first, last - first + 1);
  }
  const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned>(code), 8).ptr;
  std::string dcs(buf, end);
  if (dcs.size() < 3) dcs = "0" + dcs;
  return (type == 2 ? "+DCS:" : "-DCS:") + dcs;
}

}  // namespace kavir
