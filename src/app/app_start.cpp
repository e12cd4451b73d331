#include "app_start.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace kavir::app {

void SetUpFonts() {
  static const char* const kCjkFaces[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Microsoft YaHei", "PingFang SC",
                                          "SimSun"};
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

QString JoinedCommandLine(const QStringList& args) { return args.join(QLatin1Char(' ')); }

}  // namespace kavir::app
