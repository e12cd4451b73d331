#include "native_transport.h"

#include <windows.h>

#include <algorithm>

#include "ini/translate.h"
#include "link/port_device.h"
#include "link/ports/port_records.h"

namespace kavir {

struct NativeSerialTransport::Port {
  HANDLE handle = INVALID_HANDLE_VALUE;
  HANDLE lock = nullptr;  // our programs' claim on the port, by name
  DWORD write_limit_ms = 1000;
  // Bytes a wait has already taken off the line.
  std::vector<std::uint8_t> pending;
};

namespace {

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out;
  if (n > 0 && text) {
    const int len = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(len));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), out.data(), len, nullptr, nullptr);
  }
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
  return out.empty() ? "error " + std::to_string(code) : out;
}

// Modem lines through the driver. A Windows driver opens a port for one
// handle only, but not every system that runs Windows programs enforces it
// (Wine does not): a named mutex per port keeps our own programs apart.
class CommPortControl : public PortControl {
 public:
  CommPortControl(HANDLE h, HANDLE* lock, const std::string& name) : h_(h), lock_(lock), name_(name) {}
  bool LockExclusive() override {
    std::wstring id = L"Local\\kavir-serial-" + Wide(name_);
    std::replace(id.begin() + 6, id.end(), L'\\', L'_');
    CharUpperW(id.data() + 6);  // COM7 and com7 are one port
    SetLastError(ERROR_SUCCESS);
    *lock_ = CreateMutexW(nullptr, FALSE, id.c_str());
    return *lock_ && GetLastError() != ERROR_ALREADY_EXISTS;
  }
  bool SetModemLines(const ModemLines& lines) override {
    return EscapeCommFunction(h_, lines.dtr ? SETDTR : CLRDTR) && EscapeCommFunction(h_, lines.rts ? SETRTS : CLRRTS);
  }
  bool RequestLowLatency() override { return false; }

 private:
  HANDLE h_;
  HANDLE* lock_;
  std::string name_;
};

bool Configure(HANDLE h, const LineSettings& s) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(h, &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(s.baud);
  dcb.ByteSize = static_cast<BYTE>(s.data_bits);
  dcb.Parity = s.parity == Parity::Even ? EVENPARITY : s.parity == Parity::Odd ? ODDPARITY : NOPARITY;
  dcb.fParity = s.parity != Parity::None;
  dcb.StopBits = s.stop_bits == 2 ? TWOSTOPBITS : ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = s.lines.dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  const bool hardware = s.flow == FlowControl::Hardware;
  dcb.fOutxCtsFlow = hardware;
  dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : s.lines.rts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
  const bool software = s.flow == FlowControl::Software;
  dcb.fOutX = software;
  dcb.fInX = software;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return SetCommState(h, &dcb);
}

// Reads that return at once with whatever is there, or (wait_ms > 0) that
// wait up to wait_ms for all they ask: a wait asks for one byte, so it ends
// when the first one comes.
bool SetReadMode(HANDLE h, DWORD wait_ms, DWORD write_limit_ms) {
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = wait_ms > 0 ? 0 : MAXDWORD;
  t.ReadTotalTimeoutConstant = wait_ms;
  t.WriteTotalTimeoutConstant = write_limit_ms;
  return SetCommTimeouts(h, &t);
}

// Bytes waiting in the driver; -1 when the device has gone away.
long Waiting(HANDLE h) {
  DWORD errors = 0;
  COMSTAT stat{};
  return ClearCommError(h, &errors, &stat) ? static_cast<long>(stat.cbInQue) : -1;
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
  // COM10 and above open only through the device namespace; it does no
  // harm to the others.
  const std::string path = name.rfind("\\\\", 0) == 0 ? name : "\\\\.\\" + name;
  // No sharing: a second open, by us or any program, is refused.
  const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    const OpenFailure hint = e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION ? OpenFailure::InUse
                             : e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? OpenFailure::Missing
                                                                                      : OpenFailure::Other;
    return fail(ExplainOpenFailure(*system, name, hint, SystemText(e)).text);
  }
  port_ = std::make_unique<Port>();
  port_->handle = h;
  // Twice a full transmit buffer's wire time and a second: a line held
  // back by flow control fails the write instead of hanging it.
  port_->write_limit_ms = static_cast<DWORD>(2 * 4096 * 10 * 1000 / std::max(settings_.baud, 1) + 1000);
  // Ours before anything on it changes: where the system lets a second
  // handle in, a refused open leaves the holder's settings as they are.
  const std::string bare = name.rfind("\\\\.\\", 0) == 0 ? name.substr(4) : name;
  CommPortControl control(h, &port_->lock, bare);
  if (!control.LockExclusive()) return fail(InUseText(name, {}));
  if (!Configure(h, settings_) || !SetReadMode(h, 0, port_->write_limit_ms))
    return fail(ArgText(TrText("Link", "串口 %1 不接受线路设置: %2"), {name, SystemText(GetLastError())}));
  notes_ = SetUpLockedPort(control, settings_.lines, settings_.flow == FlowControl::Hardware);
  PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
  return true;
}

bool NativeSerialTransport::IsOpen() const { return port_ && port_->handle != INVALID_HANDLE_VALUE; }

void NativeSerialTransport::Close() {
  if (!port_) return;
  if (port_->handle != INVALID_HANDLE_VALUE) CloseHandle(port_->handle);
  if (port_->lock) CloseHandle(port_->lock);
  port_.reset();
  notes_ = {};
}

std::string NativeSerialTransport::OpenNotesText() const {
  return IsOpen() ? notes_.Text(settings_.lines) : std::string();
}

void NativeSerialTransport::Send(const std::uint8_t* bytes, std::size_t count) {
  if (!IsOpen()) return;
  PurgeComm(port_->handle, PURGE_TXCLEAR | PURGE_TXABORT);
  DWORD written = 0;
  // A device that went away fails here; a write that ran out of time
  // returns with fewer bytes and the link's wait runs out as on a dead line.
  if (!WriteFile(port_->handle, bytes, static_cast<DWORD>(count), &written, nullptr)) Close();
}

std::vector<std::uint8_t> NativeSerialTransport::TakeReceived() {
  std::vector<std::uint8_t> out;
  if (!IsOpen()) return out;
  out.swap(port_->pending);
  // What came before the device went away still counts.
  const long waiting = Waiting(port_->handle);
  if (waiting < 0) Close();
  if (waiting <= 0) return out;
  const std::size_t old = out.size();
  out.resize(old + static_cast<std::size_t>(waiting));
  DWORD n = 0;
  if (!ReadFile(port_->handle, out.data() + old, static_cast<DWORD>(waiting), &n, nullptr)) Close();
  out.resize(old + n);
  return out;
}

void NativeSerialTransport::WaitReadable(int max_ms) {
  if (!IsOpen() || max_ms <= 0 || !port_->pending.empty()) return;
  const HANDLE h = port_->handle;
  const long waiting = Waiting(h);
  if (waiting != 0) {
    if (waiting < 0) Close();
    return;
  }
  // Blocks in the driver until a byte comes or the time runs out; the
  // byte waits in pending for TakeReceived.
  std::uint8_t byte = 0;
  DWORD n = 0;
  if (!SetReadMode(h, static_cast<DWORD>(max_ms), port_->write_limit_ms) || !ReadFile(h, &byte, 1, &n, nullptr) ||
      !SetReadMode(h, 0, port_->write_limit_ms)) {
    Close();
    return;
  }
  if (n == 1) port_->pending.push_back(byte);
}

}  // namespace kavir
