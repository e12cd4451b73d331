#include "utf8_text.h"

#include <cstdio>

#include "ini/gbk.h"

namespace kavir::cli {

int Utf8SequenceAt(std::string_view s, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  int length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range (overlongs and surrogates excluded)
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (int i = 1; i < length; ++i) {
    if (at + i >= s.size()) return -i;
    const unsigned char c = byte(at + i);
    if (i == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return 0;
  }
  return length;
}

std::string ValidUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t at = 0; at < s.size();) {
    const int n = Utf8SequenceAt(s, at);
    if (n > 0) {
      out.append(s.substr(at, static_cast<std::size_t>(n)));
      at += static_cast<std::size_t>(n);
    } else {
      out += "\xEF\xBF\xBD";
      at += n < 0 ? static_cast<std::size_t>(-n) : 1u;
    }
  }
  return out;
}

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (char c : ValidUtf8(s)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Utf8ToGbkForTerminal(std::string_view s) {
  std::string out;
  std::size_t run = 0;  // start of the well-formed text not yet converted
  auto flush = [&](std::size_t end) {
    if (end > run) out += Utf8ToGbkLossy(s.substr(run, end - run));
  };
  for (std::size_t at = 0; at < s.size();) {
    const int n = Utf8SequenceAt(s, at);
    if (n > 0) {
      at += static_cast<std::size_t>(n);
      continue;
    }
    flush(at);
    out += s[at];
    run = ++at;
  }
  flush(s.size());
  return out;
}

}  // namespace kavir::cli
