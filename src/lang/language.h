#pragma once
// The language of what the programs show: Chinese, the program's own, or
// English. Chinese texts are the source texts; English comes from the
// embedded catalogue, option texts of the data files from options_en.txt
// beside them.
#include <string>

#include <QString>

#include "lang/language_core.h"

namespace kavir::lang {

// Installs the catalogues of the language (ours for English, Qt's own
// Chinese ones for Chinese), points the core's texts at them and loads the
// option texts from program_dir. Widgets get QEvent::LanguageChange.
void Apply(bool english, const std::string& program_dir);

// An option text as shown, and the stored text a shown one stands for.
QString ShownOption(const std::string& stored);
std::string StoredOption(const QString& shown);

}  // namespace kavir::lang
