// KAVIR.ini's link settings and the device a port number stands for.
#include <gtest/gtest.h>

#include "link/link_settings.h"
#include "link/port_device.h"

namespace kavir {
namespace {

IniDocument Doc(const std::string& text) { return IniDocument::Parse(text); }

TEST(LinkSettings, MissingKeysGiveTheDefaults) {
  IniDocument empty;
  Timeouts t = ReadTimeouts(empty);
  EXPECT_EQ(t.handshake, 80);
  EXPECT_EQ(t.receive, 80);
  EXPECT_EQ(t.transmit, 80);
  PortChoice p = ReadPortChoice(empty);
  EXPECT_EQ(p.port_number, 1);
  EXPECT_TRUE(p.device.empty());
  LineSettings s = ReadLineSettings(empty);
  EXPECT_EQ(s.baud, 9600);
  EXPECT_EQ(s.data_bits, 8);
  EXPECT_EQ(s.parity, Parity::None);
  EXPECT_EQ(s.stop_bits, 1);
  EXPECT_EQ(s.flow, FlowControl::None);
}

TEST(LinkSettings, TimeOutsAboveTheLongestWaitAreCappedAndNamed) {
  std::string warning;
  Timeouts t = ReadTimeouts(Doc("[WaitFor]\r\nShk=1200\r\nRx=65616\r\nTx=-3\r\n"), &warning);
  EXPECT_EQ(t.handshake, 1200);
  EXPECT_EQ(t.receive, 32767);  // not wrapped to 80
  EXPECT_EQ(t.transmit, -3);
  EXPECT_NE(warning.find("Rx=65616"), std::string::npos) << warning;
}

TEST(LinkSettings, OnlyTheFirstCharacterOfThePortCounts) {
  EXPECT_EQ(ReadPortChoice(Doc("[ComPort]\r\n1=34\r\n")).port_number, 3);
  EXPECT_EQ(ReadPortChoice(Doc("[comport]\r\n1=7\r\n")).port_number, 7);
  PortChoice p = ReadPortChoice(Doc("[ComPort]\r\n1=2\r\nDevice=  /dev/pts/4 \r\n"));
  EXPECT_EQ(p.port_number, 2);
  EXPECT_EQ(p.device, "/dev/pts/4");
}

TEST(LinkSettings, LineSettingsAreReadAndNonsenseIsNamed) {
  std::string warning;
  LineSettings s = ReadLineSettings(
      Doc("[ComPort]\r\nBaud=4800\r\nDataBits=7\r\nParity=Even\r\nStopBits=2\r\nFlowControl=RTS/CTS\r\n"),
      &warning);
  EXPECT_EQ(s.baud, 4800);
  EXPECT_EQ(s.data_bits, 7);
  EXPECT_EQ(s.parity, Parity::Even);
  EXPECT_EQ(s.stop_bits, 2);
  EXPECT_EQ(s.flow, FlowControl::Hardware);
  EXPECT_TRUE(warning.empty());

  s = ReadLineSettings(Doc("[ComPort]\r\nBaud=fast\r\nDataBits=9\r\nParity=M\r\nStopBits=3\r\n"), &warning);
  EXPECT_EQ(s.baud, 9600);
  EXPECT_EQ(s.data_bits, 8);
  EXPECT_EQ(s.parity, Parity::None);
  EXPECT_EQ(s.stop_bits, 1);
  EXPECT_NE(warning.find("Baud=fast"), std::string::npos);
  EXPECT_NE(warning.find("StopBits=3"), std::string::npos);
}

#if defined(__linux__)
TEST(LinkSettings, PortNumbersMapToUsbSerialDevices) {
  EXPECT_EQ(PortDeviceName(1), "/dev/ttyUSB0");
  EXPECT_EQ(PortDeviceName(4), "/dev/ttyUSB3");
  EXPECT_EQ(PortDeviceName(7), "/dev/ttyUSB6");
}
#endif

}  // namespace
}  // namespace kavir
