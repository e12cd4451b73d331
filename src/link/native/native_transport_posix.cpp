#include "native_transport.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "ini/translate.h"
#include "link/port_device.h"
#include "link/ports/port_records.h"

namespace kavir {

// Rates outside the termios table (Linux only; see native_baud_linux.cpp).
bool SetCustomBaud(int fd, int baud);

struct NativeSerialTransport::Port {
  int fd = -1;
};

namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 50:
      return B50;
    case 75:
      return B75;
    case 110:
      return B110;
    case 134:
      return B134;
    case 150:
      return B150;
    case 200:
      return B200;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 1800:
      return B1800;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

// The line settings as termios flags: raw bytes, reads that never block
// (the waits are poll's), the modem lines not dropped on close.
bool Configure(int fd, const LineSettings& s) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | HUPCL);
  tio.c_cflag |= s.data_bits == 5 ? CS5 : s.data_bits == 6 ? CS6 : s.data_bits == 7 ? CS7 : CS8;
  if (s.parity != Parity::None) tio.c_cflag |= PARENB | (s.parity == Parity::Odd ? PARODD : 0);
  if (s.stop_bits == 2) tio.c_cflag |= CSTOPB;
#if defined(CRTSCTS)
  tio.c_cflag &= ~CRTSCTS;
  if (s.flow == FlowControl::Hardware) tio.c_cflag |= CRTSCTS;
#endif
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (s.flow == FlowControl::Software) tio.c_iflag |= IXON | IXOFF;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t speed = SpeedOf(s.baud);
  if (speed != B0 && (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0)) return false;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  return speed != B0 || SetCustomBaud(fd, s.baud);
}

bool Gone(int err) { return err != EAGAIN && err != EWOULDBLOCK && err != EINTR; }

// Waits up to wait_ms for a byte; true when the line has hung up and holds
// nothing more to read.
bool HungUp(int fd, int wait_ms) {
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, wait_ms) <= 0) return false;
  if (p.revents & POLLNVAL) return true;
  if (!(p.revents & (POLLERR | POLLHUP))) return false;
  int waiting = 0;
  return !(p.revents & POLLIN) || ioctl(fd, FIONREAD, &waiting) != 0 || waiting == 0;
}

}  // namespace

NativeSerialTransport::NativeSerialTransport(LineSettings settings) : settings_(settings) {}

NativeSerialTransport::~NativeSerialTransport() { Close(); }

std::string NativeSerialTransport::DeviceName(int port_number, const std::string& device) const {
  return device.empty() ? PortDeviceName(port_number) : device;
}

bool NativeSerialTransport::Open(int port_number, const std::string& device, std::string* error) {
  Close();
  const std::string name = DeviceName(port_number, device);
  std::unique_ptr<SystemView> system = MakeSystemView();
  auto fail = [&](const std::string& text) {
    if (error) *error = text;
    Close();
    return false;
  };
  // Nothing is opened that can be no line to a radio (this terminal, the
  // console, the pseudo-terminal multiplexer): an open may change them.
  if (const OpenProblem p = CheckIsSerialDevice(*system, name); p.kind != OpenFailure::None) return fail(p.text);
  const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    // EBUSY is another program's exclusive open; EACCES is that or this
    // user's rights, which the system view tells apart.
    const int e = errno;
    const OpenFailure hint = e == EBUSY || e == EACCES || e == EPERM    ? OpenFailure::InUse
                             : e == ENOENT || e == ENODEV || e == ENXIO ? OpenFailure::Missing
                                                                        : OpenFailure::Other;
    return fail(ExplainOpenFailure(*system, name, hint, std::strerror(e)).text);
  }
  port_ = std::make_unique<Port>();
  port_->fd = fd;
  // A file, /dev/null, a random source: not a port, say so.
  if (!isatty(fd)) return fail(NotSerialText(name));
    // The port is ours before anything on it changes: a refused open leaves
    // the speed, frame, modem lines and waiting bytes as their holder has
    // them. A lock taken by another of our programs, or the device open in
    // one that took none: either would talk to the same radio.
#if defined(TIOCGEXCL)
  // Made exclusive by another program: only root gets this far, and the
  // lock's release at Close would end that program's claim.
  if (int exclusive = 0; ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive)
    return fail(InUseText(name, system->Holders(name)));
#endif
  FdPortControl control(fd);
  if (!control.LockExclusive()) return fail(InUseText(name, system->Holders(name)));
  notes_.locked = true;  // given back at Close
  if (std::vector<Holder> holders = system->Holders(name); !holders.empty()) return fail(InUseText(name, holders));
  if (!Configure(fd, settings_)) {
    const int e = errno;
    return fail(ArgText(TrText("Link", "串口 %1 不接受线路设置: %2"), {ShownDevice(name), std::strerror(e)}));
  }
  notes_ = SetUpLockedPort(control, settings_.lines, settings_.flow == FlowControl::Hardware);
  tcflush(fd, TCIOFLUSH);
  return true;
}

bool NativeSerialTransport::IsOpen() const { return port_ && port_->fd >= 0; }

void NativeSerialTransport::Close() {
  if (!port_) return;
  if (port_->fd >= 0) {
#if defined(TIOCNXCL)
    if (notes_.locked) ioctl(port_->fd, TIOCNXCL);
#endif
    ::close(port_->fd);
  }
  port_.reset();
  notes_ = {};
}

std::string NativeSerialTransport::OpenNotesText() const {
  return IsOpen() ? notes_.Text(settings_.lines) : std::string();
}

void NativeSerialTransport::Send(const std::uint8_t* bytes, std::size_t count) {
  if (!IsOpen()) return;
  tcflush(port_->fd, TCOFLUSH);
  // The kernel takes a frame at once; a line held back by flow control
  // gets twice its wire time and a second, then the rest is dropped.
  const int limit_ms = static_cast<int>(count * 20000 / static_cast<std::size_t>(std::max(settings_.baud, 1))) + 1000;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(port_->fd, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && Gone(errno)) return Close();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    pollfd p{port_->fd, POLLOUT, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return Close();
  }
}

std::vector<std::uint8_t> NativeSerialTransport::TakeReceived() {
  std::vector<std::uint8_t> out;
  std::uint8_t buf[4096];
  while (IsOpen()) {
    const ssize_t n = ::read(port_->fd, buf, sizeof buf);
    if (n > 0) {
      out.insert(out.end(), buf, buf + n);
    } else {
      // Once what it held is taken, a hung-up line reads as an error or,
      // like an idle one, as nothing: poll tells which.
      if ((n < 0 && Gone(errno)) || HungUp(port_->fd, 0)) Close();
      break;
    }
  }
  return out;
}

void NativeSerialTransport::WaitReadable(int max_ms) {
  if (!IsOpen() || max_ms <= 0) return;
  // A hang-up with nothing left to read would wake every wait at once.
  if (HungUp(port_->fd, max_ms)) Close();
}

}  // namespace kavir
