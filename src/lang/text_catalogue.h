#pragma once
// A translation catalogue read from a Qt Linguist .ts file, for programs
// built without Qt (no QTranslator, no lrelease): context and source text in,
// translation out.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kavir::lang {

class TextCatalogue {
 public:
  // Messages without a translation are left out; whatever is not a well
  // formed context/message is skipped, never read past the end.
  static TextCatalogue FromTs(std::string_view xml);

  // nullptr when the catalogue has no translation of text in context.
  const std::string* Find(std::string_view context, std::string_view text) const;
  // A text with a count (%n): the English form for n (the first for 1, the
  // second for any other count) with %n replaced; nullopt when the
  // catalogue has no such entry.
  std::optional<std::string> FindCount(std::string_view context, std::string_view text, int n) const;
  std::size_t size() const { return texts_.size() + counted_.size(); }

 private:
  std::map<std::pair<std::string, std::string>, std::string> texts_;
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> counted_;
};

// The English catalogue built into the program from translations/kavir_en.ts.
const TextCatalogue& EnglishCatalogue();

}  // namespace kavir::lang
