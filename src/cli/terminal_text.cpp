#include "terminal_text.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <streambuf>

#include "utf8_text.h"

namespace kavir::cli {

namespace {

std::atomic<bool> g_gbk{false};
std::streambuf* g_utf8_out = nullptr;  // std::cout's own buffer, once replaced

// Whole characters are converted and handed to the C stream at once, so
// printf and the C++ streams keep their order; a character split between
// two writes waits for its other half.
class GbkBuffer : public std::streambuf {
 public:
  explicit GbkBuffer(std::FILE* file) : file_(file) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
  }

  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_.append(s, static_cast<std::size_t>(n));
    std::size_t whole = pending_.size();
    for (std::size_t at = pending_.size() >= 3 ? pending_.size() - 3 : 0; at < pending_.size(); ++at)
      if (Utf8SequenceAt(pending_, at) < 0) {
        whole = at;
        break;
      }
    const std::string out = Utf8ToGbkForTerminal(std::string_view(pending_).substr(0, whole));
    pending_.erase(0, whole);
    if (!out.empty() && std::fwrite(out.data(), 1, out.size(), file_) != out.size()) return 0;
    return n;
  }

  int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

 private:
  std::FILE* file_;
  std::mutex mutex_;
  std::string pending_;
};

void Print(std::FILE* file, const std::string& text) {
  const std::string out = g_gbk ? Utf8ToGbkForTerminal(text) : text;
  std::fwrite(out.data(), 1, out.size(), file);
  std::fflush(file);
}

}  // namespace

std::string CharacterLocaleName() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(var);
    if (value && *value) return value;
  }
  return {};
}

bool LocaleWantsGbk(std::string_view locale) {
  const std::size_t dot = locale.find('.');
  if (dot == std::string_view::npos) return false;
  std::string codeset;
  for (char c : locale.substr(dot + 1, locale.find('@', dot) - dot - 1)) {
    if (c == '-' || c == '_') continue;
    codeset += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return codeset == "gbk" || codeset == "gb18030" || codeset == "gb2312" || codeset == "euccn";
}

void PrintInGbk() {
  if (g_gbk.exchange(true)) return;
  // Never freed: the streams flush through them until the very end.
  g_utf8_out = std::cout.rdbuf(new GbkBuffer(stdout));
  std::cerr.rdbuf(new GbkBuffer(stderr));
}

void PrintOut(const std::string& text) { Print(stdout, text); }

void PrintErr(const std::string& text) { Print(stderr, text); }

std::string Printf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out(size > 0 ? static_cast<std::size_t>(size) : 0u, '\0');
  if (size > 0) std::vsnprintf(out.data(), out.size() + 1, format, again);
  va_end(again);
  return out;
}

std::ostream& Utf8Out() {
  if (!g_utf8_out) return std::cout;
  static std::ostream* out = new std::ostream(g_utf8_out);
  return *out;
}

}  // namespace kavir::cli
