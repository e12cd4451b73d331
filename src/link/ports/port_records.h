#pragma once
// The serial ports of this machine as the user needs to know them: which
// adapter, whether this user may open it, who holds it, which one KAVIR.ini
// names. Free of any GUI toolkit: the command line, the desktop dialog and
// any serial transport share it.
#include <optional>
#include <string>
#include <vector>

#include "system_view.h"

namespace kavir {

struct PortRecord {
  std::string device;       // /dev/ttyUSB0, COM3
  std::string description;  // the adapter's product text
  std::string manufacturer;
  std::string vid, pid;  // four hex digits each; "" when not USB
  std::string serial;    // the adapter's serial number
  std::string driver;    // kernel driver (ftdi_sio, ch341, cp210x, ...)
  std::string family;    // "FTDI", "CH340/CH341", ...; "" when unknown
  bool usb = false;
  bool may_open = true;  // this user may open it
  std::string problem;   // why it cannot be used ("" when it can)
  std::vector<Holder> holders;
  std::optional<int> latency_timer_ms;  // USB adapters that have one
  bool configured = false;              // the port KAVIR.ini names

  bool usable() const { return problem.empty(); }
};

// The adapter family of a USB vendor:product (lower-case hex), or, when
// the id is not in the table, of the kernel driver; "" when neither tells.
std::string AdapterFamily(const std::string& vid, const std::string& pid, const std::string& driver);

// Every serial port the view shows, with configured_device marked.
std::vector<PortRecord> ListPorts(SystemView& system, const std::string& configured_device);

// "FTDI FT232R USB UART (0403:6001, 序列号 A10K)" and the like.
std::string PortSummary(const PortRecord& port);
// The holders as "ModemManager (进程 812), ...".
std::string HolderText(const std::vector<Holder>& holders);

// Why a port would not open and what to do, in the user's words.
enum class OpenFailure { None, Missing, Permission, InUse, NotSerial, Other };
struct OpenProblem {
  OpenFailure kind = OpenFailure::None;
  std::string text;  // cause and fix
};
// Whether device can be a serial line at all: missing, or NotSerial for
// what is no terminal and for the terminals that are no line (this
// program's controlling terminal, the console, the pseudo-terminal
// multiplexer). Nothing is opened.
OpenProblem CheckIsSerialDevice(SystemView& system, const std::string& device);
// What stands in the way of opening device before trying: the above, no
// permission, held by another program.
OpenProblem CheckBeforeOpen(SystemView& system, const std::string& device);
// "%1 不是串口..." for a device found to be no terminal once opened.
std::string NotSerialText(const std::string& device);
// A device name as a message shows it: as typed, or quoted with C escapes
// when it holds a control character (a line break would split the message).
std::string ShownDevice(const std::string& device);
// The message for an open that failed. hint: what the transport took the
// failure for (InUse for a busy device or lock, Missing, or Other), used
// where the view cannot tell; the system's own text is the last resort.
OpenProblem ExplainOpenFailure(SystemView& system, const std::string& device, OpenFailure hint,
                               const std::string& system_text);
// The in-use message alone ("串口 X 正被其他程序使用" and the holder).
std::string InUseText(const std::string& device, const std::vector<Holder>& holders);

// Services known to grab new serial adapters that are present here.
struct GrabbingService {
  std::string name;
  bool running = false;
  std::string fix;  // the udev setting that keeps it off the cable
};
std::vector<GrabbingService> GrabbingServices(SystemView& system, const PortRecord* port);

}  // namespace kavir
