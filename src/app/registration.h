#pragma once
// "RegServer" and "UnregServer" on a freedesktop system: a desktop entry in
// the user's applications folder that starts the program in its program
// directory.
#include <QString>

namespace kavir::app {

// $XDG_DATA_HOME/applications/kavir.desktop, or ~/.local/share/... .
QString DesktopEntryPath();
// The entry's text for an executable and a program directory.
QString DesktopEntryText(const QString& executable, const QString& program_dir);
// Writes or removes the entry; false with *error (path and reason).
bool RegisterDesktopEntry(const QString& executable, const QString& program_dir, QString* error);
bool UnregisterDesktopEntry(QString* error);

}  // namespace kavir::app
