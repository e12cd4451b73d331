#include "lang/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <memory>
#include <vector>

#include "profile/ini_document.h"
#include "profile/translate.h"

namespace kavir::lang {
namespace {

struct State {
  bool english = false;
  OptionTexts options;
  std::vector<std::unique_ptr<QTranslator>> installed;
};

State& state() {
  static State s;
  return s;
}

std::string Translate(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

// Qt's own dialogs in Chinese: Qt's translations folder, or a "translations"
// folder beside the program.
void LoadQtChinese(std::vector<std::unique_ptr<QTranslator>>& out) {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
  for (const char* catalog : {"qtbase", "qtserialport"}) {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
      if (translator->load(chinese, QString::fromLatin1(catalog), QStringLiteral("_"), folder)) {
        out.push_back(std::move(translator));
        break;
      }
    }
  }
}

}  // namespace

Choice ReadChoice(const std::string& kavir_ini) {
  const IniFile ini(kavir_ini);
  const std::string value = ini.GetString("Language", "Language", "system", 16);
  if (value == "zh") return Choice::Chinese;
  if (value == "en") return Choice::English;
  return Choice::System;
}

IoStatus StoreChoice(const std::string& kavir_ini, Choice choice) {
  IniFile ini(kavir_ini);
  if (!ini.load_status().ok && !ini.load_status().bad_input) return ini.load_status();
  ini.SetString("Language", "Language",
                choice == Choice::Chinese ? "zh" : choice == Choice::English ? "en" : "system");
  return ini.Save();
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
  const QStringList languages = QLocale::system().uiLanguages();
  return (languages.isEmpty() ? QLocale::system().name() : languages.first()).toStdString();
#endif
}

bool IsEnglishChoice(Choice choice) {
  if (choice == Choice::System) return EnglishForLocale(SystemLocaleName());
  return choice == Choice::English;
}

void Apply(bool english, const std::string& program_dir) {
  State& s = state();
  for (auto& t : s.installed) QCoreApplication::removeTranslator(t.get());
  s.installed.clear();
  s.english = english;
  if (english) {
    auto ours = std::make_unique<QTranslator>();
    if (ours->load(QStringLiteral(":/i18n/kavir_en.qm"))) s.installed.push_back(std::move(ours));
    s.options = OptionTexts::Load(OptionTextsFile(program_dir, "en"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  } else {
    LoadQtChinese(s.installed);
    s.options = OptionTexts();
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  }
  for (auto& t : s.installed) QCoreApplication::installTranslator(t.get());
  SetTextTranslator(&Translate);
}

bool English() { return state().english; }

QString ShownOption(const std::string& stored) {
  return QString::fromStdString(state().options.Shown(stored));
}

std::string StoredOption(const QString& shown) { return state().options.Stored(shown.toStdString()); }

const OptionTexts& ShownOptions() { return state().options; }

}  // namespace kavir::lang
