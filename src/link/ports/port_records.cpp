#include "port_records.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "ini/translate.h"

namespace kavir {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

struct KnownAdapter {
  const char* vid;
  const char* pid;  // "" for any product of the vendor
  const char* family;
};

// The chips programming cables are built on. A product id beats the vendor.
constexpr KnownAdapter kAdapters[] = {
    {"0403", "6001", "FTDI"},         {"0403", "6010", "FTDI"},         {"0403", "6011", "FTDI"},
    {"0403", "6014", "FTDI"},         {"0403", "6015", "FTDI"},         {"0403", "", "FTDI"},
    {"1a86", "7523", "CH340/CH341"},  {"1a86", "5523", "CH340/CH341"},  {"1a86", "7522", "CH340/CH341"},
    {"1a86", "55d3", "CH343/CH9102"}, {"1a86", "55d4", "CH343/CH9102"}, {"1a86", "", "CH340/CH341"},
    {"10c4", "ea60", "CP210x"},       {"10c4", "ea70", "CP210x"},       {"10c4", "ea71", "CP210x"},
    {"10c4", "", "CP210x"},           {"067b", "2303", "PL2303"},       {"067b", "23a3", "PL2303"},
    {"067b", "23c3", "PL2303"},       {"067b", "23d3", "PL2303"},       {"067b", "", "PL2303"},
    {"0557", "2008", "PL2303"},
};

constexpr struct {
  const char* driver;
  const char* family;
} kDrivers[] = {
    {"ftdi_sio", "FTDI"},       {"ch341", "CH340/CH341"},     {"cp210x", "CP210x"},   {"pl2303", "PL2303"},
    {"cdc_acm", "USB CDC-ACM"}, {"serial8250", "16550 UART"}, {"port", "16550 UART"},
};

std::string Existing(SystemView& system) {
  std::string list;
  for (const PortRecord& p : ListPorts(system, "")) list += (list.empty() ? "" : ", ") + p.device;
  return list.empty() ? TrText("Ports", "本机没有找到串口。") : ArgText(TrText("Ports", "本机的串口: %1。"), {list});
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsTtyDevice(SystemView& system, const DeviceStat& st) {
  if (st.major >= 136 && st.major <= 143) return true;  // pseudo-terminals
  const std::string subsystem =
      system.Resolve("/sys/dev/char/" + std::to_string(st.major) + ":" + std::to_string(st.minor) + "/subsystem");
  // Without sysfs nothing can be said against it.
  return subsystem.empty() || BaseName(subsystem) == "tty";
}

std::string PermissionText(SystemView& system, const std::string& device, const DeviceStat& st) {
  const std::string group = system.GroupName(st.gid);
  const std::string user = system.UserName();
  if ((st.mode & 060) == 060 && !group.empty() && group != "root") {
    return ArgText(TrText("Ports",
                          "没有权限读写串口 %1 (它属于 %2 组)。请运行: sudo usermod -aG %2 %3 ，"
                          "然后注销并重新登录 (新的登录才会生效)。"),
                   {ShownDevice(device), group, user.empty() ? "$USER" : user});
  }
  // The group may not write it: joining it would not help.
  const std::string rule = "KERNEL==\"" + BaseName(device) + "\", GROUP=\"dialout\", MODE=\"0660\"";
  if (st.uid == 0)
    return ArgText(TrText("Ports",
                          "没有权限读写串口 %1 (只有 root 可以读写)。请让管理员用 udev 规则把它交给 dialout 组: "
                          "%2 ，再把用户加入该组并重新登录。"),
                   {ShownDevice(device), rule});
  return ArgText(TrText("Ports",
                        "没有权限读写串口 %1 (只有 其所有者 可以读写)。请让管理员用 udev 规则把它交给 dialout 组: "
                        "%2 ，再把用户加入该组并重新登录。"),
                 {ShownDevice(device), rule});
}

}  // namespace

std::string AdapterFamily(const std::string& vid, const std::string& pid, const std::string& driver) {
  const std::string v = Lower(vid), p = Lower(pid);
  if (!v.empty()) {
    for (const KnownAdapter& a : kAdapters)
      if (v == a.vid && p == a.pid) return a.family;
    for (const KnownAdapter& a : kAdapters)
      if (v == a.vid && *a.pid == '\0') return a.family;
  }
  for (const auto& d : kDrivers)
    if (driver == d.driver) return d.family;
  return {};
}

std::vector<PortRecord> ListPorts(SystemView& system, const std::string& configured_device) {
  std::vector<PortRecord> out;
  for (const std::string& name : system.TtyNames()) {
    const std::string base = "/sys/class/tty/" + name;
    const std::string dev = system.Resolve(base + "/device");
    if (dev.empty()) continue;  // virtual consoles and the like
    // A ttyS entry with no UART behind it reports type 0.
    if (name.rfind("ttyS", 0) == 0 && system.ReadText(base + "/type").value_or("0") == "0") continue;
    PortRecord r;
    r.device = "/dev/" + name;
    r.driver = BaseName(system.Resolve(dev + "/driver"));
    if (auto t = system.ReadText(dev + "/latency_timer")) {
      try {
        r.latency_timer_ms = std::stoi(*t);
      } catch (...) {
      }
    }
    // The USB device is a few levels up: port, interface, device.
    std::string at = dev;
    for (int up = 0; up < 4 && !at.empty(); ++up, at = Parent(at)) {
      if (auto vid = system.ReadText(at + "/idVendor")) {
        r.usb = true;
        r.vid = Lower(*vid);
        r.pid = Lower(system.ReadText(at + "/idProduct").value_or(""));
        r.manufacturer = system.ReadText(at + "/manufacturer").value_or("");
        r.description = system.ReadText(at + "/product").value_or("");
        r.serial = system.ReadText(at + "/serial").value_or("");
        break;
      }
    }
    r.family = AdapterFamily(r.vid, r.pid, r.driver);
    const DeviceStat st = system.Stat(r.device);
    r.may_open = !st.exists || system.MayReadWrite(r.device);
    if (!r.may_open) r.problem = PermissionText(system, r.device, st);
    r.holders = system.Holders(r.device);
    if (r.problem.empty() && !r.holders.empty()) r.problem = InUseText(r.device, r.holders);
    r.configured = !configured_device.empty() && r.device == configured_device;
    out.push_back(std::move(r));
  }
  return out;
}

std::string PortSummary(const PortRecord& p) {
  std::string text = p.family;
  for (const std::string& part : {p.manufacturer, p.description}) {
    if (part.empty() || text.find(part) != std::string::npos) continue;
    text += (text.empty() ? "" : " ") + part;
  }
  std::string ids;
  if (!p.vid.empty()) ids = p.vid + ":" + p.pid;
  if (!p.serial.empty()) ids += (ids.empty() ? "" : ", ") + ArgText(TrText("Ports", "序列号 %1"), {p.serial});
  if (!ids.empty()) text += (text.empty() ? "" : " ") + ("(" + ids + ")");
  return text;
}

std::string HolderText(const std::vector<Holder>& holders) {
  std::string text;
  for (const Holder& h : holders)
    text += (text.empty() ? "" : ", ") +
            ArgText(TrText("Ports", "%1 (进程 %2)"), {h.program.empty() ? "?" : h.program, std::to_string(h.pid)});
  return text;
}

std::string InUseText(const std::string& device, const std::vector<Holder>& holders) {
  if (!holders.empty())
    return ArgText(TrText("Ports", "串口 %1 正被其他程序使用: %2。请先关闭它，再重试。"),
                   {ShownDevice(device), HolderText(holders)});
  return ArgText(
      TrText("Ports", "串口 %1 正被其他程序使用。请关闭正在使用它的程序 (如串口终端、另一个编程软件)，再重试。"),
      {ShownDevice(device)});
}

OpenProblem CheckIsSerialDevice(SystemView& system, const std::string& device) {
  const DeviceStat st = system.Stat(device);
  const std::string shown = ShownDevice(device);
  if (!st.exists)
    return {OpenFailure::Missing, ArgText(TrText("Ports", "串口 %1 不存在。%2请检查编程线是否插好，或选择其他串口。"),
                                          {shown, Existing(system)})};
  if (!st.char_device || !IsTtyDevice(system, st)) return {OpenFailure::NotSerial, NotSerialText(device)};
  // Terminals, but none of them a line to a radio: raw mode on them would
  // take over the user's screen, and ptmx makes a new pseudo-terminal at
  // every open (whoever holds it holds another one).
  if (st.major == 5 && st.minor == 0)
    return {OpenFailure::NotSerial,
            ArgText(TrText("Ports",
                           "%1 是本程序所在的终端 (控制终端)，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。"),
                    {shown})};
  if ((st.major == 5 && st.minor == 1) || (st.major == 4 && st.minor < 64))
    return {OpenFailure::NotSerial,
            ArgText(TrText("Ports", "%1 是系统控制台，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。"), {shown})};
  if (st.major == 5 && st.minor == 2)
    return {OpenFailure::NotSerial,
            ArgText(TrText("Ports",
                           "%1 是用来新建伪终端的设备 (ptmx)，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。"),
                    {shown})};
  return {};
}

OpenProblem CheckBeforeOpen(SystemView& system, const std::string& device) {
  if (OpenProblem p = CheckIsSerialDevice(system, device); p.kind != OpenFailure::None) return p;
  if (!system.MayReadWrite(device))
    return {OpenFailure::Permission, PermissionText(system, device, system.Stat(device))};
  const std::vector<Holder> holders = system.Holders(device);
  if (!holders.empty()) return {OpenFailure::InUse, InUseText(device, holders)};
  return {};
}

std::string NotSerialText(const std::string& device) {
  return ArgText(TrText("Ports", "%1 不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。"), {ShownDevice(device)});
}

std::string ShownDevice(const std::string& device) {
  if (std::none_of(device.begin(), device.end(), [](char c) { return IsControl(c); })) return device;
  std::string out = "\"";
  for (char c : device) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (IsControl(c)) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
          out += hex;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

OpenProblem ExplainOpenFailure(SystemView& system, const std::string& device, OpenFailure hint,
                               const std::string& system_text) {
  OpenProblem p = CheckBeforeOpen(system, device);
  if (p.kind != OpenFailure::None) return p;
  if (hint == OpenFailure::InUse) return {OpenFailure::InUse, InUseText(device, {})};
  if (hint == OpenFailure::Missing)
    return {OpenFailure::Missing, ArgText(TrText("Ports", "串口 %1 不存在。%2请检查编程线是否插好，或选择其他串口。"),
                                          {ShownDevice(device), ""})};
  return {OpenFailure::Other, ArgText(TrText("Ports", "无法打开串口 %1: %2"), {ShownDevice(device), system_text})};
}

std::vector<GrabbingService> GrabbingServices(SystemView& system, const PortRecord* port) {
  const std::vector<std::string> running = system.RunningPrograms();
  auto is_running = [&](const std::string& name) {
    return std::find(running.begin(), running.end(), name) != running.end();
  };
  const std::string vid = port && !port->vid.empty() ? port->vid : "1a86";
  const std::string pid = port && !port->pid.empty() ? port->pid : "7523";
  std::vector<GrabbingService> out;
  if (is_running("ModemManager") || system.Exists("/usr/sbin/ModemManager"))
    out.push_back({"ModemManager", is_running("ModemManager"),
                   ArgText(TrText("Ports",
                                  "在 /etc/udev/rules.d/99-kavir-cable.rules 中写入 %1 ，"
                                  "然后运行 sudo udevadm control --reload-rules 并重新插入编程线"),
                           {"ATTRS{idVendor}==\"" + vid + "\", ATTRS{idProduct}==\"" + pid +
                            "\", ENV{ID_MM_DEVICE_IGNORE}=\"1\""})});
  if (is_running("brltty") || system.Exists("/usr/bin/brltty") || system.Exists("/bin/brltty"))
    out.push_back({"brltty", is_running("brltty"),
                   TrText("Ports",
                          "它会占用 CH340 等常见芯片的编程线。不用盲文显示器时运行 sudo ln -s /dev/null "
                          "/etc/udev/rules.d/85-brltty.rules (屏蔽它的 udev 规则)，然后重新插入编程线")});
  return out;
}

}  // namespace kavir
