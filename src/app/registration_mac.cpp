#include "registration.h"

namespace kavir::app {

// macOS lists the application bundle itself; there is nothing to add.
bool RegisterProgram(const QString&, const QString&, QString* message) {
  *message = QStringLiteral("/RegServer does nothing on macOS: drag KAVIR to Applications or the Dock");
  return true;
}

bool UnregisterProgram(QString* message) {
  *message = QStringLiteral("/UnregServer does nothing on macOS");
  return true;
}

}  // namespace kavir::app
