// The native serial transport against a real line: a pseudo-terminal whose
// far end the test plays on Linux; on Windows the COM port named by
// KAVIR_TEST_COM, whose far end is the port KAVIR_TEST_COM_PEER joined to it
// (scripts/test-windows.sh links both to scripts/pty_pair.py's two ends).
#include "link/native/native_transport.h"

#include <chrono>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kavir {
namespace {

// The far end of the line: the pseudo-terminal's master, or a second COM
// port. device is "" when there is no line to test on.
struct Peer {
#if defined(_WIN32)
  const char* com = std::getenv("KAVIR_TEST_COM");
  const char* peer_com = std::getenv("KAVIR_TEST_COM_PEER");
  std::string device = com && peer_com ? com : "";
  NativeSerialTransport port;
  Peer() {
    std::string error;
    if (!device.empty()) port.Open(0, peer_com, &error);
  }
  void Write(const std::string& b) { port.Send(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()); }
  std::string Read(std::size_t count) {
    std::string out;
    for (int i = 0; i < 20 && out.size() < count; ++i) {
      port.WaitReadable(500);
      for (std::uint8_t c : port.TakeReceived()) out += static_cast<char>(c);
    }
    return out;
  }
  void HangUp() {
    Write("HANG-UP");  // the relay ends the line
    port.Close();
  }
  std::string Frame() const { return {}; }  // not seen from this end
#else
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  std::string device = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : "";
  ~Peer() { HangUp(); }
  void Write(const std::string& b) { EXPECT_EQ(write(master, b.data(), b.size()), ssize_t(b.size())); }
  std::string Read(std::size_t count) {
    std::string out;
    char buf[256];
    pollfd p{master, POLLIN, 0};
    for (ssize_t n; out.size() < count && poll(&p, 1, 10000) > 0 && (n = read(master, buf, sizeof buf)) > 0;)
      out.append(buf, static_cast<std::size_t>(n));
    return out;
  }
  void HangUp() {
    if (master >= 0) close(master);
    master = -1;
  }
  // Speed and frame as "4800 8N2".
  std::string Frame() const {
    termios t{};
    tcgetattr(master, &t);
    const speed_t s = cfgetospeed(&t);
    return std::to_string(s == B4800    ? 4800
                          : s == B19200 ? 19200
                                        : 0) +
           ((t.c_cflag & CSIZE) == CS8 ? " 8" : " ?") + (t.c_cflag & PARENB ? "P" : "N") +
           (t.c_cflag & CSTOPB ? "2" : "1");
  }
#endif
};

std::string Text(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

void Send(Transport& t, const std::string& s) { t.Send(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

// Each case gets the line opened with its settings.
struct Case {
  const char* name;
  LineSettings settings;
  std::function<void(Peer&, NativeSerialTransport&)> run;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"BytesPassBothWays",
     {},
     [](Peer& peer, NativeSerialTransport& t) {
       EXPECT_NE(t.OpenNotesText().find("DTR"), std::string::npos);
       Send(t, "PROGRAM");
       EXPECT_EQ(peer.Read(7), "PROGRAM");
       peer.Write("\x06KV16");
       // Bytes already waiting end even a long wait at once.
       std::string got;
       for (int i = 0; i < 5 && got.size() < 5; ++i) {
         t.WaitReadable(60000);
         got += Text(t.TakeReceived());
       }
       EXPECT_EQ(got, "\x06KV16");
       t.Close();
       EXPECT_FALSE(t.IsOpen());
       EXPECT_EQ(t.OpenNotesText(), "");
     }},
    // (A pseudo-terminal keeps only 8 bits without parity.)
    {"TakesTheLineSettings",
     {.baud = 4800, .stop_bits = 2, .lines = {}},
     [](Peer& peer, NativeSerialTransport& t) {
       const bool seen = !peer.Frame().empty();
       EXPECT_TRUE(!seen || peer.Frame() == "4800 8N2") << peer.Frame();
       t.SetBaudRate(19200);  // for the next open
       std::string error;
       ASSERT_TRUE(t.Open(0, peer.device, &error)) << error;
       EXPECT_TRUE(!seen || peer.Frame() == "19200 8N2") << peer.Frame();
     }},
    {"RefusesASecondOpen",
     {},
     [](Peer& peer, NativeSerialTransport& first) {
       NativeSerialTransport second;
       std::string error;
       EXPECT_FALSE(second.Open(0, peer.device, &error));
       EXPECT_FALSE(second.IsOpen());
       EXPECT_EQ(error.rfind("串口 " + peer.device + " 正被其他程序使用", 0), 0u) << error;
       EXPECT_TRUE(first.IsOpen());
       first.Close();
       EXPECT_TRUE(second.Open(0, peer.device, &error)) << error;
     }},
#if !defined(_WIN32)
    // The holder's speed, frame and waiting bytes survive a refused open.
    {"ARefusedOpenLeavesTheLineAsItsHolderSetIt",
     {},
     [](Peer& peer, NativeSerialTransport& first) {
       termios set{};
       ASSERT_EQ(tcgetattr(peer.master, &set), 0);
       cfsetispeed(&set, B1200);
       cfsetospeed(&set, B1200);
       set.c_cflag = (set.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
       set.c_iflag |= IXON;
       ASSERT_EQ(tcsetattr(peer.master, TCSANOW, &set), 0);
       termios before{};
       ASSERT_EQ(tcgetattr(peer.master, &before), 0);
       peer.Write("ACK");
       NativeSerialTransport second({.baud = 19200, .flow = FlowControl::Hardware, .lines = {true, true}});
       std::string error;
       EXPECT_FALSE(second.Open(0, peer.device, &error));
       termios after{};
       ASSERT_EQ(tcgetattr(peer.master, &after), 0);
       EXPECT_EQ(cfgetospeed(&after), B1200);
       EXPECT_EQ(after.c_cflag, before.c_cflag);
       EXPECT_EQ(after.c_iflag, before.c_iflag);
       EXPECT_EQ(after.c_lflag, before.c_lflag);
       std::string got;
       for (int i = 0; i < 5 && got.size() < 3; ++i) {
         first.WaitReadable(2000);
         got += Text(first.TakeReceived());
       }
       EXPECT_EQ(got, "ACK");
     }},
#endif
    {"AWaitOnASilentLineEndsEmpty",
     {},
     [](Peer& peer, NativeSerialTransport& t) {
       // It blocks rather than returning at once, and the line stays usable.
       const auto start = std::chrono::steady_clock::now();
       t.WaitReadable(300);
       EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
       EXPECT_TRUE(t.TakeReceived().empty());
       EXPECT_TRUE(t.IsOpen());
       peer.Write("A");
       t.WaitReadable(60000);
       EXPECT_EQ(Text(t.TakeReceived()), "A");
     }},
    {"ARadioThatHangsUpClosesTheLine",
     {},
     [](Peer& peer, NativeSerialTransport& t) {
       peer.HangUp();
       for (int i = 0; i < 5 && t.IsOpen(); ++i) {
         t.WaitReadable(1000);
         t.TakeReceived();
       }
       EXPECT_FALSE(t.IsOpen());
       Send(t, "X");  // nothing to send on, and no hang
       EXPECT_TRUE(t.TakeReceived().empty());
     }},
};

class NativeTransport : public testing::TestWithParam<Case> {};

TEST_P(NativeTransport, OnARealLine) {
  Peer peer;
#if defined(_WIN32)
  if (peer.device.empty()) GTEST_SKIP() << "no serial line to test on (KAVIR_TEST_COM, KAVIR_TEST_COM_PEER)";
#endif
  ASSERT_FALSE(peer.device.empty());
  NativeSerialTransport t(GetParam().settings);
  std::string error;
  ASSERT_TRUE(t.Open(0, peer.device, &error)) << error;
  GetParam().run(peer, t);
}

#if defined(__linux__)
// What is no line to a radio is said to be none, before it is opened and
// so before any of it could change: not a refusal of the line settings,
// not "missing", not in use by whoever holds another pseudo-terminal.
TEST(NativeTransportDevices, WhatIsNoSerialLineIsSaidToBeNone) {
  char file[] = "/tmp/kavir-not-a-port-XXXXXX";
  const int fd = mkstemp(file);
  ASSERT_GE(fd, 0);
  close(fd);
  for (const std::string& device :
       std::vector<std::string>{"/dev/urandom", "/dev/null", "/dev/tty", "/dev/ptmx", std::string(file)}) {
    NativeSerialTransport t;
    std::string error;
    EXPECT_FALSE(t.Open(0, device, &error));
    EXPECT_FALSE(t.IsOpen());
    EXPECT_EQ(error.rfind(device + " ", 0), 0u) << error;
    EXPECT_NE(error.find("不是串口"), std::string::npos) << error;
  }
  unlink(file);
}
#endif

INSTANTIATE_TEST_SUITE_P(Cases, NativeTransport, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavir
