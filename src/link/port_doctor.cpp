#include "port_doctor.h"

#include <algorithm>

#include "ini/translate.h"
#include "link/handshake.h"
#include "link/serial_link.h"

namespace kavir {

namespace {

constexpr int kLoopbackWaitMs = 500;

const PortRecord* FindPort(const std::vector<PortRecord>& ports, const std::string& device) {
  for (const PortRecord& p : ports)
    if (p.device == device) return &p;
  return nullptr;
}

std::string LineText(const LineSettings& s) {
  const char parity = s.parity == Parity::Even ? 'E' : s.parity == Parity::Odd ? 'O' : 'N';
  const std::string flow = s.flow == FlowControl::Hardware   ? TrText("Doctor", "RTS/CTS 流控")
                           : s.flow == FlowControl::Software ? TrText("Doctor", "XON/XOFF 流控")
                                                             : TrText("Doctor", "无流控");
  return ArgText(TrText("Doctor", "%1 波特, %2, %3"),
                 {std::to_string(s.baud), std::to_string(s.data_bits) + parity + std::to_string(s.stop_bits), flow});
}

const char* VerdictWord(Verdict v) {
  switch (v) {
    case Verdict::Ok:
      return "OK  ";
    case Verdict::Warn:
      return "WARN";
    case Verdict::Fail:
      return "FAIL";
    case Verdict::Skip:
      return "SKIP";
    default:
      return "INFO";
  }
}

// Bytes sent come back when TX and RX are joined.
DoctorCheck Loopback(Transport& transport, Clock& clock) {
  static const std::uint8_t kPattern[] = {'K', 'A', 'V', 'I', 'R', 0x55, 0xAA, 0x00, 0xFF, 0x0F};
  const std::size_t size = sizeof kPattern;
  transport.TakeReceived();
  transport.Send(kPattern, size);
  std::vector<std::uint8_t> got;
  const std::int64_t end = clock.NowMs() + kLoopbackWaitMs;
  while (got.size() < size && clock.NowMs() < end) {
    transport.WaitReadable(static_cast<int>(std::max<std::int64_t>(1, end - clock.NowMs())));
    std::vector<std::uint8_t> more = transport.TakeReceived();
    got.insert(got.end(), more.begin(), more.end());
  }
  const std::string sent = std::to_string(size), name = TrText("Doctor", "回环");
  if (got.size() >= size && std::equal(kPattern, kPattern + size, got.begin()))
    return {Verdict::Ok, name, ArgText(TrText("Doctor", "发出的 %1 个字节原样收回: 适配器和线的 TX/RX 正常"), {sent})};
  if (got.empty())
    return {Verdict::Fail, name,
            ArgText(TrText("Doctor",
                           "发出 %1 个字节，什么也没收回。请确认线的 TX 与 RX 已短接且没有接电台；"
                           "短接后仍收不回，说明适配器或其驱动有问题"),
                    {sent})};
  return {Verdict::Fail, name,
          ArgText(TrText("Doctor", "发出 %1 个字节，收回 %2 个字节但内容不同: 波特率或线路设置不符，或线上有干扰"),
                  {sent, std::to_string(got.size())})};
}

}  // namespace

ProbeResult ProbeRadio(Transport& transport, Clock& clock, const std::string& device, int timeout_ms) {
  ProbeResult r;
  r.device = device;
  QuietEvents events;
  SerialLink link(transport, clock, events, WorkingFiles{});
  link.device = device;
  link.OpenPort();
  r.opened = transport.IsOpen();
  if (!r.opened) {
    r.open_error = link.last_open_error();
    return r;
  }
  link.ClearReceiveBuffer();
  HandshakeWaits waits;
  waits.timeout_ms = timeout_ms;
  waits.frames = 2;
  SendHandshake(link, "PRead", waits);
  r.model = HandshakeModel(link);
  transport.Close();
  return r;
}

std::vector<ProbeResult> ProbePorts(Transport& transport, Clock& clock, const std::vector<PortRecord>& ports,
                                    int timeout_ms, const std::function<void(const ProbeResult&)>& each) {
  std::vector<ProbeResult> out;
  for (const PortRecord& p : ports) {
    if (!p.usable()) continue;  // never disturb what another program holds
    out.push_back(ProbeRadio(transport, clock, p.device, timeout_ms));
    if (each) each(out.back());
  }
  return out;
}

DoctorReport RunDoctor(SystemView& system, Transport& transport, Clock& clock, const DoctorOptions& o) {
  DoctorReport report;
  report.device = o.device;
  auto add = [&](Verdict v, const char* name, const std::string& detail) {
    report.checks.push_back({v, TrText("Doctor", name), detail});
  };
  const std::vector<PortRecord> ports = ListPorts(system, o.device);
  const PortRecord* port = FindPort(ports, o.device);
  const OpenProblem before = CheckBeforeOpen(system, o.device);
  const std::string shown = ShownDevice(o.device);
  // XON/XOFF takes 0x11 and 0x13 out of the data: this binary protocol
  // cannot pass through it, whatever the cable.
  const bool xon = o.line.flow == FlowControl::Software;

  if (before.kind == OpenFailure::Missing || before.kind == OpenFailure::NotSerial) {
    add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "串口存在"), before.text);
  } else {
    const std::string summary = port ? PortSummary(*port) : std::string();
    add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "串口存在"), shown + (summary.empty() ? "" : ": " + summary));
    if (before.kind == OpenFailure::Permission)
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "权限"), before.text);
    else
      add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "权限"),
          ArgText(TrText("Doctor", "用户 %1 可以读写 %2"), {system.UserName(), shown}));
    const std::vector<Holder> holders = system.Holders(o.device);
    if (holders.empty())
      add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "占用"), TrText("Doctor", "没有其他程序打开它"));
    else
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "占用"), InUseText(o.device, holders));
  }

  const std::vector<GrabbingService> services = GrabbingServices(system, port);
  if (services.empty())
    add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "抢占串口的服务"), TrText("Doctor", "没有发现 ModemManager 或 brltty"));
  for (const GrabbingService& s : services)
    add(Verdict::Warn, KAVIR_TR_NOOP("Doctor", "抢占串口的服务"),
        ArgText(s.running ? TrText("Doctor", "%1 正在运行，可能在插入编程线时占用它。修复: %2")
                          : TrText("Doctor", "%1 已安装，可能在插入编程线时占用它。修复: %2"),
                {s.name, s.fix}));

  if (port && port->latency_timer_ms) {
    const int ms = *port->latency_timer_ms;
    const std::string name = o.device.substr(o.device.rfind('/') + 1);
    if (ms <= 1)
      add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "延迟计时器"),
          ArgText(TrText("Doctor", "%1 毫秒"), {std::to_string(ms)}));
    else
      add(Verdict::Warn, KAVIR_TR_NOOP("Doctor", "延迟计时器"),
          ArgText(
              TrText("Doctor",
                     "%1 毫秒: 每个短应答要多等最多 %1 毫秒 (打开串口时会请求低延迟模式)。"
                     "修复: %2 ；长期有效: udev 规则 %3"),
              {std::to_string(ms), "echo 1 | sudo tee /sys/bus/usb-serial/devices/" + name + "/latency_timer",
               "ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"" +
                   (port->driver.empty() ? std::string("ftdi_sio") : port->driver) + "\", ATTR{latency_timer}=\"1\""}));
  } else {
    add(Verdict::Skip, KAVIR_TR_NOOP("Doctor", "延迟计时器"), TrText("Doctor", "不是带延迟计时器的 USB 适配器"));
  }

  const bool can_open = before.kind == OpenFailure::None;
  std::string open_error;
  if (can_open) {
    transport.Close();
    transport.Open(0, o.device, &open_error);
  }
  const bool opened = can_open && transport.IsOpen();
  if (opened) {
    const std::string notes = transport.OpenNotesText();
    const std::string line = LineText(o.line) + (notes.empty() ? "" : ", " + notes);
    if (xon)
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "线路设置"),
          ArgText(TrText("Doctor",
                         "%1。KAVIR.ini 的 [ComPort] FlowControl=XON 使数据中的 0x11 和 0x13 字节被当作流控字符吞掉，"
                         "电台的二进制数据无法通过: 请把它改为 None (或删除这一行)"),
                  {line}));
    else
      add(Verdict::Info, KAVIR_TR_NOOP("Doctor", "线路设置"), line);
  } else {
    add(can_open ? Verdict::Fail : Verdict::Skip, KAVIR_TR_NOOP("Doctor", "线路设置"),
        can_open ? open_error : TrText("Doctor", "串口打不开，未设置 (见上)"));
  }

  if (opened) {
    transport.Close();
    ProbeResult probe = ProbeRadio(transport, clock, o.device, o.handshake_ms);
    if (probe.model) {
      report.model = probe.model;
      report.model_name = o.model_name ? o.model_name(*probe.model) : std::string();
      add(Verdict::Ok, KAVIR_TR_NOOP("Doctor", "电台应答"),
          ArgText(TrText("Doctor", "读握手得到应答: 型号 %1 (%2)"),
                  {report.model_name.empty() ? "?" : report.model_name, std::to_string(*probe.model)}));
    } else if (!probe.opened) {
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "电台应答"), probe.open_error);
    } else if (xon) {
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "电台应答"),
          ArgText(TrText("Doctor", "读握手发出 2 次，每次等 %1 毫秒，没有应答。先改正上面的流控设置再试"),
                  {std::to_string(o.handshake_ms)}));
    } else {
      add(Verdict::Fail, KAVIR_TR_NOOP("Doctor", "电台应答"),
          ArgText(TrText("Doctor",
                         "读握手发出 2 次，每次等 %1 毫秒，没有应答。"
                         "请确认编程线插紧在电台上、电台已开机，波特率为电台所用 (通常 9600)"),
                  {std::to_string(o.handshake_ms)}));
    }
  } else {
    add(Verdict::Skip, KAVIR_TR_NOOP("Doctor", "电台应答"), TrText("Doctor", "串口打不开，未检测"));
  }

  if (!o.loopback) {
    add(Verdict::Skip, KAVIR_TR_NOOP("Doctor", "回环"),
        o.loopback_option.empty()
            ? TrText("Doctor", "未检测 (只在短接线的 TX 与 RX、不接电台时检测)")
            : ArgText(TrText("Doctor", "未要求 (%1: 短接线的 TX 与 RX，不接电台)"), {o.loopback_option}));
  } else if (report.model) {
    add(Verdict::Skip, KAVIR_TR_NOOP("Doctor", "回环"),
        TrText("Doctor", "电台已应答: 回环只在短接 TX 与 RX、不接电台时检测"));
  } else if (opened && transport.Open(0, o.device, &open_error)) {
    report.checks.push_back(Loopback(transport, clock));
    // Not the adapter's fault: the setting is.
    if (xon && report.checks.back().verdict == Verdict::Fail)
      report.checks.back().detail = TrText("Doctor", "发出的字节没有原样收回。先改正上面的流控设置再试");
    transport.Close();
  } else {
    add(Verdict::Skip, KAVIR_TR_NOOP("Doctor", "回环"), TrText("Doctor", "串口打不开，未检测"));
  }
  return report;
}

std::string DoctorReport::Text() const {
  std::string text;
  for (const DoctorCheck& c : checks)
    text += std::string(VerdictWord(c.verdict)) + " " + c.name + ": " + c.detail + "\n";
  if (model)
    text += ArgText(TrText("Doctor", "结论: 电台在 %1 应答，型号 %2。"),
                    {ShownDevice(device), model_name.empty() ? "?" : model_name}) +
            "\n";
  else
    text += ArgText(TrText("Doctor", "结论: %1 上没有电台应答。请先处理上面标 FAIL 的项目。"), {ShownDevice(device)}) +
            "\n";
  return text;
}

}  // namespace kavir
