#include <iconv.h>

#include <cerrno>

#include "gbk_convert.h"

namespace kavir::gbk_detail {
namespace {

// One conversion through iconv; stops at the first invalid or incomplete
// sequence. Returns false when the input was not converted completely;
// *consumed tells how far it got.
bool Convert(const char* to, const char* from, std::string_view in, std::string* out, std::size_t* consumed) {
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

}  // namespace

// glibc's GBK already leaves the user-defined area out.
bool DecodeGbk(std::string_view gbk, std::string* utf8, std::size_t* consumed) {
  return Convert("UTF-8", "GBK", gbk, utf8, consumed);
}

std::optional<std::string> EncodeGbk(std::string_view utf8) {
  std::string out;
  std::size_t consumed = 0;
  if (!Convert("GBK", "UTF-8", utf8, &out, &consumed)) return std::nullopt;
  return out;
}

}  // namespace kavir::gbk_detail
