#pragma once
// The language choice without Qt: what kavir-cli needs, and what the desktop
// program's Qt layer (lang/language.h) builds on.
#include <string>
#include <string_view>

#include "ini/ini_document.h"
#include "ini/io_status.h"
#include "setup/option_texts.h"
#include "setup/program_config.h"

namespace kavir::lang {

enum class Choice { System, Chinese, English };

// KAVIR.ini [Language] Language=system|zh|en; anything else follows the system.
Choice ReadChoice(const IniDocument& kavir_ini);
IoStatus StoreChoice(ProgramConfig& config, Choice choice);

// English for a locale that names another language than Chinese (en_US,
// de_DE.UTF-8...); Chinese for a Chinese locale, for C/POSIX and for none.
bool EnglishForLocale(std::string_view locale_name);
// LC_ALL, LC_MESSAGES, LANG, as a C program reads them; on Windows the
// user's interface language (en-US, zh-CN).
std::string SystemLocaleName();
bool IsEnglishChoice(Choice choice);

// Records the language and loads the option texts from program_dir.
void SetLanguage(bool english, const std::string& program_dir);
// SetLanguage, and the core's texts from the English catalogue built into
// the program (or as written, for Chinese).
void ApplyBuiltIn(bool english, const std::string& program_dir);
bool English();
// The option texts of the language shown; empty in Chinese.
const OptionTexts& ShownOptions();
// The one mapping of a stored option text to what every window, the
// clipboard, the compare dialogs and the report show.
std::string ShownOptionText(const std::string& stored);
// The stored text of an option given in either language (a paste, a typed
// text); any other text comes back as it is.
std::string StoredOptionText(const std::string& text);

}  // namespace kavir::lang
