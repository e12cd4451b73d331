// kavir-cli ports: every serial port with what the system knows about it.
#include <cstdio>
#include <iostream>

#include "commands.h"
#include "ini/translate.h"
#include "link/link_settings.h"
#include "link/native/native_ports.h"
#include "link/port_device.h"
#include "terminal_text.h"
#include "utf8_text.h"

namespace kavir::cli {

namespace {

// Names from the system may hold any bytes: JSON gets valid UTF-8 only.
std::string Json(const std::string& s) { return JsonString(s); }

void PrintJson(const std::vector<PortRecord>& ports) {
  std::ostream& out = Utf8Out();  // JSON is UTF-8 whatever the terminal
  out << "[";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const PortRecord& p = ports[i];
    out << (i ? ",\n " : "\n ") << "{\"device\": " << Json(p.device) << ", \"description\": " << Json(p.description)
        << ", \"manufacturer\": " << Json(p.manufacturer) << ", \"vid\": " << Json(p.vid)
        << ", \"pid\": " << Json(p.pid) << ", \"serial\": " << Json(p.serial) << ", \"driver\": " << Json(p.driver)
        << ", \"family\": " << Json(p.family) << ", \"usb\": " << (p.usb ? "true" : "false")
        << ", \"may_open\": " << (p.may_open ? "true" : "false") << ", \"holders\": [";
    for (std::size_t h = 0; h < p.holders.size(); ++h)
      out << (h ? ", " : "") << "{\"pid\": " << p.holders[h].pid << ", \"program\": " << Json(p.holders[h].program)
          << "}";
    out << "], \"latency_timer_ms\": "
        << (p.latency_timer_ms ? std::to_string(*p.latency_timer_ms) : std::string("null"))
        << ", \"usable\": " << (p.usable() ? "true" : "false") << ", \"problem\": " << Json(p.problem)
        << ", \"configured\": " << (p.configured ? "true" : "false") << "}";
  }
  out << (ports.empty() ? "]\n" : "\n]\n");
}

void PrintText(const std::vector<PortRecord>& ports) {
  for (const PortRecord& p : ports) {
    std::cout << p.device << (p.configured ? TrText("Ports", "  (KAVIR.ini 所用)") : std::string()) << "\n";
    std::string details;
    auto add = [&](const std::string& label, const std::string& value) {
      if (!value.empty()) details += (details.empty() ? "" : "  ") + label + ": " + value;
    };
    add(TrText("Ports", "适配器"), p.family);
    add(TrText("Ports", "说明"), p.description);
    add(TrText("Ports", "厂商"), p.manufacturer);
    add("USB", p.vid.empty() ? "" : p.vid + ":" + p.pid);
    add(TrText("Ports", "序列号"), p.serial);
    add(TrText("Ports", "驱动"), p.driver);
    if (!details.empty()) std::cout << "  " << details << "\n";
    std::cout << "  "
              << ArgText(TrText("Ports", "可以打开: %1  占用: %2"),
                         {p.may_open ? TrText("Ports", "是") : TrText("Ports", "否"),
                          p.holders.empty() ? TrText("Ports", "无") : HolderText(p.holders)});
    if (p.latency_timer_ms)
      std::cout << "  " << ArgText(TrText("Ports", "延迟计时器: %1 毫秒"), {std::to_string(*p.latency_timer_ms)});
    std::cout << "\n";
    if (!p.usable()) std::cout << "  " << ArgText(TrText("Ports", "不能使用: %1"), {p.problem}) << "\n";
  }
}

}  // namespace

std::string ConfiguredDevice(const ProgramConfig& config) {
  const PortChoice choice = ReadPortChoice(config.ini());
  return choice.device.empty() ? PortDeviceName(choice.port_number) : choice.device;
}

int RunPorts(const CliArgs& args) {
  if (!args.positional.empty()) return UsageError("ports");
  const std::vector<PortRecord> ports =
      NativeAvailablePorts(ConfiguredDevice(ProgramConfig::Read(args.files.kavir_ini)));
  if (args.Flag("json"))
    PrintJson(ports);
  else
    PrintText(ports);
  if (ports.empty())
    std::cerr << "kavir-cli: no serial ports found (a pseudo-terminal is not listed; give its path to --port)\n";
  std::cout.flush();
  return kExitOk;
}

}  // namespace kavir::cli
