#include "gbk.h"

#include <cerrno>
#include <iconv.h>

namespace kavir {
namespace {

// One conversion through iconv; stops at the first invalid or incomplete
// sequence. Returns false when the input was not converted completely;
// *consumed tells how far it got.
bool Convert(const char* to, const char* from, std::string_view in, std::string* out,
             std::size_t* consumed) {
  out->clear();
  // Opening a converter costs far more than a short conversion: keep one per
  // direction and thread.
  struct Cached {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    ~Cached() {
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
  };
  thread_local Cached to_utf8, to_gbk;
  Cached& cache = std::string_view(to) == "UTF-8" ? to_utf8 : to_gbk;
  if (cache.cd == reinterpret_cast<iconv_t>(-1)) cache.cd = iconv_open(to, from);
  iconv_t cd = cache.cd;
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    *consumed = 0;
    return false;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buffer[1024];
  bool ok = true;
  while (src_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out->append(buffer, sizeof buffer - dst_left);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      ok = false;  // EILSEQ or EINVAL
      break;
    }
  }
  *consumed = in.size() - src_left;
  return ok;
}

std::size_t Utf8SequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
  std::string out;
  std::size_t consumed = 0;
  if (!Convert("UTF-8", "GBK", gbk, &out, &consumed)) return std::nullopt;
  return out;
}

std::string GbkToUtf8Lossy(std::string_view gbk) {
  std::string result;
  while (!gbk.empty()) {
    std::string part;
    std::size_t consumed = 0;
    bool ok = Convert("UTF-8", "GBK", gbk, &part, &consumed);
    result += part;
    if (ok) break;
    result += "\xEF\xBF\xBD";
    gbk.remove_prefix(consumed + 1 <= gbk.size() ? consumed + 1 : gbk.size());
  }
  return result;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  std::string out;
  std::size_t consumed = 0;
  if (!Convert("GBK", "UTF-8", utf8, &out, &consumed)) return std::nullopt;
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

std::string ClipToGbkBytes(std::string_view utf8, std::size_t max_bytes) {
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
  return std::string(utf8.substr(0, i));
}

}  // namespace kavir
