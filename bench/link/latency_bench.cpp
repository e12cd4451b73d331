// What a USB adapter's latency timer costs a read and a write at 9600 baud.
// A relay between the client and kavir-radio-sim holds back what the radio
// sends as such an adapter does: a burst leaves when 62 bytes wait or when
// the timer has run since its first byte. Prints wall time, the wire time
// (bytes both ways x 10 bits / baud) and their ratio, for 0, 1 and 16 ms.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "ini/ini_document.h"
#include "link/native/native_transport.h"
#include "screen/kavir_view.h"
#include "screen/radio_transfer.h"
#include "screen/screen_events.h"
#include "sim_process.h"

using namespace kavir;
namespace fs = std::filesystem;
using Wall = std::chrono::steady_clock;

namespace {

constexpr int kBaud = 9600;
constexpr std::size_t kUsbPacket = 62;  // payload of a full-speed FTDI packet

class Relay {
 public:
  Relay(const std::string& radio, int hold_ms) : hold_ms_(hold_ms) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master_);
    unlockpt(master_);
    device_ = ptsname(master_);
    radio_ = open(radio.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(radio_, &tio);
    cfmakeraw(&tio);
    tcsetattr(radio_, TCSANOW, &tio);
    thread_ = std::thread([this] { Run(); });
  }
  ~Relay() {
    stop_ = true;
    thread_.join();
    close(radio_);
    close(master_);
  }
  const std::string& device() const { return device_; }
  long long sent = 0, received = 0;

 private:
  void Run() {
    std::vector<std::uint8_t> pending;
    Wall::time_point first{};
    std::uint8_t buf[512];
    while (!stop_) {
      int wait = 5;
      if (!pending.empty()) {
        const auto due = first + std::chrono::milliseconds(hold_ms_);
        wait = std::max<int>(0, std::chrono::duration_cast<std::chrono::milliseconds>(due - Wall::now()).count());
      }
      pollfd fds[2] = {{master_, POLLIN, 0}, {radio_, POLLIN, 0}};
      poll(fds, 2, wait);
      if (fds[0].revents & POLLIN) {
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n > 0) {
          sent += n;
          (void)!write(radio_, buf, static_cast<std::size_t>(n));
        }
      }
      if (fds[1].revents & POLLIN) {
        const ssize_t n = read(radio_, buf, sizeof buf);
        if (n > 0) {
          if (pending.empty()) first = Wall::now();
          pending.insert(pending.end(), buf, buf + n);
          received += n;
        }
      }
      const bool due = !pending.empty() && Wall::now() >= first + std::chrono::milliseconds(hold_ms_);
      while (pending.size() >= kUsbPacket || (due && !pending.empty())) {
        const std::size_t n = std::min(pending.size(), kUsbPacket);
        (void)!write(master_, pending.data(), n);
        pending.erase(pending.begin(), pending.begin() + static_cast<long>(n));
        first = Wall::now();
      }
    }
  }

  int hold_ms_;
  int master_ = -1, radio_ = -1;
  std::string device_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
};

class YesUi : public HeadlessUi {
 public:
  bool AskYesNo(const std::string& text, const std::string&) override {
    return text.find("吗") != std::string::npos && text.find("重试") == std::string::npos;
  }
};

void RunOne(const std::string& dir, int hold_ms, bool write) {
  kavir::test::SimProcess sim({"--profile", dir + "/KV16V.ini", "--dir", dir, "--baud", std::to_string(kBaud)});
  if (sim.device().empty()) {
    std::printf("simulator did not start\n");
    return;
  }
  Relay relay(sim.device(), hold_ms);
  YesUi ui;
  const WorkingFiles files = WorkingFiles::FromDirectory(dir);
  NativeSerialTransport transport;
  SteadyClock clock;
  ScreenEvents events(ui);
  SerialLink link(transport, clock, events, files);
  link.set_priority = [](ThreadPriority) {};
  IniDocument ini = ReadIniFile(files.kavir_ini);
  ini.SetString("ComPort", "Device", relay.device());
  WriteIniFile(files.kavir_ini, ini);
  CKAVIRView view(files, ui);
  LinkPortStarter starter(link);
  view.OnInitialUpdate(&starter);
  const auto t0 = Wall::now();
  WriteRadioOptions options;
  options.verify = false;
  const TransferResult r = write ? OnWriteRadio(view, link, options) : OnReadRadio(view, link);
  const double wall = std::chrono::duration<double>(Wall::now() - t0).count();
  const double wire = (relay.sent + relay.received) * 10.0 / kBaud;
  std::printf("%-6s hold %2d ms  %s  wall %7.1f ms  wire %7.1f ms  ratio %.2f\n", write ? "write" : "read", hold_ms,
              r == TransferResult::Done ? "ok    " : "FAILED", wall * 1e3, wire * 1e3, wall / wire);
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / ("kavir-latency-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  for (int hold : {0, 1, 16})
    for (bool write : {false, true}) RunOne(dir.string(), hold, write);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
