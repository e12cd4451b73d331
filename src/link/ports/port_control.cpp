#include "port_control.h"

#if defined(__linux__) || defined(__APPLE__)
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#endif
#if defined(__linux__)
#include <linux/serial.h>
#endif

#include "ini/translate.h"

namespace kavir {

std::string OpenNotes::Text(const ModemLines& lines) const {
  auto level = [](bool high) { return high ? TrText("Ports", "高") : TrText("Ports", "低"); };
  std::string text = "DTR " + level(lines.dtr) + ", RTS " + level(lines.rts);
  if (!lines_set) text += TrText("Ports", " (此串口没有控制线, 未设置)");
  text += low_latency ? TrText("Ports", ", 低延迟模式已开启") : TrText("Ports", ", 驱动不支持低延迟模式");
  return text;
}

OpenNotes PreparePort(PortControl& port, const ModemLines& lines, bool hardware_flow) {
  if (!port.LockExclusive()) return {};
  return SetUpLockedPort(port, lines, hardware_flow);
}

OpenNotes SetUpLockedPort(PortControl& port, const ModemLines& lines, bool hardware_flow) {
  OpenNotes notes;
  notes.locked = true;
  ModemLines wanted = lines;
  if (hardware_flow) wanted.rts = true;  // the driver raises and lowers it
  notes.lines_set = port.SetModemLines(wanted);
  notes.low_latency = port.RequestLowLatency();
  return notes;
}

#if defined(__linux__) || defined(__APPLE__)

bool FdPortControl::LockExclusive() {
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0) return false;
  ioctl(fd_, TIOCEXCL);  // root may still open it; the lock stops our own
  return true;
}

bool FdPortControl::SetModemLines(const ModemLines& lines) {
  int dtr = TIOCM_DTR, rts = TIOCM_RTS;
  return ioctl(fd_, lines.dtr ? TIOCMBIS : TIOCMBIC, &dtr) == 0 &&
         ioctl(fd_, lines.rts ? TIOCMBIS : TIOCMBIC, &rts) == 0;
}

bool FdPortControl::RequestLowLatency() {
#if defined(__linux__)
  serial_struct ss{};
  if (ioctl(fd_, TIOCGSERIAL, &ss) != 0) return false;
  ss.flags |= ASYNC_LOW_LATENCY;
  return ioctl(fd_, TIOCSSERIAL, &ss) == 0;
#else
  return false;
#endif
}

#else

bool FdPortControl::LockExclusive() { return true; }
bool FdPortControl::SetModemLines(const ModemLines&) { return false; }
bool FdPortControl::RequestLowLatency() { return false; }

#endif

}  // namespace kavir
