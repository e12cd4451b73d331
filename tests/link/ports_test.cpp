// The port list, the open checks and the doctor over a described machine.
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "link/port_doctor.h"
#include "link/ports/port_control.h"
#include "link/ports/port_records.h"

namespace kavir {
namespace {

// A machine described by its files, links and devices.
class FakeSystem : public SystemView {
 public:
  std::map<std::string, std::string> files, links;
  std::map<std::string, DeviceStat> devices;
  std::set<std::string> denied;
  std::map<std::string, std::vector<Holder>> holders;
  std::vector<std::string> running;

  // A USB adapter as sysfs shows it: tty -> port -> interface -> device.
  void AddUsb(const std::string& tty, const std::string& vid, const std::string& pid, const std::string& driver,
              std::map<std::string, std::string> attrs = {}) {
    const std::string usb = "/sys/devices/pci0/usb1/1-" + tty, port = usb + "/1-1:1.0/" + tty;
    links["/sys/class/tty/" + tty + "/device"] = port;
    links[port + "/driver"] = "/sys/bus/usb-serial/drivers/" + driver;
    files[usb + "/idVendor"] = vid;
    files[usb + "/idProduct"] = pid;
    for (auto& [k, v] : attrs) files[(k == "latency_timer" ? port : usb) + "/" + k] = v;
    devices["/dev/" + tty] = {true, true, 0, 20, 0660, 188, 0};
  }

  std::vector<std::string> TtyNames() override {
    std::vector<std::string> out;
    for (auto& [path, target] : links)
      if (path.rfind("/sys/class/tty/", 0) == 0) out.push_back(path.substr(15, path.rfind('/') - 15));
    return out;
  }
  std::optional<std::string> ReadText(const std::string& p) override {
    auto it = files.find(p);
    return it == files.end() ? std::nullopt : std::optional(it->second);
  }
  std::string Resolve(const std::string& p) override { return links.count(p) ? links[p] : ""; }
  bool Exists(const std::string& p) override { return files.count(p) != 0; }
  DeviceStat Stat(const std::string& d) override { return devices.count(d) ? devices[d] : DeviceStat{}; }
  bool MayReadWrite(const std::string& d) override { return !denied.count(d); }
  std::string GroupName(unsigned gid) override { return gid == 20 ? "dialout" : gid == 5 ? "tty" : "root"; }
  std::string UserName() override { return "ana"; }
  std::vector<Holder> Holders(const std::string& d) override { return holders[d]; }
  std::vector<std::string> RunningPrograms() override { return running; }
};

TEST(Ports, ListingDescribesEachPortWithWhatStandsInItsWay) {
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "0403", "6001", "ftdi_sio",
             {{"manufacturer", "FTDI"}, {"product", "FT232R USB UART"}, {"serial", "A10K"}, {"latency_timer", "16"}});
  sys.AddUsb("ttyUSB1", "1A86", "7523", "ch341", {{"product", "USB Serial"}});
  sys.AddUsb("ttyACM0", "2e8a", "000a", "cdc_acm");
  sys.links["/sys/class/tty/ttyS0/device"] = "/sys/devices/pnp0/00:05";
  sys.files["/sys/class/tty/ttyS0/type"] = "4";
  sys.links["/sys/class/tty/ttyS1/device"] = "/sys/devices/platform/serial8250";
  sys.files["/sys/class/tty/ttyS1/type"] = "0";  // no UART behind it
  sys.devices["/dev/ttyS0"] = {true, true, 0, 20, 0660, 4, 64};
  sys.denied.insert("/dev/ttyS0");
  sys.holders["/dev/ttyUSB1"] = {{812, "brltty"}};
  sys.files["/sys/class/tty/tty1/dev"] = "4:1";  // a console: no device link

  const std::vector<PortRecord> ports = ListPorts(sys, "/dev/ttyUSB0");
  ASSERT_EQ(ports.size(), 4u);
  std::map<std::string, PortRecord> by;
  for (const PortRecord& p : ports) by[p.device] = p;
  const PortRecord& ftdi = by["/dev/ttyUSB0"];
  EXPECT_EQ(ftdi.family, "FTDI");
  EXPECT_EQ(PortSummary(ftdi), "FTDI FT232R USB UART (0403:6001, 序列号 A10K)");
  EXPECT_EQ(ftdi.latency_timer_ms, 16);
  EXPECT_TRUE(ftdi.configured);
  EXPECT_TRUE(ftdi.usable());
  EXPECT_TRUE(ftdi.usb);
  const PortRecord& ch = by["/dev/ttyUSB1"];
  EXPECT_EQ(ch.vid, "1a86");
  EXPECT_EQ(ch.pid, "7523");
  EXPECT_EQ(ch.family, "CH340/CH341");
  EXPECT_FALSE(ch.configured);
  EXPECT_EQ(ch.problem, "串口 /dev/ttyUSB1 正被其他程序使用: brltty (进程 812)。请先关闭它，再重试。");
  EXPECT_EQ(by["/dev/ttyACM0"].family, "USB CDC-ACM");
  const PortRecord& uart = by["/dev/ttyS0"];
  EXPECT_FALSE(uart.usb);
  EXPECT_FALSE(uart.may_open);
  EXPECT_FALSE(uart.latency_timer_ms);
  EXPECT_NE(uart.problem.find("sudo usermod -aG dialout ana"), std::string::npos) << uart.problem;
  EXPECT_NE(uart.problem.find("重新登录"), std::string::npos);
}

TEST(Ports, AdapterFamiliesComeFromTheIdThenTheVendorThenTheDriver) {
  const struct {
    const char *vid, *pid, *driver, *family;
  } cases[] = {{"10c4", "ea60", "", "CP210x"},       {"067B", "2303", "", "PL2303"},
               {"1a86", "55d4", "", "CH343/CH9102"}, {"1a86", "ffff", "", "CH340/CH341"},
               {"0557", "2008", "", "PL2303"},       {"dead", "beef", "pl2303", "PL2303"},
               {"", "", "ftdi_sio", "FTDI"},         {"dead", "beef", "", ""}};
  for (const auto& c : cases) EXPECT_EQ(AdapterFamily(c.vid, c.pid, c.driver), c.family) << c.vid << ":" << c.pid;
}

TEST(Ports, AnOpenProblemNamesItsCauseWithTheFix) {
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "0403", "6001", "ftdi_sio");
  sys.devices["/dev/pts/7"] = {true, true, 0, 5, 0620, 136, 7};
  sys.devices["/tmp/file"] = {true, false, 0, 0, 0644, 0, 0};
  sys.devices["/dev/null"] = {true, true, 0, 0, 0666, 1, 3};
  sys.links["/sys/dev/char/1:3/subsystem"] = "/sys/class/mem";
  const struct {
    std::string device;
    OpenFailure hint;
    OpenFailure kind;
    const char* says;
  } cases[] = {
      {"/dev/ttyUSB9", OpenFailure::Other, OpenFailure::Missing,
       "串口 /dev/ttyUSB9 不存在。本机的串口: /dev/ttyUSB0。"},
      {"/tmp/file", OpenFailure::Other, OpenFailure::NotSerial, "/tmp/file 不是串口"},
      {"/dev/null", OpenFailure::Other, OpenFailure::NotSerial, "/dev/null 不是串口"},
      {"/dev/ttyUSB0", OpenFailure::InUse, OpenFailure::InUse, "串口 /dev/ttyUSB0 正被其他程序使用。"},
      {"/dev/ttyUSB0", OpenFailure::Other, OpenFailure::Other, "无法打开串口 /dev/ttyUSB0: boom"},
      // Only the owner may write it: joining its group would not help.
      {"/dev/pts/7", OpenFailure::InUse, OpenFailure::Permission, "GROUP=\"dialout\", MODE=\"0660\""},
  };
  sys.denied.insert("/dev/pts/7");
  for (const auto& c : cases) {
    const OpenProblem p = ExplainOpenFailure(sys, c.device, c.hint, "boom");
    EXPECT_EQ(p.kind, c.kind) << c.device;
    EXPECT_NE(p.text.find(c.says), std::string::npos) << p.text;
  }
}

TEST(Ports, TheCheckBeforeAnOpenNamesTheProgramHoldingThePort) {
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "0403", "6001", "ftdi_sio");
  sys.holders["/dev/ttyUSB0"] = {{99, "minicom"}};
  EXPECT_EQ(CheckBeforeOpen(sys, "/dev/ttyUSB0").text,
            "串口 /dev/ttyUSB0 正被其他程序使用: minicom (进程 99)。请先关闭它，再重试。");
}

// A line break or another control character in a path stays inside its
// message, quoted and escaped; an ordinary path is shown as it is.
TEST(Ports, ControlCharactersInAPathAreShownEscaped) {
  EXPECT_EQ(ShownDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(ShownDevice("/dev/串口 1"), "/dev/串口 1");
  EXPECT_EQ(ShownDevice("/dev/tty\nS0"), "\"/dev/tty\\nS0\"");
  EXPECT_EQ(ShownDevice("a\t\"b\\\x1b\x7f"), "\"a\\t\\\"b\\\\\\x1B\\x7F\"");
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "0403", "6001", "ftdi_sio");
  sys.devices["/dev/pts/7\r"] = {true, true, 0, 5, 0620, 136, 7};
  sys.holders["/dev/pts/7\r"] = {{99, "minicom"}};
  const std::string texts[] = {CheckBeforeOpen(sys, "/dev/tty\nS0").text, CheckBeforeOpen(sys, "/dev/pts/7\r").text,
                               ExplainOpenFailure(sys, "/dev/ttyUSB0\n", OpenFailure::Missing, "boom").text,
                               NotSerialText("/tmp/a\nb"), InUseText("/dev/x\n", {})};
  for (const std::string& text : texts) {
    EXPECT_EQ(text.find_first_of("\n\r"), std::string::npos) << text;
    EXPECT_NE(text.find("\\n"), text.find("\\r")) << text;
  }
  EXPECT_EQ(texts[0].rfind("串口 \"/dev/tty\\nS0\" 不存在。", 0), 0u) << texts[0];
}

// Records what an open asks of the port.
struct RecordingControl : PortControl {
  bool lock = true, lines_ok = true, low_latency = true;
  std::vector<std::string> calls;
  bool LockExclusive() override {
    calls.push_back("lock");
    return lock;
  }
  bool SetModemLines(const ModemLines& l) override {
    calls.push_back(std::string("dtr=") + (l.dtr ? "1" : "0") + " rts=" + (l.rts ? "1" : "0"));
    return lines_ok;
  }
  bool RequestLowLatency() override {
    calls.push_back("low-latency");
    return low_latency;
  }
};

TEST(Ports, AnOpenPreparesThePortAsKavirIniSays) {
  const struct {
    const char *dtr, *rts;
    std::string lines;
  } cases[] = {{nullptr, nullptr, "dtr=1 rts=0"}, {"0", "1", "dtr=0 rts=1"}, {"1", "x", "dtr=1 rts=0"}};
  for (const auto& c : cases) {
    IniDocument ini;
    if (c.dtr) ini.SetString("ComPort", "DTR", c.dtr);
    if (c.rts) ini.SetString("ComPort", "RTS", c.rts);
    std::string warning;
    const LineSettings s = ReadLineSettings(ini, &warning);
    EXPECT_EQ(warning.find("RTS=x") != std::string::npos, c.rts && std::string(c.rts) == "x") << warning;
    RecordingControl port;
    port.low_latency = false;  // a driver that refuses: the open goes on
    const OpenNotes notes = PreparePort(port, s.lines, false);
    EXPECT_EQ(port.calls, (std::vector<std::string>{"lock", c.lines, "low-latency"}));
    EXPECT_TRUE(notes.locked);
    EXPECT_TRUE(notes.lines_set);
    EXPECT_FALSE(notes.low_latency);
    EXPECT_NE(notes.Text(s.lines).find("驱动不支持低延迟模式"), std::string::npos);
  }
  RecordingControl taken;
  taken.lock = false;
  EXPECT_FALSE(PreparePort(taken, {}, false).locked);
  EXPECT_EQ(taken.calls, std::vector<std::string>{"lock"});  // nothing else touched
  RecordingControl flow;
  PreparePort(flow, {true, false}, true);
  EXPECT_EQ(flow.calls[1], "dtr=1 rts=1");  // hardware flow control drives RTS itself
}

// A transport that never opens, for the checks that come before a radio.
struct NoTransport : Transport {
  int opens = 0;
  bool Open(int, const std::string&, std::string* e) override {
    ++opens;
    *e = "refused";
    return false;
  }
  bool IsOpen() const override { return false; }
  void Close() override {}
  std::string DeviceName(int, const std::string& d) const override { return d; }
  void Send(const std::uint8_t*, std::size_t) override {}
  std::vector<std::uint8_t> TakeReceived() override { return {}; }
  void WaitReadable(int) override {}
};

TEST(Ports, TheDoctorSaysWhatIsWrongBeforeTouchingThePort) {
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "1a86", "7523", "ch341", {{"latency_timer", "16"}});
  sys.running = {"bash", "ModemManager"};
  sys.files["/bin/brltty"] = "";
  sys.denied.insert("/dev/ttyUSB0");
  NoTransport transport;
  SteadyClock clock;
  DoctorOptions o;
  o.device = "/dev/ttyUSB0";
  const DoctorReport r = RunDoctor(sys, transport, clock, o);
  const std::string text = r.Text();
  for (const char* line :
       {"OK   串口存在: /dev/ttyUSB0: CH340/CH341 (1a86:7523)",
        "FAIL 权限: 没有权限读写串口 /dev/ttyUSB0 (它属于 dialout 组)", "WARN 抢占串口的服务: ModemManager 正在运行",
        "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"",
        "WARN 抢占串口的服务: brltty 已安装", "WARN 延迟计时器: 16 毫秒", "devices/ttyUSB0/latency_timer",
        "DRIVER==\"ch341\"", "SKIP 电台应答", "结论: /dev/ttyUSB0 上没有电台应答"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  EXPECT_EQ(transport.opens, 0);
  EXPECT_FALSE(r.model);
  // The loopback test not asked for: the command line names its option, the
  // window (which has none) names no option.
  EXPECT_NE(text.find("SKIP 回环: 未检测 (只在短接线的 TX 与 RX、不接电台时检测)"), std::string::npos) << text;
  o.loopback_option = "--loopback";
  EXPECT_NE(
      RunDoctor(sys, transport, clock, o).Text().find("SKIP 回环: 未要求 (--loopback: 短接线的 TX 与 RX，不接电台)"),
      std::string::npos);
}

// Terminals that are no line to a radio are named for what they are, and
// whoever holds the pseudo-terminal multiplexer holds a terminal of its own.
TEST(Ports, TerminalsThatAreNoSerialLineAreSaidToBeNone) {
  FakeSystem sys;
  sys.AddUsb("ttyUSB0", "0403", "6001", "ftdi_sio");
  for (const auto& [name, minor] : {std::pair{"/dev/tty", 0u}, {"/dev/console", 1u}, {"/dev/ptmx", 2u}}) {
    sys.devices[name] = {true, true, 0, 5, 0666, 5, minor};
    sys.links["/sys/dev/char/5:" + std::to_string(minor) + "/subsystem"] = "/sys/class/tty";
  }
  sys.devices["/dev/tty2"] = {true, true, 0, 5, 0620, 4, 2};
  sys.holders["/dev/ptmx"] = {{4242, "apt-get"}};
  const struct {
    const char* device;
    const char* says;
  } cases[] = {{"/dev/tty", "/dev/tty 是本程序所在的终端 (控制终端)，不是串口。"},
               {"/dev/console", "/dev/console 是系统控制台，不是串口。"},
               {"/dev/tty2", "/dev/tty2 是系统控制台，不是串口。"},
               {"/dev/ptmx", "/dev/ptmx 是用来新建伪终端的设备 (ptmx)，不是串口。"}};
  for (const auto& c : cases) {
    for (OpenFailure hint : {OpenFailure::Missing, OpenFailure::InUse}) {
      const OpenProblem p = ExplainOpenFailure(sys, c.device, hint, "boom");
      EXPECT_EQ(p.kind, OpenFailure::NotSerial) << c.device;
      EXPECT_EQ(p.text.rfind(c.says, 0), 0u) << p.text;
    }
    NoTransport transport;
    SteadyClock clock;
    DoctorOptions o;
    o.device = c.device;
    const std::string text = RunDoctor(sys, transport, clock, o).Text();
    EXPECT_NE(text.find(std::string("FAIL 串口存在: ") + c.says), std::string::npos) << text;
    EXPECT_EQ(text.find("apt-get"), std::string::npos) << text;
    EXPECT_EQ(transport.opens, 0);
  }
}

// A cable with TX joined to RX: what goes out comes back, bit for bit or garbled.
struct EchoTransport : NoTransport {
  bool open = false;
  std::uint8_t flip = 0;
  std::vector<std::uint8_t> echoed;
  int sends = 0;
  bool Open(int, const std::string&, std::string*) override { return open = true; }
  bool IsOpen() const override { return open; }
  void Close() override { open = false; }
  void Send(const std::uint8_t* b, std::size_t n) override {
    ++sends;
    for (std::size_t i = 0; i < n; ++i) echoed.push_back(b[i] ^ flip);
  }
  std::vector<std::uint8_t> TakeReceived() override { return std::exchange(echoed, {}); }
};

TEST(Ports, TheDoctorTestsALoopbackCableOnTheLineAsSet) {
  const struct {
    Parity parity;
    FlowControl flow;
    std::uint8_t flip;
    const char *line, *loopback;
  } cases[] = {{Parity::None, FlowControl::None, 0, "INFO 线路设置: 9600 波特, 8N1, 无流控", "OK   回环"},
               {Parity::Even, FlowControl::Hardware, 0x10, "INFO 线路设置: 9600 波特, 8E1, RTS/CTS 流控", "FAIL 回环"},
               // XON/XOFF eats bytes of the binary data: the setting is to blame, not the cable.
               {Parity::Odd, FlowControl::Software, 0,
                "FAIL 线路设置: 9600 波特, 8O1, XON/XOFF 流控。KAVIR.ini 的 [ComPort] FlowControl=XON", "OK   回环"},
               {Parity::None, FlowControl::Software, 0x10, "[ComPort] FlowControl=XON",
                "FAIL 回环: 发出的字节没有原样收回。先改正上面的流控设置"}};
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.AddUsb("ttyUSB0", "1a86", "7523", "ch341", {{"latency_timer", "1"}});
    EchoTransport transport;
    transport.flip = c.flip;
    SteadyClock clock;
    DoctorOptions o;
    o.device = "/dev/ttyUSB0";
    o.line.parity = c.parity, o.line.flow = c.flow;
    o.handshake_ms = 5, o.loopback = true;
    const std::string text = RunDoctor(sys, transport, clock, o).Text();
    for (const char* line : {c.line, c.loopback, "OK   延迟计时器: 1 毫秒"})
      EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    const bool xon = c.flow == FlowControl::Software;
    EXPECT_EQ(text.find("先改正上面的流控设置") != std::string::npos, xon) << text;
    EXPECT_EQ(text.find("编程线插紧") == std::string::npos, xon) << text;
    EXPECT_EQ(transport.sends, 2 + 1);  // the handshake twice (a cable is no radio), then the pattern
  }
}

}  // namespace
}  // namespace kavir
