#include "gbk.h"

#include <algorithm>

#include "gbk_convert.h"

namespace kavir {
namespace {

// 1 for ASCII and for a byte that begins no sequence.
std::size_t Utf8SequenceLength(unsigned char c) {
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

// ASCII is the same bytes in both encodings, and most of a profile is ASCII.
bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  std::string out;
  std::size_t consumed = 0;
  if (!gbk_detail::DecodeGbk(gbk, &out, &consumed)) return std::nullopt;
  return out;
}

std::string GbkToUtf8Lossy(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  std::string result;
  while (!gbk.empty()) {
    std::string part;
    std::size_t consumed = 0;
    bool ok = gbk_detail::DecodeGbk(gbk, &part, &consumed);
    result += part;
    if (ok) break;
    result += "\xEF\xBF\xBD";
    gbk.remove_prefix(consumed + 1 <= gbk.size() ? consumed + 1 : gbk.size());
  }
  return result;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return gbk_detail::EncodeGbk(utf8);
}

std::string Utf8FromCodePoint(char32_t c) {
  std::string s;
  if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string Utf8ToGbkLossy(std::string_view utf8) {
  if (auto g = Utf8ToGbk(utf8)) return *g;
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const auto g = Utf8ToGbk(utf8.substr(i, len));
    out += g ? *g : std::string("?");
    i += len;
  }
  return out;
}

// In GBK every character outside ASCII takes two bytes; characters GBK
// lacks count as two as well.
std::size_t GbkLength(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    n += len == 1 ? 1 : 2;
    i += len;
  }
  return n;
}

std::size_t GbkPrefixLength(std::string_view utf8, std::size_t max_bytes) {
  // No character takes more GBK bytes than UTF-8 bytes.
  if (utf8.size() <= max_bytes) return utf8.size();
  std::size_t bytes = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t len = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    if (i + len > utf8.size()) len = utf8.size() - i;
    std::size_t w = len == 1 ? 1 : 2;
    if (bytes + w > max_bytes) break;
    bytes += w;
    i += len;
  }
  return i;
}

std::string ClipToGbkBytes(std::string_view utf8, std::size_t max_bytes) {
  return std::string(utf8.substr(0, GbkPrefixLength(utf8, max_bytes)));
}

}  // namespace kavir
