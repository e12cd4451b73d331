#include "ini/translate.h"

#include <atomic>

namespace kavir {
namespace {
std::atomic<TextTranslator> g_translator{nullptr};
}  // namespace

void SetTextTranslator(TextTranslator translator) { g_translator.store(translator); }

std::string TrText(const char* context, const char* text) {
  const TextTranslator translator = g_translator.load();
  return translator ? translator(context, text) : std::string(text);
}

namespace {
std::atomic<CountTranslator> g_count_translator{nullptr};
}  // namespace

void SetCountTranslator(CountTranslator translator) { g_count_translator.store(translator); }

std::string TrCount(const char* context, const char* text, const char* comment, int n) {
  const CountTranslator translator = g_count_translator.load();
  return translator ? translator(context, text, comment, n) : WithCount(text, n);
}

std::string WithCount(std::string_view text, int n) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += std::to_string(n);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ArgText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 16 * args.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace kavir
