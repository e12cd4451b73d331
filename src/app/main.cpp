// kavir: the desktop programming software.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QScreen>

#include "app_start.h"
#include "ini/atomic_file.h"
#include "kavir_version.h"
#include "lang/language.h"
#include "main_frame.h"
#include "registration.h"
#include "toolbar_icons.h"

int main(int argc, char* argv[]) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("kavir %s\n", KAVIR_VERSION);
    return 0;
  }
  kavir::IgnoreFileSizeSignal();  // a write past a file-size limit is reported, not fatal
  // The program directory is where the program was started, read once.
  kavir::WorkingFiles files = kavir::WorkingFiles::FromCurrentDirectory();

  std::string joined;
  for (int i = 1; i < argc; ++i) {
    joined += ' ';
    joined += argv[i];
  }
  const kavir::RegistrationSwitch reg = kavir::ScanRegistrationSwitch(joined);
  if (reg != kavir::RegistrationSwitch::None) {
    // Registration needs no window (and no display).
    QCoreApplication core(argc, argv);
    QString message;
    const QString exe = QCoreApplication::applicationFilePath();
    const bool ok = reg == kavir::RegistrationSwitch::Register
                        ? kavir::app::RegisterProgram(exe, QString::fromStdString(files.program_dir), &message)
                        : kavir::app::UnregisterProgram(&message);
    std::fprintf(ok ? stdout : stderr, "kavir: %s\n", message.toLocal8Bit().constData());
    return ok ? 0 : 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KAVIR"));
  QApplication::setApplicationVersion(QStringLiteral(KAVIR_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(KAVIR_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kavir"), kavir::app::DrawAppIcon()));
  kavir::app::SetUpFonts();
  // The language chosen under 语言 / Language, or the system's.
  kavir::ProgramConfig config = kavir::ProgramConfig::Read(files.kavir_ini);
  kavir::lang::Apply(kavir::lang::IsEnglishChoice(kavir::lang::ReadChoice(config.ini())), files.program_dir);

  kavir::app::CMainFrame frame(std::move(files), nullptr, nullptr, std::move(config));
  // Without a window manager maximising does nothing: size it first.
  frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  frame.showMaximized();
  frame.Start();
  return app.exec();
}
