#pragma once
// Every text a user reads is written here in Chinese, the program's own
// language, and marked for the translation tools: KAVIR_TR_NOOP in tables,
// TrText where a text is used. The desktop program and kavir-cli install a
// translator; without one (the core's tests, a build without Qt) a text stays
// as written, so the core needs no catalogue of its own.
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text in a table; TrText(context, text) translates it where shown.
#define KAVIR_TR_NOOP(context, text) text

namespace kavir {

using TextTranslator = std::string (*)(const char* context, const char* text);

// nullptr restores the texts as written.
void SetTextTranslator(TextTranslator translator);
std::string TrText(const char* context, const char* text);

// A text that holds a count as %n, in the form the language gives that
// count ("1 cell", "2 cells"); the translation tools read it as Qt's
// translate() with a count, so comment is nullptr or a literal.
using CountTranslator = std::string (*)(const char* context, const char* text, const char* comment, int n);
void SetCountTranslator(CountTranslator translator);
std::string TrCount(const char* context, const char* text, const char* comment, int n);
// Every "%n" of text replaced by n.
std::string WithCount(std::string_view text, int n);

// pattern with %1 .. %9 replaced by the arguments, in one pass, so an
// argument that holds "%2" is left as it is.
std::string ArgText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace kavir
