// The native serial transport against a real line: a pseudo-terminal whose
// far end the test plays on Linux; on Windows the COM port named by
// KAVIR_TEST_COM, whose far end is the port KAVIR_TEST_COM_PEER joined to it
// (scripts/test-windows.sh links both to a relayed pseudo-terminal pair).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

#include "link/native/native_transport.h"

#if defined(_WIN32)
#else
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kavir {
namespace {

// The far end of the line.
class Peer {
 public:
  virtual ~Peer() = default;
  virtual std::string device() const = 0;  // what the transport opens
  virtual void Write(const std::string& bytes) = 0;
  virtual std::string Read(std::size_t count) = 0;  // up to count, a few waits
  virtual void HangUp() = 0;
  // The line's speed and frame as "4800 8N2"; "" where the far end cannot see them.
  virtual std::string Frame() const = 0;
};

#if defined(_WIN32)
class ComPeer : public Peer {
 public:
  ComPeer(std::string device, const std::string& peer) : device_(std::move(device)) {
    std::string error;
    port_.Open(0, peer, &error);
  }
  std::string device() const override { return device_; }
  void Write(const std::string& b) override { port_.Send(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()); }
  std::string Read(std::size_t count) override {
    std::string out;
    for (int i = 0; i < 20 && out.size() < count; ++i) {
      port_.WaitReadable(500);
      for (std::uint8_t c : port_.TakeReceived()) out += static_cast<char>(c);
    }
    return out;
  }
  void HangUp() override { port_.Close(); }
  std::string Frame() const override { return {}; }

 private:
  std::string device_;
  NativeSerialTransport port_;
};

std::unique_ptr<Peer> MakePeer() {
  const char* device = std::getenv("KAVIR_TEST_COM");
  const char* peer = std::getenv("KAVIR_TEST_COM_PEER");
  if (!device || !peer) return nullptr;
  return std::make_unique<ComPeer>(device, peer);
}
#else
class PtyPeer : public Peer {
 public:
  PtyPeer() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) device_ = ptsname(master_);
  }
  ~PtyPeer() override { HangUp(); }
  std::string device() const override { return device_; }
  void Write(const std::string& b) override { EXPECT_EQ(write(master_, b.data(), b.size()), ssize_t(b.size())); }
  std::string Read(std::size_t count) override {
    std::string out;
    char buf[256];
    pollfd p{master_, POLLIN, 0};
    for (int i = 0; i < 20 && out.size() < count && poll(&p, 1, 500) > 0; ++i) {
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) break;
      out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
  }
  void HangUp() override {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }
  std::string Frame() const override {
    termios t{};
    if (tcgetattr(master_, &t) != 0) return "?";
    const speed_t s = cfgetospeed(&t);
    const int baud = s == B4800 ? 4800 : s == B9600 ? 9600 : s == B19200 ? 19200 : 0;
    const int bits = (t.c_cflag & CSIZE) == CS7 ? 7 : (t.c_cflag & CSIZE) == CS8 ? 8 : 0;
    const char parity = !(t.c_cflag & PARENB) ? 'N' : (t.c_cflag & PARODD) ? 'O' : 'E';
    return std::to_string(baud) + " " + std::to_string(bits) + parity + ((t.c_cflag & CSTOPB) ? "2" : "1");
  }

 private:
  int master_ = -1;
  std::string device_;
};

std::unique_ptr<Peer> MakePeer() { return std::make_unique<PtyPeer>(); }
#endif

std::string Text(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

void Send(Transport& t, const std::string& s) { t.Send(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

struct Case {
  const char* name;
  std::function<void(Peer&)> run;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"BytesPassBothWays",
     [](Peer& peer) {
       NativeSerialTransport t;
       std::string error;
       ASSERT_TRUE(t.Open(0, peer.device(), &error)) << error;
       EXPECT_TRUE(t.IsOpen());
       EXPECT_NE(t.OpenNotesText().find("DTR"), std::string::npos);
       Send(t, "PROGRAM");
       EXPECT_EQ(peer.Read(7), "PROGRAM");
       peer.Write("\x06KV16");
       // A byte already waiting ends even a long wait at once.
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
    {"TakesTheLineSettings",
     [](Peer& peer) {
       // (A pseudo-terminal keeps only 8 bits without parity.)
       LineSettings s;
       s.baud = 4800, s.stop_bits = 2;
       NativeSerialTransport t(s);
       std::string error;
       ASSERT_TRUE(t.Open(0, peer.device(), &error)) << error;
       if (!peer.Frame().empty()) {
         EXPECT_EQ(peer.Frame(), "4800 8N2");
       }
       t.SetBaudRate(19200);  // for the next open
       ASSERT_TRUE(t.Open(0, peer.device(), &error)) << error;
       if (!peer.Frame().empty()) {
         EXPECT_EQ(peer.Frame(), "19200 8N2");
       }
     }},
    {"RefusesASecondOpen",
     [](Peer& peer) {
       NativeSerialTransport first, second;
       std::string error;
       ASSERT_TRUE(first.Open(0, peer.device(), &error)) << error;
       EXPECT_FALSE(second.Open(0, peer.device(), &error));
       EXPECT_FALSE(second.IsOpen());
       EXPECT_EQ(error.rfind("串口 " + peer.device() + " 正被其他程序使用", 0), 0u) << error;
       EXPECT_TRUE(first.IsOpen());
       first.Close();
       EXPECT_TRUE(second.Open(0, peer.device(), &error)) << error;
     }},
    {"AWaitOnASilentLineEndsEmpty",
     [](Peer& peer) {
       NativeSerialTransport t;
       std::string error;
       ASSERT_TRUE(t.Open(0, peer.device(), &error)) << error;
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
     [](Peer& peer) {
       NativeSerialTransport t;
       std::string error;
       ASSERT_TRUE(t.Open(0, peer.device(), &error)) << error;
       peer.HangUp();
       for (int i = 0; i < 5 && t.IsOpen(); ++i) {
         t.WaitReadable(60000);
         t.TakeReceived();
       }
       EXPECT_FALSE(t.IsOpen());
       Send(t, "X");  // nothing to send on, and no hang
       EXPECT_TRUE(t.TakeReceived().empty());
     }},
};

class NativeTransport : public testing::TestWithParam<Case> {};

TEST_P(NativeTransport, OnARealLine) {
  std::unique_ptr<Peer> peer = MakePeer();
  if (!peer) GTEST_SKIP() << "no serial line to test on (KAVIR_TEST_COM, KAVIR_TEST_COM_PEER)";
  ASSERT_FALSE(peer->device().empty());
  GetParam().run(*peer);
}

INSTANTIATE_TEST_SUITE_P(Cases, NativeTransport, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavir
