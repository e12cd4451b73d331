#include "option_search.h"

#include <cstddef>

namespace kavir {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  return true;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int FindPrefixOption(const std::vector<std::string>& options, std::string_view text) {
  const int n = static_cast<int>(options.size());
  if (text.empty() || n == 0) return -1;
  for (int k = 1; k <= n; ++k) {
    const int i = k % n;  // 1, 2, ..., n-1, then 0
    if (StartsWithNoCase(options[i], text)) return i;
  }
  return -1;
}

int FindOption(const std::vector<std::string>& options, std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (!trimmed.empty()) {
    for (std::size_t i = 0; i < options.size(); ++i)
      if (options[i] == trimmed) return static_cast<int>(i);
  }
  return FindPrefixOption(options, text);
}

}  // namespace kavir
