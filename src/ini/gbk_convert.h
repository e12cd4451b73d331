#pragma once
// The platform's GBK converter behind gbk.h: iconv on POSIX, code page 936
// on Windows. Both refuse GBK's user-defined area (it maps only to private-use
// characters, which no other machine or radio shows alike), so the same bytes
// are valid GBK on every platform.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavir::gbk_detail {

// GBK to UTF-8 up to the first invalid or incomplete sequence. False when it
// stopped early; *consumed is the number of input bytes converted.
bool DecodeGbk(std::string_view gbk, std::string* utf8, std::size_t* consumed);
// UTF-8 to GBK; nullopt for invalid UTF-8 or a character GBK lacks.
std::optional<std::string> EncodeGbk(std::string_view utf8);

}  // namespace kavir::gbk_detail
