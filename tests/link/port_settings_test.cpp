// Baud rate and time-outs set in the port dialog, kept in KAVIR.ini, and the
// start-up without a cable.
#include <gtest/gtest.h>

#include "link/link_settings.h"
#include "link/transactions.h"
#include "link_test_support.h"

namespace kavir::test {
namespace {

class SettingsDialogFake : public PortDialogUi {
 public:
  PortSettings shown;
  std::function<void(PortSettings&)> choose;
  bool RunPortDialog(PortSettings& s) override {
    shown = s;
    if (choose) choose(s);
    return true;
  }
};

TEST(PortSettings, WhatTheDialogSetsComesBackFromKavirIni) {
  const PortSettings cases[] = {
      {2, "", 9600, {80, 80, 80}},
      {4, "/dev/pts/7", 19200, {250, 120, 95}},
      {1, "COM12", 115200, {1, 1, 1}},
      {3, "", 4800, {kMaxTimeoutMs, 2000, kMaxTimeoutMs}},
  };
  for (const PortSettings& c : cases) {
    SCOPED_TRACE(c.baud);
    Rig rig;
    const std::string type_before = ReadIniFile(rig.files.kavir_ini).GetString("Type", "1", "", 20);
    SettingsDialogFake dialog;
    dialog.choose = [&](PortSettings& s) { s = c; };
    rig.link.OnPortSettings(dialog);
    EXPECT_TRUE(rig.ui.errors.empty());

    const IniDocument ini = ReadIniFile(rig.files.kavir_ini);
    const PortSettings back = ReadPortSettings(ini);
    EXPECT_EQ(back.port_number, c.port_number);
    EXPECT_EQ(back.device, c.device);
    EXPECT_EQ(back.baud, c.baud);
    EXPECT_EQ(ReadLineSettings(ini).baud, c.baud);
    const Timeouts t = ReadTimeouts(ini);
    EXPECT_EQ(t.handshake, c.timeouts.handshake);
    EXPECT_EQ(t.receive, c.timeouts.receive);
    EXPECT_EQ(t.transmit, c.timeouts.transmit);
    EXPECT_EQ(ini.GetString("Type", "1", "", 20), type_before);

    // The next opening of the dialog shows what was stored.
    SettingsDialogFake again;
    rig.link.OnPortSettings(again);
    EXPECT_EQ(again.shown.baud, c.baud);
    EXPECT_EQ(again.shown.timeouts.receive, c.timeouts.receive);
    EXPECT_EQ(again.shown.device, c.device);
  }
}

TEST(PortSettings, UnusableValuesAreRefusedAndKavirIniKeepsItsOwn) {
  struct Bad {
    int baud, shk, rx, tx;
  };
  const Bad cases[] = {{0, 80, 80, 80},         {9600, 0, 80, 80},  {9600, 80, -5, 80},
                       {9600, 80, 80, 40000},   {-9600, 80, 80, 80}};
  for (const Bad& c : cases) {
    Rig rig;
    const std::string before = ReadIniFile(rig.files.kavir_ini).GetString("WaitFor", "Rx", "", 10);
    SettingsDialogFake dialog;
    dialog.choose = [&](PortSettings& s) {
      s.port_number = 3;
      s.baud = c.baud;
      s.timeouts = {c.shk, c.rx, c.tx};
    };
    rig.link.OnPortSettings(dialog);
    ASSERT_EQ(rig.ui.errors.size(), 1u) << c.baud << " " << c.rx;
    EXPECT_NE(rig.ui.errors[0].find("无效"), std::string::npos) << rig.ui.errors[0];
    const IniDocument ini = ReadIniFile(rig.files.kavir_ini);
    EXPECT_EQ(ini.GetString("ComPort", "1", "", 3), "1");
    EXPECT_EQ(ini.GetString("WaitFor", "Rx", "", 10), before);
    EXPECT_EQ(rig.link.port_number, 1);
  }
}

TEST(StartupPort, MissingPortIsShownInTheStatusBarAndAsAMessageAtTheRead) {
  Rig rig;
  rig.radio.Close();
  rig.radio.refuse_open = "/dev/ttyUSB0: No such file or directory";
  rig.ui.status.clear();
  rig.link.OpenStartupPort();
  EXPECT_TRUE(rig.ui.errors.empty());
  ASSERT_FALSE(rig.ui.status.empty());
  EXPECT_NE(rig.ui.status.back().find("No such file or directory"), std::string::npos);

  rig.ui.answers = {true, false};
  EXPECT_EQ(OnReadRadio(rig.view, rig.link), TransferResult::Failed);
  ASSERT_EQ(rig.ui.errors.size(), 1u);
  EXPECT_NE(rig.ui.errors[0].find("No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace kavir::test
