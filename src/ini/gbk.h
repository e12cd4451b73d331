#pragma once
// Conversion between the program's UTF-8 text and the GBK bytes of its files.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavir {

// GBK bytes to UTF-8. nullopt when the input is not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);
// GBK bytes to UTF-8; every invalid byte becomes U+FFFD. Never fails.
std::string GbkToUtf8Lossy(std::string_view gbk);
// UTF-8 to GBK bytes. nullopt when the input is not valid UTF-8 or holds a
// character GBK cannot represent.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// UTF-8 to GBK bytes; a character GBK cannot hold (or a byte that is no
// UTF-8) becomes '?', the rest is kept. Never fails.
std::string Utf8ToGbkLossy(std::string_view utf8);

// One code point as UTF-8; "" for 0, a surrogate or anything past U+10FFFF.
std::string Utf8FromCodePoint(char32_t c);

// Length of a UTF-8 text in GBK bytes (characters GBK lacks count as 2).
std::size_t GbkLength(std::string_view utf8);
// The longest leading part of a UTF-8 text whose GBK form has at most
// max_bytes bytes; a character is never split.
std::string ClipToGbkBytes(std::string_view utf8, std::size_t max_bytes);
// The length in UTF-8 bytes of that part.
std::size_t GbkPrefixLength(std::string_view utf8, std::size_t max_bytes);

}  // namespace kavir
