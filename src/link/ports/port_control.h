#pragma once
// What is asked of a port right after it opens, in one place for every
// serial transport: exclusive use, the modem lines in a known state, and
// low latency from USB adapters that can give it.
#include <string>

namespace kavir {

// The safe modem-line state: DTR raised (cables that draw power from it
// work), RTS low (a radio that keys its transmitter on RTS stays quiet).
// This is also what the radio family's own programs leave the lines at.
struct ModemLines {
  bool dtr = true;
  bool rts = false;
};

class PortControl {
 public:
  virtual ~PortControl() = default;
  // Exclusive use: no other open of the device while we hold it, and an
  // advisory lock that our own programs honour. False when it is taken.
  virtual bool LockExclusive() = 0;
  // False when the line has no modem lines (a pseudo-terminal).
  virtual bool SetModemLines(const ModemLines& lines) = 0;
  // False when the driver refuses (no USB adapter, or no such mode).
  virtual bool RequestLowLatency() = 0;
};

struct OpenNotes {
  bool locked = false;
  bool lines_set = false;
  bool low_latency = false;
  // "DTR 高, RTS 低" and whether the driver took low latency, for the doctor.
  std::string Text(const ModemLines& lines) const;
};

// Locks, sets the modem lines (unless the driver drives RTS itself for
// hardware flow control), asks for low latency. Stops at a refused lock;
// the rest only reports.
OpenNotes PreparePort(PortControl& port, const ModemLines& lines, bool hardware_flow);
// The same after a lock already taken: a transport that must check who else
// holds the port before it changes anything takes the lock itself first.
OpenNotes SetUpLockedPort(PortControl& port, const ModemLines& lines, bool hardware_flow);

// PortControl over a POSIX file descriptor: TIOCEXCL and flock, TIOCMBIS /
// TIOCMBIC, and ASYNC_LOW_LATENCY through TIOCSSERIAL on Linux. Elsewhere
// every request is refused except the lock (Windows opens are exclusive).
class FdPortControl : public PortControl {
 public:
  explicit FdPortControl(int fd) : fd_(fd) {}
  bool LockExclusive() override;
  bool SetModemLines(const ModemLines& lines) override;
  bool RequestLowLatency() override;

 private:
  int fd_;
};

}  // namespace kavir
