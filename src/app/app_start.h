#pragma once
// What every start of the program does before the main window exists.
#include <QStringList>

namespace kavir::app {

// Maps "宋体" and the screen's font to an installed CJK face so Chinese
// never shows as boxes, and sets the program's font.
void SetUpFonts();

// Qt's own dialogs (print, preview, page set-up, file, message boxes) in
// Chinese: loads qtbase_zh_CN from Qt's translations folder or from a
// "translations" folder beside the program. False when none was found.
bool InstallQtTranslations();

// The command line as one text, for the registration switch scan.
QString JoinedCommandLine(const QStringList& args);

}  // namespace kavir::app
