#include "lang/language_core.h"

#include <cstdlib>
#include <optional>

#include "ini/ini_document.h"
#include "ini/translate.h"
#include "lang/text_catalogue.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kavir::lang {
namespace {

struct State {
  bool english = false;
  OptionTexts options;          // shown: the English texts in English, else none
  OptionTexts english_options;  // always loaded, so English is read in Chinese too
};

State& state() {
  static State s;
  return s;
}

std::string FromBuiltIn(const char* context, const char* text) {
  const std::string* shown = EnglishCatalogue().Find(context, text);
  return shown ? *shown : std::string(text);
}

std::string CountFromBuiltIn(const char* context, const char* text, const char*, int n) {
  std::optional<std::string> shown = EnglishCatalogue().FindCount(context, text, n);
  return shown ? *shown : WithCount(text, n);
}

}  // namespace

Choice ReadChoice(const IniDocument& ini) {
  const std::string value = ini.GetString("Language", "Language", "system", 16);
  if (value == "zh") return Choice::Chinese;
  if (value == "en") return Choice::English;
  return Choice::System;
}

IoStatus StoreChoice(ProgramConfig& config, Choice choice) {
  return config.Change([choice](IniDocument& ini) {
    ini.SetString("Language", "Language",
                  choice == Choice::Chinese   ? "zh"
                  : choice == Choice::English ? "en"
                                              : "system");
  });
}

bool EnglishForLocale(std::string_view name) {
  if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return false;
  return !(name.rfind("zh", 0) == 0);
}

std::string SystemLocaleName() {
#if !defined(_WIN32)
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value && *value) return value;
  }
  return {};
#else
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) == 0)
    return {};
  std::string out;
  for (const wchar_t* c = name; *c; ++c) out += static_cast<char>(*c);  // ASCII: "zh-CN"
  return out;
#endif
}

bool IsEnglishChoice(Choice choice) {
  if (choice == Choice::System) return EnglishForLocale(SystemLocaleName());
  return choice == Choice::English;
}

void SetLanguage(bool english, const std::string& program_dir) {
  State& s = state();
  s.english = english;
  s.english_options = OptionTexts::Load(OptionTextsFile(program_dir, "en"));
  s.options = english ? s.english_options : OptionTexts();
}

void ApplyBuiltIn(bool english, const std::string& program_dir) {
  SetLanguage(english, program_dir);
  SetTextTranslator(english ? &FromBuiltIn : nullptr);
  SetCountTranslator(english ? &CountFromBuiltIn : nullptr);
}

bool English() { return state().english; }

const OptionTexts& ShownOptions() { return state().options; }

std::string ShownOptionText(const std::string& stored) { return state().options.Shown(stored); }

std::string StoredOptionText(const std::string& text) { return state().english_options.Stored(text); }

}  // namespace kavir::lang
