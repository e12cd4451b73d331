#include "registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kavir::app {
namespace {

// Exec= quoting of the desktop entry format: quote, and escape \ " ` $.
QString QuoteExec(const QString& arg) {
  QString out;
  for (QChar c : arg) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
      out += QLatin1Char('\\');
    out += c;
  }
  return QLatin1Char('"') + out + QLatin1Char('"');
}

}  // namespace

QString DesktopEntryPath() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.local/share");
  return base + QStringLiteral("/applications/kavir.desktop");
}

QString DesktopEntryText(const QString& executable, const QString& program_dir) {
  // Path= is read literally; a line break would end the key early.
  QString dir = program_dir;
  dir.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Version=1.0\n"
             "Name=KAVIR\n"
             "Comment=16 信道手持对讲机编程软件\n"
             "Exec=%1\n"
             "Path=%2\n"
             "Terminal=false\n"
             "Categories=Utility;HamRadio;\n")
      .arg(QuoteExec(executable), dir);
}

bool RegisterDesktopEntry(const QString& executable, const QString& program_dir, QString* error) {
  const QString path = DesktopEntryPath();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    *error = QStringLiteral("%1: cannot create the folder").arg(QFileInfo(path).absolutePath());
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  file.write(DesktopEntryText(executable, program_dir).toUtf8());
  if (!file.commit()) {
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  return true;
}

bool UnregisterDesktopEntry(QString* error) {
  const QString path = DesktopEntryPath();
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.remove()) {
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  return true;
}

bool RegisterProgram(const QString& executable, const QString& program_dir, QString* message) {
  if (!RegisterDesktopEntry(executable, program_dir, message)) return false;
  *message = QStringLiteral("desktop entry written: ") + DesktopEntryPath();
  return true;
}

bool UnregisterProgram(QString* message) {
  if (!UnregisterDesktopEntry(message)) return false;
  *message = QStringLiteral("desktop entry removed: ") + DesktopEntryPath();
  return true;
}

}  // namespace kavir::app
