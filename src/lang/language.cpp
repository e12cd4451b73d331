#include "lang/language.h"

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ini/translate.h"

namespace kavir::lang {
namespace {

std::vector<std::unique_ptr<QTranslator>>& installed() {
  static std::vector<std::unique_ptr<QTranslator>> translators;
  return translators;
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
  for (const char* catalog : {"qtbase"}) {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
      if (translator->load(chinese, QString::fromLatin1(catalog), QStringLiteral("_"), folder)) {
        out.push_back(std::move(translator));
        break;
      }
    }
  }
}

std::string TranslateCount(const char* context, const char* text, const char* comment, int n) {
  return QCoreApplication::translate(context, text, comment, n).toStdString();
}

}  // namespace

void Apply(bool english, const std::string& program_dir) {
  auto& translators = installed();
  for (auto& t : translators) QCoreApplication::removeTranslator(t.get());
  translators.clear();
  SetLanguage(english, program_dir);
  if (english) {
    auto ours = std::make_unique<QTranslator>();
    if (ours->load(QStringLiteral(":/i18n/kavir_en.qm"))) translators.push_back(std::move(ours));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  } else {
    LoadQtChinese(translators);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  }
  for (auto& t : translators) QCoreApplication::installTranslator(t.get());
  SetTextTranslator(&Translate);
  SetCountTranslator(&TranslateCount);
}

QString ShownOption(const std::string& stored) { return QString::fromStdString(ShownOptionText(stored)); }

std::string StoredOption(const QString& shown) { return StoredOptionText(shown.toStdString()); }

}  // namespace kavir::lang
