// Text conversions never crash; clipping never exceeds its budget; valid
// GBK converts to UTF-8 and back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ini/gbk.h"
#include "setup/conversions.h"
#include "setup/frequency.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  if (auto utf8 = kavir::GbkToUtf8(s)) {
    auto back = kavir::Utf8ToGbk(*utf8);
    if (!back || *back != s) std::abort();
  }
  const std::string lossy = kavir::GbkToUtf8Lossy(s);
  for (std::size_t max : {0u, 1u, 9u, 19u}) {
    const std::string clipped = kavir::ClipToGbkBytes(lossy, max);
    if (kavir::GbkLength(clipped) > max) std::abort();
    if (lossy.compare(0, clipped.size(), clipped) != 0) std::abort();
  }
  (void)kavir::Utf8ToGbk(s);
  (void)kavir::Frequency::FromText(s).Bytes(size & 1);
  (void)kavir::ToneBytes(s);
  if (size >= 3) {
    const std::string text = kavir::Frequency::FromBytes(data).Text();
    if (text.size() != 9 && text.size() != 10) std::abort();
  }
  if (size >= 2) {
    const std::string tone = kavir::ToneText(data);
    // A decoded tone encodes back to the same bytes, for the codes its text
    // form can carry: CTCSS up to 409.5 Hz, DCS codes with three octal digits.
    const int type = (data[1] >> 4) & 3;
    const int code = ((data[1] & 0xF) << 8) | data[0];
    const bool representable = type == 1 || ((type == 2 || type == 3) && code >= 8 && code <= 511);
    auto b = kavir::ToneBytes(tone);
    if (representable && (b[0] != data[0] || b[1] != (data[1] & 0x3F))) std::abort();
  }
  return 0;
}
