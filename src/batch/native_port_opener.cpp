#include "native_port_opener.h"

#include "link/native/native_transport.h"

namespace kavir {

PortOpener NativePortOpener(LineSettings settings) {
  return [settings](const BatchPort&) {
    return PortIo{std::make_unique<NativeSerialTransport>(settings), std::make_unique<SteadyClock>()};
  };
}

}  // namespace kavir
