#pragma once
// The toolbar's pictures and the program icon, drawn at run time so that no
// image file has to ship with the program.
#include <QIcon>

namespace kavir::app {

enum class ToolIcon { Open, Save, SaveAs, Read, Write, CloseAll, OpenAll, Print, About };

// A 55 x 23 button picture.
QIcon DrawToolIcon(ToolIcon which);
// The program's window icon: a hand-held radio.
QIcon DrawAppIcon();

}  // namespace kavir::app
