#pragma once
// The language of what the programs show: Chinese, the program's own, or
// English. Chinese texts are the source texts; English comes from the
// embedded catalogue, option texts of the data files from options_en.txt
// beside them.
#include <QString>
#include <string>
#include <string_view>

#include "profile/io_status.h"
#include "setup/option_texts.h"

namespace kavir::lang {

enum class Choice { System, Chinese, English };

// KAVIR.ini [Language] Language=system|zh|en; anything else follows the system.
Choice ReadChoice(const std::string& kavir_ini);
IoStatus StoreChoice(const std::string& kavir_ini, Choice choice);

// English for a locale that names another language than Chinese (en_US,
// de_DE.UTF-8...); Chinese for a Chinese locale, for C/POSIX and for none.
bool EnglishForLocale(std::string_view locale_name);
// LC_ALL, LC_MESSAGES, LANG, as a C program reads them; elsewhere the
// platform's user interface language.
std::string SystemLocaleName();
bool IsEnglishChoice(Choice choice);

// Installs the catalogues of the language (ours for English, Qt's own
// Chinese ones for Chinese), points the core's texts at them and loads the
// option texts from program_dir. Widgets get QEvent::LanguageChange.
void Apply(bool english, const std::string& program_dir);
bool English();

// An option text as shown, and the stored text a shown one stands for.
QString ShownOption(const std::string& stored);
std::string StoredOption(const QString& shown);
const OptionTexts& ShownOptions();

}  // namespace kavir::lang
