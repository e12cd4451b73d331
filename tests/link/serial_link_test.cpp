// The link: frames, buffers, waits, delays, the port choice, the line settings.
#include <functional>

#include <gtest/gtest.h>

#include "link/link_settings.h"
#include "link/port_device.h"
#include "radio_rig.h"

namespace kavir::test {
namespace {

TEST(LinkFrames, CommandsGoOutWithinTheTransmitBuffer) {
  Rig rig;
  rig.radio.ClearSent();
  rig.link.SendCommand(5, "PGood", 0x01), rig.link.SendText(5, "PGood"), rig.link.SendCommand(6, "PWrite", 0x00);
  EXPECT_EQ(rig.Sent(), (std::vector<Bytes>{B("PGood", 1), B("PGood"), B("PWrite", 0)}));
  EXPECT_EQ(rig.link.transmit_count, 7u);
  rig.link.ClearTransmitBuffer();
  EXPECT_EQ(rig.link.transmit_count, 0u);
  EXPECT_EQ(rig.link.transmit_buffer[0], 0);
  EXPECT_EQ(rig.link.transmit_buffer[6], 0);
  rig.link.SendCommand(200, std::string(200, 'x').c_str(), 0x7E);
  EXPECT_EQ(rig.link.transmit_count, kTransmitBufferSize);
  EXPECT_EQ(rig.link.transmit_buffer[kTransmitBufferSize - 1], 0x7E);
}

// Every byte is counted, 512 are stored.
TEST(LinkFrames, TheReceiveBufferStores512OfTheBytesItCounts) {
  Rig rx;
  Bytes flood(600, 0x22), a(510, 0x11);
  flood[1] = 0x33;
  rx.link.AppendReceived(510, a.data());
  rx.radio.InjectIncoming(flood);
  rx.link.PollInput();
  EXPECT_EQ(rx.link.receive_count, 1110u);
  EXPECT_EQ(Bytes(rx.link.receive_buffer.begin() + 509, rx.link.receive_buffer.end()),
            (Bytes{0x11, flood[0], flood[1]}));
  rx.link.ClearReceiveBuffer();
  EXPECT_EQ(rx.link.receive_count, 0u);
  EXPECT_EQ(rx.link.receive_buffer[0], 0);
  EXPECT_EQ(rx.link.receive_buffer[511], 0);
}

TEST(LinkWait, EndsWhenTheBytesAreInOrAtTheTimeOut) {
  struct Case {
    const char* what;
    std::function<void(Rig&)> before;
    int want, timeout;
    std::int64_t waited;
    std::size_t count;
  } cases[] = {
      {"answer after 7 ms", [](Rig& r) { r.radio.latency_ms = 7, r.link.SendCommand(5, "PRead", 0x00); }, 20, 80, 7,
       20},
      {"silent line", [](Rig&) {}, 20, 80, 80, 0},
      {"longer than 16 bits of ms", [](Rig&) {}, 20, 70000, 70000, 0},
      {"zero is one poll", [](Rig& r) { r.radio.InjectIncoming(Bytes(3, 0x41)); }, 20, 0, 0, 3},
      {"negative is one poll", [](Rig&) {}, 20, -5, 0, 0},
      {"old bytes do not count", [](Rig& r) { r.radio.InjectIncoming(Bytes(30, 0x41)), r.link.PollInput(); }, 20, 80,
       80, 30},
      {"closed port", [](Rig& r) { r.radio.Close(), r.radio.refuse_open = "unplugged"; }, 5, 80, 80, 0},
  };
  for (const Case& c : cases) {
    Rig rig;
    c.before(rig);
    rig.ui.progress.clear();
    const std::int64_t t0 = rig.clock.NowMs();
    rig.link.WaitForBytes(c.want, c.timeout, "txt", 49, 3);
    EXPECT_EQ(rig.clock.NowMs() - t0, c.waited) << c.what;
    EXPECT_EQ(std::size_t{rig.link.receive_count}, c.count) << c.what;
    EXPECT_EQ(rig.ui.progress, (std::vector<std::string>{"begin:txt:49:3", "end"})) << c.what;
  }
}

// A delay runs the idle hook at once and every 20 ms after, so the window
// stays live and a Cancel is seen within one slice, however short the delay.
TEST(LinkWait, ADelayRunsTheIdleHookEveryTwentyMilliseconds) {
  Rig rig;
  int calls = 0;
  rig.link.idle_hook = [&] { ++calls; };
  for (auto [ms, expected] : {std::pair{0, 1}, {19, 1}, {20, 2}, {60, 4}}) {
    calls = 0;
    rig.link.SpinDelay(ms);
    EXPECT_EQ(calls, expected) << ms;
  }
}

class PortDialogFake : public PortDialogUi {
 public:
  bool ok = true;
  int choose_port = 0;  // 0: keep what is shown
  std::string choose_device;
  std::function<void(PortSettings&)> choose;  // instead of the two above
  PortSettings shown;
  bool RunPortDialog(PortSettings& s) override {
    if (shown = s; choose) return choose(s), ok;
    if (choose_port) s.port_number = choose_port;
    return s.device = choose_device, ok;
  }
};

void SetComPort(const WorkingFiles& files, const std::string& digit, const std::string& device = {}) {
  IniDocument ini = ReadIniFile(files.kavir_ini);
  ini.SetString("ComPort", "1", digit);
  if (!device.empty()) ini.SetString("ComPort", "Device", device);
  ASSERT_TRUE(WriteIniFile(files.kavir_ini, ini));
}
std::string ComPort(const Rig& rig, const char* key) {
  return ReadIniFile(rig.files.kavir_ini).GetString("ComPort", key, "", 100);
}

// device: in KAVIR.ini; new_device: chosen in the dialog, where a COM button clears it.
TEST(LinkPort, ThePortComesFromKavirIniOrTheDialog) {
  struct Case {
    const char *digit, *device;
    int opened, shown, choose;
    bool ok;
    const char* stored;
    int reopened;
    const char* new_device = "";
  } cases[] = {
      {"3", "", 3, 3, 0, false, "3", 3},
      {"7", "", 7, 1, 0, true, "1", 1},  // outside the dialog: used, but the dialog offers COM1
      {"1", "", 1, 1, 4, true, "4", 4},
      {"2", "", 2, 2, 4, false, "2", 2},  // Cancel: closed until the next send, which opens it again
      {"2", "/dev/pts/9", 2, 2, 0, true, "2", 2, "/dev/ttyACM0"},  // the named device wins
      {"2", "/dev/pts/9", 2, 2, 2, true, "2", 2},
      {"2", "", 2, 2, 0, true, "2", 2, "/dev/ttyACM0"},  // a device named for the first time is kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.digit) + c.device + c.new_device);
    Rig rig;
    SetComPort(rig.files, c.digit, c.device);
    ProgramConfig config = ProgramConfig::Read(rig.files.kavir_ini);
    rig.radio.Close();
    rig.link.set_config(config);
    rig.link.OpenStartupPort();
    EXPECT_EQ(rig.radio.last_opened_port(), c.opened);
    EXPECT_EQ(rig.radio.last_opened_device(), c.device);
    PortDialogFake dialog;
    dialog.ok = c.ok;
    dialog.choose_port = c.choose;
    dialog.choose_device = c.new_device;
    rig.link.OnPortSettings(dialog, config);
    EXPECT_EQ(rig.radio.IsOpen(), c.ok);
    rig.link.SendText(5, "PGood");
    EXPECT_EQ(dialog.shown.port_number, c.shown);
    EXPECT_EQ(dialog.shown.device, c.device);
    EXPECT_EQ(ComPort(rig, "1"), c.stored);
    EXPECT_EQ(rig.radio.last_opened_port(), c.reopened);
    EXPECT_EQ(rig.Sent().back(), B("PGood"));
    EXPECT_EQ(ComPort(rig, "Device"), c.new_device);
    EXPECT_EQ(rig.radio.last_opened_device(), c.new_device);
    EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetInt("WaitFor", "Shk", 0), 80);  // the rest is kept
  }
}

TEST(LinkPort, APortThatWillNotOpenIsShownOnce) {
  Rig rig;
  rig.radio.Close();
  rig.radio.refuse_open = "Permission denied";
  rig.ui.errors.clear();
  rig.link.OpenStartupPort();  // before the cable is in: the status bar says so
  EXPECT_TRUE(rig.ui.errors.empty());
  EXPECT_NE(rig.ui.status.back().find("Permission denied"), std::string::npos);
  rig.link.SendText(5, "PGood"), rig.link.SendText(5, "PGood");
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("virtual COM1: Permission denied"), std::string::npos) << rig.ui.errors[0];
  rig.link.ResetOpenErrorReport(), rig.link.SendText(5, "PGood");
  EXPECT_EQ(rig.ui.errors.size(), 2u);
  rig.radio.refuse_open.clear();
  rig.link.OpenPort();
  EXPECT_TRUE(rig.link.last_open_error().empty());
}

TEST(LinkPort, OpeningDropsOldBytes) {
  Rig rig;
  rig.radio.Close();
  rig.radio.InjectIncoming(Bytes(7, 0x55));
  rig.link.OpenPort(), rig.link.PollInput();
  EXPECT_TRUE(rig.radio.IsOpen());
  EXPECT_EQ(rig.link.receive_count, 0u);
  rig.radio.Close();  // the same at start-up
  rig.radio.InjectIncoming(Bytes(7, 0x55));
  rig.link.OpenStartupPort(), rig.link.PollInput();
  EXPECT_TRUE(rig.radio.IsOpen());
  EXPECT_EQ(rig.link.receive_count, 0u);
}

// Baud rate and time-outs set in the port dialog come back from KAVIR.ini;
// unusable ones are refused and KAVIR.ini keeps its own.
TEST(LinkPort, DialogSettingsAreStoredOrRefused) {
  struct Case {
    PortSettings chosen;
    bool usable;
  } cases[] = {
      {{4, "/dev/pts/7", 19200, {250, 120, 95}}, true},
      {{1, "COM12", 115200, {1, 1, 1}}, true},
      {{3, "", 4800, {kMaxTimeoutMs, 2000, kMaxTimeoutMs}}, true},
      {{3, "", 0, {80, 80, 80}}, false},
      {{3, "", 49, {80, 80, 80}}, false},
      {{3, "", 50, {80, 80, 80}}, true},
      {{0, "", 9600, {80, 80, 80}}, false},
      {{10, "", 9600, {80, 80, 80}}, false},  // one digit in KAVIR.ini
      {{3, "", 9600, {0, 80, 80}}, false},
      {{3, "", 9600, {80, -5, 80}}, false},
      {{3, "", 9600, {80, 80, 40000}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.baud);
    Rig rig;
    const IniDocument before = ReadIniFile(rig.files.kavir_ini);
    PortDialogFake dialog;
    dialog.choose = [&](PortSettings& s) { s = c.chosen; };
    rig.link.OnPortSettings(dialog, rig.view.config());
    const IniDocument ini = ReadIniFile(rig.files.kavir_ini);
    EXPECT_EQ(ini.GetString("Type", "1", "", 20), before.GetString("Type", "1", "", 20));
    if (!c.usable) {
      EXPECT_EQ(rig.ui.errors.size(), 1u);
      EXPECT_EQ(ini.Serialize(), before.Serialize());
      EXPECT_EQ(rig.link.port_number, 1);
      continue;
    }
    EXPECT_TRUE(rig.ui.errors.empty());
    PortDialogFake again;  // the next opening of the dialog shows what was stored
    rig.link.OnPortSettings(again, rig.view.config());
    const PortSettings &b = again.shown, &w = c.chosen;
    EXPECT_EQ(b.port_number, w.port_number);
    EXPECT_EQ(b.device, w.device);
    EXPECT_EQ(b.baud, w.baud);
    EXPECT_EQ(b.timeouts.handshake, w.timeouts.handshake);
    EXPECT_EQ(b.timeouts.receive, w.timeouts.receive);
    EXPECT_EQ(b.timeouts.transmit, w.timeouts.transmit);
  }
  // Without KAVIR.ini the port chosen is used, but nothing is saved, and the user is told.
  Rig rig;
  std::filesystem::remove(PathFromUtf8(rig.files.kavir_ini));
  PortDialogFake dialog;
  dialog.choose_port = 2;
  rig.link.OnPortSettings(dialog, rig.view.config());
  EXPECT_EQ(rig.link.port_number, 2);
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("串口设置未能保存"), std::string::npos) << rig.ui.errors[0];
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(rig.files.kavir_ini)));
}

TEST(LinkSettings, WaitsComeFromKavirIniWithinTheirLimits) {
  const IniDocument empty;
  const auto all = [](const Timeouts& t) { return std::vector<int>({t.handshake, t.receive, t.transmit}); };
  EXPECT_EQ(all(ReadTimeouts(empty)), std::vector<int>({80, 80, 80}));
  std::string warning;  // above the longest wait: capped, not wrapped, and named
  EXPECT_EQ(all(ReadTimeouts(IniDocument::Parse("[WaitFor]\r\nShk=1200\r\nRx=65616\r\nTx=5\r\n"), &warning)),
            std::vector<int>({1200, 32767, 5}));
  EXPECT_NE(warning.find("Rx=65616"), std::string::npos) << warning;
  // No wait, or no number, fails every transfer: the default, and each key named.
  // Anything but a whole number is no number: "1e3" is not 1, "80ms" not 80.
  for (const char* bad : {"Rx=0", "Rx=-5", "Rx=abc", "Rx=", "Rx=1e3", "Rx=80ms", "Rx=0x50", "Rx=8 0", "Rx=+"}) {
    warning.clear();
    const std::string text = std::string("[WaitFor]\r\nShk=0\r\nTx=40\r\n") + bad + "\r\n";
    EXPECT_EQ(all(ReadTimeouts(IniDocument::Parse(text), &warning)), std::vector<int>({80, 80, 40})) << bad;
    EXPECT_NE(warning.find(std::string("[WaitFor] ") + bad), std::string::npos) << warning;
    EXPECT_NE(warning.find("[WaitFor] Shk=0"), std::string::npos) << warning;
    EXPECT_EQ(warning.find("Tx="), std::string::npos) << warning;
  }
  // A number past what an int holds is quoted as written, not as the int's limit.
  for (const char* big : {"Shk=2147483648", "Shk=99999999999999999999999"}) {
    warning.clear();
    EXPECT_EQ(ReadTimeouts(IniDocument::Parse(std::string("[WaitFor]\r\n") + big + "\r\n"), &warning).handshake, 32767);
    EXPECT_NE(warning.find(std::string("[WaitFor] ") + big + " "), std::string::npos) << warning;
  }
  warning.clear();
  EXPECT_EQ(all(ReadTimeouts(IniDocument::Parse("[WaitFor]\r\nShk=+120\r\nRx=32767\r\n"), &warning)),
            std::vector<int>({120, 32767, 80}));
  EXPECT_EQ(warning, "");
}

TEST(LinkSettings, ThePortChoiceComesFromKavirIni) {
  EXPECT_EQ(ReadPortChoice(IniDocument{}).port_number, 1);
  EXPECT_EQ(ReadPortChoice(IniDocument::Parse("[ComPort]\r\n1=34\r\n")).port_number, 3);  // its first character
  const PortChoice p = ReadPortChoice(IniDocument::Parse("[comport]\r\n1=7\r\nDevice=  /dev/pts/4 \r\n"));
  EXPECT_EQ(p.port_number, 7);
  EXPECT_EQ(p.device, "/dev/pts/4");
}

// A write verifies, keeps the radio's own settings and lists the changes unless told not to.
TEST(LinkSettings, WriteSwitchesAreOnUnlessTurnedOff) {
  const auto write_switches = [](const char* text) {
    const IniDocument ini = IniDocument::Parse(text);
    return std::make_tuple(ReadVerifyAfterWrite(ini), ReadKeepRadioBeforeWrite(ini), ReadShowChangesBeforeWrite(ini));
  };
  const auto on = std::make_tuple(true, true, true), off = std::make_tuple(false, false, false);
  EXPECT_EQ(write_switches(""), on);
  EXPECT_EQ(write_switches("[Write]\r\nVerify=0\r\nKeepRadio=0\r\nShowChanges=0\r\n"), off);
  EXPECT_EQ(write_switches("[Write]\r\nVerify=x\r\nKeepRadio=\r\nShowChanges=x\r\n"), on);
  // Seven characters are read.
  EXPECT_EQ(write_switches("[Write]\r\nVerify=0000001\r\nKeepRadio=0000001\r\nShowChanges=0000001\r\n"), on);
}

TEST(LinkSettings, EveryLineSettingIsReadOrNamedAsNonsense) {
  struct Case {
    const char* line;
    int baud, data_bits;
    Parity parity;
    int stop_bits;
    FlowControl flow;
    const char* warning;  // "" for none
  } cases[] = {
      {"", 9600, 8, Parity::None, 1, FlowControl::None, ""},
      {"Baud=4800\r\nDataBits=7\r\nParity=Even\r\nStopBits=2\r\nFlowControl=RTS/CTS", 4800, 7, Parity::Even, 2,
       FlowControl::Hardware, ""},
      {"Parity=Odd\r\nFlowControl=XON/XOFF\r\nDataBits=5", 9600, 5, Parity::Odd, 1, FlowControl::Software, ""},
      {"Parity=N\r\nFlowControl=Soft\r\nBaud=115200", 115200, 8, Parity::None, 1, FlowControl::Software, ""},
      {"FlowControl=Hardware", 9600, 8, Parity::None, 1, FlowControl::Hardware, ""},
      {"FlowControl=none\r\nDataBits=8", 9600, 8, Parity::None, 1, FlowControl::None, ""},
      {"Baud=fast\r\nDataBits=9\r\nParity=M\r\nStopBits=3", 9600, 8, Parity::None, 1, FlowControl::None, "Baud=fast"},
      {"Baud=0\r\nDataBits=4\r\nStopBits=3\r\nFlowControl=maybe", 9600, 8, Parity::None, 1, FlowControl::None,
       "StopBits=3"},
  };
  for (const Case& c : cases) {
    std::string warning;
    const LineSettings s =
        ReadLineSettings(IniDocument::Parse(std::string("[ComPort]\r\n") + c.line + "\r\n"), &warning);
    EXPECT_EQ(s.baud, c.baud) << c.line;
    EXPECT_EQ(s.data_bits, c.data_bits) << c.line;
    EXPECT_EQ(s.parity, c.parity) << c.line;
    EXPECT_EQ(s.stop_bits, c.stop_bits) << c.line;
    EXPECT_EQ(s.flow, c.flow) << c.line;
    EXPECT_EQ(warning.find(c.warning) != std::string::npos, *c.warning || warning.empty()) << warning;
  }
  // Each warning is one text of the program's language, named by its place in KAVIR.ini.
  std::string warning;
  ReadLineSettings(IniDocument::Parse("[ComPort]\r\nBaud=fast\r\nDataBits=9\r\nParity=M\r\nStopBits=3\r\n"
                                      "FlowControl=maybe\r\nDTR=x\r\n"),
                   &warning);
  EXPECT_EQ(warning,
            "KAVIR.ini [ComPort] Baud=fast 不是波特率, 按 9600 使用。; KAVIR.ini [ComPort] DataBits=9 不是 5 到 8, 按 "
            "8 使用。; "
            "KAVIR.ini [ComPort] Parity=M 不是 N、E 或 O, 按 N 使用。; KAVIR.ini [ComPort] StopBits=3 不是 1 或 2, 按 "
            "1 使用。; "
            "KAVIR.ini [ComPort] FlowControl=maybe 不是 None、RTS 或 XON, 按 None 使用。; "
            "KAVIR.ini [ComPort] DTR=x 不是 0 或 1, 按 1 使用。");
}

}  // namespace
}  // namespace kavir::test
