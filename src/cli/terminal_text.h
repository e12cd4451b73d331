#pragma once
// The character set kavir-cli prints in. Its texts are UTF-8; a terminal
// whose locale names GBK (GB18030, GB2312) gets them in GBK. Files are
// never touched by this: only standard output and standard error.
#include <ostream>
#include <string>
#include <string_view>

namespace kavir::cli {

// The locale that names the character set: LC_ALL, LC_CTYPE or LANG,
// the first one set.
std::string CharacterLocaleName();
// True when the locale's character set is GBK or one it extends or
// contains (zh_CN.GBK, zh_CN.GB18030, zh_CN.GB2312, zh_CN.eucCN).
bool LocaleWantsGbk(std::string_view locale);

// From now on std::cout, std::cerr, PrintOut and PrintErr convert to GBK.
void PrintInGbk();

// Text on standard output or error in one piece (lines from several
// threads never mix), converted as std::cout and std::cerr are.
void PrintOut(const std::string& text);
void PrintErr(const std::string& text);
// printf's formatting, into a string.
std::string Printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Standard output left in UTF-8 whatever the terminal: JSON is UTF-8.
std::ostream& Utf8Out();

}  // namespace kavir::cli
