#pragma once
// What every start of the program does before the main window exists.
#include <QStringList>

namespace kavir::app {

// Maps "宋体" and the screen's font to an installed CJK face so Chinese
// never shows as boxes, and sets the program's font.
void SetUpFonts();

// The command line as one text, for the registration switch scan.
QString JoinedCommandLine(const QStringList& args);

}  // namespace kavir::app
