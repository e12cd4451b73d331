// The link operations: frames, buffers, waits, delays and the port choice.
#include <gtest/gtest.h>

#include "link/radio_texts.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

class PortDialogFake : public PortDialogUi {
 public:
  bool ok = true;
  int shown_port = 0;
  std::string shown_device;
  int choose_port = 0;  // 0: keep what is shown
  std::string choose_device;
  bool RunPortDialog(PortSettings& s) override {
    shown_port = s.port_number;
    shown_device = s.device;
    if (choose_port) s.port_number = choose_port;
    s.device = choose_device;
    return ok;
  }
};

TEST(LinkFrames, CommandAddsItsLastByteAndTextDoesNot) {
  Rig rig;
  rig.radio.ClearSent();
  rig.link.SendCommand(5, "PGood", 0x01);
  rig.link.SendText(5, "PGood");
  rig.link.SendCommand(6, "PWrite", 0x00);
  EXPECT_EQ(rig.Sent(), (std::vector<Bytes>{B("PGood", 1), B("PGood"), B("PWrite", 0)}));
  EXPECT_EQ(rig.link.transmit_count, 7u);
  rig.link.ClearTransmitBuffer();
  EXPECT_EQ(rig.link.transmit_count, 0u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(rig.link.transmit_buffer[i], 0) << i;
}

TEST(LinkFrames, OversizedCommandStaysInsideTheTransmitBuffer) {
  Rig rig;
  std::string long_text(200, 'x');
  rig.link.SendCommand(200, long_text.c_str(), 0x7E);
  EXPECT_EQ(rig.link.transmit_count, kTransmitBufferSize);
  EXPECT_EQ(rig.link.transmit_buffer[kTransmitBufferSize - 1], 0x7E);
}

TEST(LinkReceiveBuffer, CountsEveryByteButStoresOnly512) {
  Rig rig;
  Bytes flood(600);
  for (int i = 0; i < 600; ++i) flood[i] = static_cast<std::uint8_t>(i % 251 + 1);
  rig.radio.InjectIncoming(flood);
  rig.link.PollInput();
  EXPECT_EQ(rig.link.receive_count, 600u);
  EXPECT_EQ(rig.link.receive_buffer[511], flood[511]);
  EXPECT_EQ(rig.link.receive_buffer[0], flood[0]);
  // More arriving after the buffer is full changes no stored byte.
  rig.link.AppendReceived(3, flood.data() + 100);
  EXPECT_EQ(rig.link.receive_count, 603u);
  EXPECT_EQ(rig.link.receive_buffer[0], flood[0]);
  rig.link.ClearReceiveBuffer();
  EXPECT_EQ(rig.link.receive_count, 0u);
  for (std::size_t i = 0; i < kReceiveBufferSize; ++i) ASSERT_EQ(rig.link.receive_buffer[i], 0) << i;
}

TEST(LinkReceiveBuffer, AppendAfterAPartialFillContinuesWhereItStopped) {
  Rig rig;
  Bytes a(510, 0x11), b(5, 0x22);
  rig.link.AppendReceived(510, a.data());
  rig.link.AppendReceived(5, b.data());
  EXPECT_EQ(rig.link.receive_count, 515u);
  EXPECT_EQ(rig.link.receive_buffer[509], 0x11);
  EXPECT_EQ(rig.link.receive_buffer[510], 0x22);
  EXPECT_EQ(rig.link.receive_buffer[511], 0x22);
}

TEST(LinkWait, ReturnsAsSoonAsTheWantedBytesAreIn) {
  Rig rig;
  rig.radio.latency_ms = 7;
  rig.link.SendCommand(5, "PRead", 0x00);  // the radio answers 20 bytes
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 80, "w", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 7);
  EXPECT_EQ(rig.link.receive_count, 20u);
}

TEST(LinkWait, SilentLineRunsExactlyToTheTimeOutAndShowsProgress) {
  Rig rig;
  rig.ui.events.clear();
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 80, "txt", 49, 3);
  EXPECT_EQ(rig.clock.NowMs() - t0, 80);
  EXPECT_EQ(rig.ui.events, (std::vector<std::string>{"begin:txt:49:3", "end"}));
}

TEST(LinkWait, LongTimeOutsWorkAsWritten) {
  Rig rig;
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 1500, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 1500);
  t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 32000, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 32000);
}

TEST(LinkWait, ZeroOrNegativeTimeOutIsOnePoll) {
  Rig rig;
  rig.radio.InjectIncoming(Bytes(3, 0x41));
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 0, "t", 49, 1);
  EXPECT_EQ(rig.link.receive_count, 3u);
  rig.link.WaitForBytes(20, -5, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs(), t0);
}

TEST(LinkWait, CountsOnlyBytesArrivingAfterTheCall) {
  Rig rig;
  rig.radio.InjectIncoming(Bytes(30, 0x41));
  rig.link.PollInput();
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 80, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 80);  // the 30 old bytes do not count
}

TEST(LinkWait, IdleHookRunsDuringALongWaitAndTheWaitStillEnds) {
  Rig rig;
  int calls = 0;
  rig.link.idle_hook = [&] { ++calls; };
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(20, 200, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 200);
  EXPECT_EQ(calls, 10);  // every 20 ms
}

TEST(LinkWait, ClosedPortStillWaitsOutTheTimeOut) {
  Rig rig;
  rig.radio.Close();
  rig.radio.refuse_open = "unplugged";
  std::int64_t t0 = rig.clock.NowMs();
  rig.link.WaitForBytes(5, 80, "t", 49, 1);
  EXPECT_EQ(rig.clock.NowMs() - t0, 80);
}

TEST(LinkSpinDelay, StepsThroughTheFiveCursorShapes) {
  Rig rig;
  rig.link.SpinDelay(0);
  EXPECT_EQ(rig.ui.cursors, std::vector<Cursor>{Cursor::SizeNWSE});
  EXPECT_EQ(rig.clock.slept_ms(), 1);
  rig.ui.cursors.clear();
  rig.link.SpinDelay(9);
  ASSERT_EQ(rig.ui.cursors.size(), 10u);
  EXPECT_EQ(rig.ui.cursors[1], Cursor::SizeNS);
  EXPECT_EQ(rig.ui.cursors[2], Cursor::SizeNESW);
  EXPECT_EQ(rig.ui.cursors[3], Cursor::SizeWE);
  EXPECT_EQ(rig.ui.cursors[4], Cursor::AppStarting);
  EXPECT_EQ(rig.ui.cursors[5], Cursor::SizeNWSE);
  EXPECT_EQ(rig.ui.cursors.back(), Cursor::AppStarting);
  EXPECT_EQ(rig.clock.slept_ms(), 11);
  rig.ui.cursors.clear();
  rig.link.SpinDelay(-1);
  EXPECT_TRUE(rig.ui.cursors.empty());
}

// The start-up port and the port dialog.

void SetComPort(const WorkingFiles& files, const std::string& digit, const std::string& device = {}) {
  IniDocument ini = ReadIniFile(files.kavir_ini);
  ini.SetString("ComPort", "1", digit);
  if (!device.empty()) ini.SetString("ComPort", "Device", device);
  ASSERT_TRUE(WriteIniFile(files.kavir_ini, ini));
}

TEST(LinkPort, StoredDigitOpensThatPortAndTheDialogShowsIt) {
  Rig rig;
  SetComPort(rig.files, "3");
  rig.radio.Close();
  rig.link.OpenStartupPort();
  EXPECT_EQ(rig.radio.last_opened_port(), 3);
  EXPECT_TRUE(rig.radio.IsOpen());
  PortDialogFake dialog;
  dialog.ok = false;
  rig.link.OnPortSettings(dialog);
  EXPECT_EQ(dialog.shown_port, 3);
}

TEST(LinkPort, DigitOutsideTheDialogIsUsedButTheDialogOffersCom1) {
  Rig rig;
  SetComPort(rig.files, "7");
  rig.radio.Close();
  rig.link.OpenStartupPort();
  EXPECT_EQ(rig.radio.last_opened_port(), 7);
  PortDialogFake dialog;
  rig.link.OnPortSettings(dialog);
  EXPECT_EQ(dialog.shown_port, 1);
  EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetString("ComPort", "1", "", 3), "1");
  EXPECT_EQ(rig.radio.last_opened_port(), 1);
}

TEST(LinkPort, OkStoresTheChosenPortAndKeepsTheRestOfKavirIni) {
  Rig rig;
  std::string before_type = ReadIniFile(rig.files.kavir_ini).GetString("Type", "1", "", 20);
  PortDialogFake dialog;
  dialog.choose_port = 4;
  rig.link.OnPortSettings(dialog);
  IniDocument ini = ReadIniFile(rig.files.kavir_ini);
  EXPECT_EQ(ini.GetString("ComPort", "1", "", 3), "4");
  EXPECT_EQ(ini.GetString("Type", "1", "", 20), before_type);
  EXPECT_EQ(ini.GetInt("WaitFor", "Shk", 0), 80);
  EXPECT_EQ(rig.radio.last_opened_port(), 4);
  EXPECT_TRUE(rig.radio.IsOpen());
}

TEST(LinkPort, NamedDeviceWinsAndIsKeptUntilAComButtonIsChosen) {
  Rig rig;
  SetComPort(rig.files, "2", "/dev/pts/9");
  rig.radio.Close();
  rig.link.OpenStartupPort();
  EXPECT_EQ(rig.radio.last_opened_device(), "/dev/pts/9");
  PortDialogFake dialog;
  dialog.choose_device = "/dev/ttyACM0";
  rig.link.OnPortSettings(dialog);
  EXPECT_EQ(dialog.shown_device, "/dev/pts/9");
  EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetString("ComPort", "Device", "", 100), "/dev/ttyACM0");
  dialog.choose_device.clear();
  dialog.choose_port = 2;
  rig.link.OnPortSettings(dialog);
  EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetString("ComPort", "Device", "x", 100), "");
  EXPECT_EQ(rig.radio.last_opened_device(), "");
}

TEST(LinkPort, CancelLeavesThePortClosedUntilTheNextSend) {
  Rig rig;
  SetComPort(rig.files, "2");
  rig.radio.Close();
  rig.link.OpenStartupPort();
  PortDialogFake dialog;
  dialog.ok = false;
  dialog.choose_port = 4;
  rig.link.OnPortSettings(dialog);
  EXPECT_FALSE(rig.radio.IsOpen());
  EXPECT_EQ(ReadIniFile(rig.files.kavir_ini).GetString("ComPort", "1", "", 3), "2");
  rig.link.SendText(5, "PGood");
  EXPECT_TRUE(rig.radio.IsOpen());
  EXPECT_EQ(rig.radio.last_opened_port(), 2);
  EXPECT_EQ(rig.Sent().back(), B("PGood"));
}

TEST(LinkPort, PortThatWillNotOpenIsShownOnceWithItsReason) {
  Rig rig;
  rig.radio.Close();
  rig.radio.refuse_open = "Permission denied";
  rig.ui.errors.clear();
  rig.link.SendText(5, "PGood");
  rig.link.SendText(5, "PGood");
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("virtual COM1"), std::string::npos);
  EXPECT_NE(rig.ui.errors[0].find("Permission denied"), std::string::npos);
  rig.link.ResetOpenErrorReport();
  rig.link.SendText(5, "PGood");
  EXPECT_EQ(rig.ui.errors.size(), 2u);
  rig.radio.refuse_open.clear();
  rig.link.SendText(5, "PGood");
  EXPECT_TRUE(rig.radio.IsOpen());
  EXPECT_TRUE(rig.link.last_open_error().empty());
}

TEST(LinkPort, OpeningDropsWhatTheLineHeld) {
  Rig rig;
  rig.radio.Close();
  rig.radio.InjectIncoming(Bytes(7, 0x55));
  rig.link.OpenPort();
  rig.link.PollInput();
  EXPECT_EQ(rig.link.receive_count, 0u);
}

}  // namespace
}  // namespace kavir::test
