#include "lang/text_catalogue.h"

#include <cstdint>

#include "ini/gbk.h"
#include "ini/translate.h"

namespace kavir::lang {

// Generated at build time from translations/kavir_en.ts.
extern const unsigned char kEnglishTs[];
extern const std::size_t kEnglishTsSize;

namespace {

// XML character data with its entities replaced; an unknown entity stays as
// written.
std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::size_t semi = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
    if (semi == std::string_view::npos || semi - i > 10) {
      out += s[i];
      continue;
    }
    const std::string_view name = s.substr(i + 1, semi - i - 1);
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      std::uint32_t c = 0;
      bool ok = name.size() > (hex ? 2u : 1u);
      for (char d : name.substr(hex ? 2 : 1)) {
        const int v = d >= '0' && d <= '9'          ? d - '0'
                      : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                      : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                    : -1;
        if (v < 0 || c > 0x10FFFF) ok = false;
        if (ok) c = c * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
      }
      if (!ok) {
        out += s[i];
        continue;
      }
      out += Utf8FromCodePoint(c);
    } else {
      out += s[i];
      continue;
    }
    i = semi;
  }
  return out;
}

// The next <tag ...>text</tag> in [pos, end): its text (and what stands
// between the tag's name and '>'); pos moves past it. False when there is none.
bool Element(std::string_view xml, std::string_view tag, std::size_t& pos, std::size_t end, std::string_view* inner,
             std::string_view* attributes = nullptr) {
  std::string open = "<", close = "</";  // appended, not added: GCC 12 warns wrongly on the latter
  open += tag;
  close += tag;
  close += '>';
  std::size_t start = xml.find(open, pos);
  while (start < end && start + open.size() < xml.size() && xml[start + open.size()] != '>' &&
         xml[start + open.size()] != ' ' && xml[start + open.size()] != '/')
    start = xml.find(open, start + 1);  // <name> is not <namespace>
  if (start >= end) return false;
  const std::size_t head_end = xml.find('>', start);
  if (head_end >= end) return false;
  if (attributes) *attributes = xml.substr(start + open.size(), head_end - start - open.size());
  if (xml[head_end - 1] == '/') {  // <translation/>
    *inner = {};
    pos = head_end + 1;
    return true;
  }
  const std::size_t stop = xml.find(close, head_end);
  if (stop >= end) return false;
  *inner = xml.substr(head_end + 1, stop - head_end - 1);
  pos = stop + close.size();
  return true;
}

}  // namespace

TextCatalogue TextCatalogue::FromTs(std::string_view xml) {
  TextCatalogue catalogue;
  std::size_t pos = 0;
  std::string_view context;
  while (Element(xml, "context", pos, xml.size(), &context)) {
    std::size_t at = 0;
    std::string_view name, message;
    if (!Element(context, "name", at, context.size(), &name)) continue;
    const std::string context_name = Unescape(name);
    while (Element(context, "message", at, context.size(), &message)) {
      std::size_t m = 0;
      std::string_view source, translation, attributes;
      if (!Element(message, "source", m, message.size(), &source)) continue;
      if (!Element(message, "translation", m, message.size(), &translation, &attributes)) continue;
      // Unfinished and obsolete entries are not used: the text stays as written.
      if (translation.empty() || attributes.find("type=") != std::string_view::npos) continue;
      if (translation.find('<') != std::string_view::npos) {
        // A text with a count: its forms, every one filled in.
        std::vector<std::string> forms;
        std::size_t f = 0;
        std::string_view form;
        while (Element(translation, "numerusform", f, translation.size(), &form)) forms.push_back(Unescape(form));
        bool complete = !forms.empty();
        for (const std::string& one : forms) complete = complete && !one.empty();
        if (complete) catalogue.counted_[{context_name, Unescape(source)}] = std::move(forms);
        continue;
      }
      catalogue.texts_[{context_name, Unescape(source)}] = Unescape(translation);
    }
  }
  return catalogue;
}

const std::string* TextCatalogue::Find(std::string_view context, std::string_view text) const {
  auto it = texts_.find({std::string(context), std::string(text)});
  return it == texts_.end() ? nullptr : &it->second;
}

std::optional<std::string> TextCatalogue::FindCount(std::string_view context, std::string_view text, int n) const {
  auto it = counted_.find({std::string(context), std::string(text)});
  if (it == counted_.end()) return std::nullopt;
  const std::vector<std::string>& forms = it->second;
  return WithCount(forms[n == 1 || forms.size() == 1 ? 0 : 1], n);
}

const TextCatalogue& EnglishCatalogue() {
  static const TextCatalogue catalogue =
      TextCatalogue::FromTs(std::string_view(reinterpret_cast<const char*>(kEnglishTs), kEnglishTsSize));
  return catalogue;
}

}  // namespace kavir::lang
