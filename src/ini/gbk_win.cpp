#include "gbk_convert.h"
#include "utf16_win.h"

namespace kavir::gbk_detail {
namespace {

constexpr UINT kGbk = 936;

// Code page 936 maps GBK's user-defined area, and nothing else, to the
// private-use characters; glibc refuses both, and so do we.
bool PrivateUse(wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; }

bool AnyPrivateUse(std::wstring_view wide) {
  for (wchar_t c : wide)
    if (PrivateUse(c)) return true;
  return false;
}

std::wstring Decode(std::string_view gbk, bool* ok) {
  *ok = true;
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(n > 0 ? static_cast<std::size_t>(n) : 0, L'\0');
  if (n <= 0 ||
      MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n) != n) {
    *ok = false;
    return {};
  }
  return wide;
}

}  // namespace

bool DecodeGbk(std::string_view gbk, std::string* utf8, std::size_t* consumed) {
  bool ok = false;
  std::wstring wide = Decode(gbk, &ok);
  if (ok && !AnyPrivateUse(wide)) {
    *utf8 = win::Utf8FromWide(wide);
    *consumed = gbk.size();
    return true;
  }
  // The whole text failed: go character by character to find the first bad
  // byte, as iconv reports it.
  wide.clear();
  std::size_t i = 0;
  while (i < gbk.size()) {
    const unsigned char lead = static_cast<unsigned char>(gbk[i]);
    const std::size_t len = lead >= 0x81 && lead <= 0xFE ? 2 : 1;
    if (i + len > gbk.size()) break;  // a lead byte without its second byte
    const std::wstring one = Decode(gbk.substr(i, len), &ok);
    if (!ok || one.size() != 1 || PrivateUse(one[0])) break;
    wide += one;
    i += len;
  }
  *utf8 = win::Utf8FromWide(wide);
  *consumed = i;
  return i == gbk.size();
}

std::optional<std::string> EncodeGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  bool ok = false;
  const std::wstring wide = win::WideFromUtf8(utf8, &ok);
  if (!ok || AnyPrivateUse(wide)) return std::nullopt;
  const int wide_size = static_cast<int>(wide.size());
  BOOL lacking = FALSE;
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), wide_size, nullptr, 0, nullptr, &lacking);
  if (n <= 0 || lacking) return std::nullopt;
  std::string gbk(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), wide_size, gbk.data(), n, nullptr, &lacking);
  if (lacking) return std::nullopt;
  return gbk;
}

}  // namespace kavir::gbk_detail
