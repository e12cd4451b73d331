#include "app_start.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kavir::app {

void SetUpFonts() {
  static const char* const kCjkFaces[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                          "Microsoft YaHei", "PingFang SC", "SimSun"};
  const QStringList families = QFontDatabase::families();
  QString face;
  for (const char* f : kCjkFaces) {
    if (families.contains(QString::fromUtf8(f), Qt::CaseInsensitive)) {
      face = QString::fromUtf8(f);
      break;
    }
  }
  if (face.isEmpty()) return;  // the platform's own fallback has to do
  QFont::insertSubstitution(QStringLiteral("宋体"), face);
  QFont::insertSubstitution(QStringLiteral("SimSun"), face);
  QFont::insertSubstitution(QStringLiteral("MS Shell Dlg 2"), face);
  QFont font(face);
  font.setPixelSize(12);
  QApplication::setFont(font);
}

bool InstallQtTranslations() {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  QLocale::setDefault(chinese);
  const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
  bool any = false;
  for (const char* catalog : {"qtbase", "qtserialport"}) {
    auto* translator = new QTranslator(qApp);
    bool loaded = false;
    for (const QString& folder : folders) {
      if (translator->load(chinese, QString::fromLatin1(catalog), QStringLiteral("_"), folder)) {
        loaded = true;
        break;
      }
    }
    if (loaded && QCoreApplication::installTranslator(translator)) {
      any = true;
    } else {
      delete translator;
    }
  }
  return any;
}

QString JoinedCommandLine(const QStringList& args) { return args.join(QLatin1Char(' ')); }

}  // namespace kavir::app
