#include "qt_port_opener.h"

#include <QEventLoop>

#include "link/qt/qt_serial_transport.h"

namespace kavir {

PortOpener QtPortOpener(LineSettings settings) {
  return [settings](const BatchPort&) {
    // A serial port wants an event dispatcher in its thread, even though
    // the link only ever blocks on it.
    { QEventLoop ensure_dispatcher; }
    return PortIo{std::make_unique<QtSerialTransport>(settings), std::make_unique<SteadyClock>()};
  };
}

}  // namespace kavir
