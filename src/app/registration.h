#pragma once
// "RegServer" and "UnregServer": an entry in the system's program menu that
// starts the program in its program directory. A freedesktop system gets a
// desktop entry, Windows a Start-menu shortcut; macOS has no such menu (the
// application bundle is the entry), so there the switches do nothing.
#include <QString>

namespace kavir::app {

// What this platform does; *message says what was done or why it failed.
bool RegisterProgram(const QString& executable, const QString& program_dir, QString* message);
bool UnregisterProgram(QString* message);

// The freedesktop entry (Linux and other Unix systems).

// $XDG_DATA_HOME/applications/kavir.desktop, or ~/.local/share/... .
QString DesktopEntryPath();
// The entry's text for an executable and a program directory.
QString DesktopEntryText(const QString& executable, const QString& program_dir);
// Writes or removes the entry; false with *error (path and reason).
bool RegisterDesktopEntry(const QString& executable, const QString& program_dir, QString* error);
bool UnregisterDesktopEntry(QString* error);

}  // namespace kavir::app
