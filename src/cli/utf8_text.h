#pragma once
// UTF-8 as kavir-cli prints it: text from the system (a program's name, a
// device's description) may hold bytes that are no UTF-8, or a character cut
// in half; JSON must never carry them, and a terminal in GBK gets GBK.
#include <cstddef>
#include <string>
#include <string_view>

namespace kavir::cli {

// The well-formed UTF-8 sequence that starts at s[at]: its length (1 to 4);
// 0 when the bytes there are no UTF-8; -n when s ends after n bytes of a
// sequence that would be well-formed with more.
int Utf8SequenceAt(std::string_view s, std::size_t at);

// s with every byte that is no UTF-8 replaced by U+FFFD (one for each
// ill-formed part).
std::string ValidUtf8(std::string_view s);

// s as a JSON string, quotes included: valid UTF-8, control characters escaped.
std::string JsonString(std::string_view s);

// UTF-8 text in GBK for a terminal: a character GBK lacks becomes '?'; bytes
// that are no UTF-8 (a file name given in GBK) go out as they are.
std::string Utf8ToGbkForTerminal(std::string_view s);

}  // namespace kavir::cli
