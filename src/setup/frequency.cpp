#include "frequency.h"

#include <algorithm>
#include <charconv>

#include "ini/translate.h"
#include "setup/conversions.h"

namespace kavir {

std::optional<Frequency> Frequency::Read(std::string_view text) {
  const std::optional<std::int64_t> tens = MhzTextValue(text);
  if (!tens) return std::nullopt;
  return Frequency(*tens * 10);
}

Frequency Frequency::FromText(std::string_view text) { return Frequency(FrequencyValue(text) * 10); }

std::optional<Frequency> Frequency::FromTyped(std::string_view typed, std::string* error) {
  auto refuse = [&](const std::string& why) -> std::optional<Frequency> {
    if (error) *error = why;
    return std::nullopt;
  };
  std::string_view text = typed;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return refuse(TrText("Setup", "没有填写频率"));
  std::string whole, fraction;
  bool separator = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      (separator ? fraction : whole) += c;
    } else if (c == '.' || c == ',') {
      if (separator) return refuse(ArgText(TrText("Setup", "频率 \"%1\" 有不止一个小数点"), {typed}));
      separator = true;
    } else {
      // The whole character, however many bytes it takes.
      std::size_t len = 1;
      while (i + len < text.size() && (static_cast<unsigned char>(text[i + len]) & 0xC0) == 0x80) ++len;
      return refuse(
          ArgText(TrText("Setup", "频率 \"%1\" 含有 \"%2\": 只能输入数字和一个小数点"), {typed, text.substr(i, len)}));
    }
  }
  if (whole.empty() && fraction.empty()) return refuse(ArgText(TrText("Setup", "频率 \"%1\" 不是数字"), {typed}));
  if (!separator && whole.size() > 3) {
    // Digits alone, as the radio reads them: the first three are megahertz.
    if (whole.size() > 8) return refuse(ArgText(TrText("Setup", "频率 \"%1\" 位数太多: 最多 8 位数字"), {typed}));
    fraction = whole.substr(3);
    whole.resize(3);
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (whole.size() > 3 || fraction.size() > 5)
    return refuse(ArgText(TrText("Setup", "频率 \"%1\" 位数太多: 小数点前最多 3 位, 后面最多 5 位 (10 Hz)"), {typed}));
  fraction.append(5 - fraction.size(), '0');
  const std::int64_t tens = (whole.empty() ? 0 : std::stoll(whole)) * 100000 + std::stoll(fraction);
  return Frequency(tens * 10);
}

std::string Frequency::MhzText() const {
  std::string text = std::to_string(tens() / 100000) + ".";
  const std::string fraction = std::to_string(tens() % 100000);
  return text + std::string(5 - fraction.size(), '0') + fraction;
}

Raster Frequency::raster() const {
  if (tens() % 625 == 0) return Raster::Fine;
  if (tens() % 250 == 0) return Raster::Coarse;
  return Raster::None;
}

std::string Frequency::Text() const {
  if (tens() == 0) return std::string(9, '0');
  const std::string mhz = std::to_string(tens() / 100000);
  const std::string fraction = std::to_string(tens() % 100000);
  return std::string(mhz.size() < 3 ? 3 - mhz.size() : 0, '0') + mhz + "." + std::string(5 - fraction.size(), '0') +
         fraction;
}

std::array<std::uint8_t, 3> Frequency::Bytes(bool flag_bit) const {
  const Raster r = raster();
  const std::int64_t steps = r == Raster::Fine ? tens() / 625 : r == Raster::Coarse ? tens() / 250 : 0;
  const auto n = static_cast<std::uint32_t>(steps);
  return {static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) & 0xFF),
          static_cast<std::uint8_t>((flag_bit ? 8 : 0) + (r == Raster::Fine ? 4 : 0) + ((n >> 16) & 0x3))};
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
