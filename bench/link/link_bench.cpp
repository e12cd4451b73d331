// Full read, full write and write + verify through the system's own serial
// API ("short": only reads and writes at 9600 baud) against kavir-radio-sim, paced at
// 9600 baud and unpaced. Prints wall time,
// the wire-time limit (bytes both ways x 10 bits / baud, both transfers for
// write + verify), their ratio and the client's CPU time; then what reading
// the radio before a write (to keep what it held) adds to a write + verify.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "ini/ini_document.h"
#include "link/native/native_transport.h"
#include "screen/kavir_view.h"
#include "screen/radio_transfer.h"
#include "screen/screen_events.h"
#include "sim_process.h"

using namespace kavir;
namespace fs = std::filesystem;

namespace {

// Counts the bytes on the line in both directions.
class CountingTransport : public Transport {
 public:
  explicit CountingTransport(Transport& inner) : inner_(inner) {}
  long long sent = 0, received = 0;
  bool Open(int n, const std::string& d, std::string* e) override { return inner_.Open(n, d, e); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void Close() override { inner_.Close(); }
  std::string DeviceName(int n, const std::string& d) const override { return inner_.DeviceName(n, d); }
  void Send(const std::uint8_t* b, std::size_t c) override {
    sent += static_cast<long long>(c);
    inner_.Send(b, c);
  }
  std::vector<std::uint8_t> TakeReceived() override {
    auto v = inner_.TakeReceived();
    received += static_cast<long long>(v.size());
    return v;
  }
  void WaitReadable(int ms) override { inner_.WaitReadable(ms); }

 private:
  Transport& inner_;
};

class YesUi : public HeadlessUi {
 public:
  int failures = 0;
  bool AskYesNo(const std::string& text, const std::string&) override {
    bool confirm = text.find("吗") != std::string::npos && text.find("重试") == std::string::npos;
    if (!confirm) ++failures;
    return confirm;
  }
  void ShowError(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "error: %s\n", text.c_str());
    ++failures;
  }
};

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

enum class Kind { Read, Write, WriteVerify, KeepWriteVerify };

struct Timing {
  double wall = 0, wire = 0;  // seconds
};

Timing RunOne(const std::string& dir, int baud, Kind kind) {
  const bool write = kind != Kind::Read;
  std::vector<std::string> args{"--profile", dir + "/KV16V.ini", "--dir", dir};
  if (baud > 0) {
    args.push_back("--baud");
    args.push_back(std::to_string(baud));
  }
  kavir::test::SimProcess sim(args);
  if (sim.device().empty()) {
    std::printf("simulator did not start\n");
    return {};
  }
  YesUi ui;
  WorkingFiles files = WorkingFiles::FromDirectory(dir);
  NativeSerialTransport native;
  CountingTransport counting(native);
  SteadyClock clock;
  ScreenEvents events(ui);
  SerialLink link(counting, clock, events, files);
  link.set_priority = [](ThreadPriority) {};
  // The start-up port is the simulator's, named in KAVIR.ini.
  IniDocument ini = ReadIniFile(files.kavir_ini);
  ini.SetString("ComPort", "Device", sim.device());
  WriteIniFile(files.kavir_ini, ini);
  CKAVIRView view(files, ui);
  LinkPortStarter starter(link);
  view.OnInitialUpdate(&starter);

  double cpu0 = CpuSeconds();
  auto t0 = std::chrono::steady_clock::now();
  WriteRadioOptions options;
  options.verify = kind == Kind::WriteVerify || kind == Kind::KeepWriteVerify;
  options.keep_radio_image = kind == Kind::KeepWriteVerify;
  TransferResult r = write ? OnWriteRadio(view, link, options) : OnReadRadio(view, link);
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double cpu = CpuSeconds() - cpu0;
  long long bytes = counting.sent + counting.received;
  static const char* const kNames[] = {"read", "write", "write+verify", "keep+w+v"};
  std::printf("%-12s %-8s %s  wall %8.1f ms", kNames[static_cast<int>(kind)],
              baud > 0 ? (std::to_string(baud) + " Bd").c_str() : "unpaced",
              r == TransferResult::Done ? "ok    " : "FAILED", wall * 1e3);
  if (baud > 0) {
    double limit = bytes * 10.0 / baud;
    std::printf("  wire limit %8.1f ms  ratio %.3f", limit * 1e3, wall / limit);
  }
  std::printf("  bytes %lld  client CPU %.1f ms (%.1f%% of wall)\n", bytes, cpu * 1e3, 100.0 * cpu / wall);
  return {wall, baud > 0 ? bytes * 10.0 / baud : 0};
}

}  // namespace

int main(int argc, char** argv) {
  fs::path dir = fs::temp_directory_path() / ("kavir-link-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  if (argc > 1 && std::string(argv[argc - 1]) == "short") {
    for (int i = 0; i < 3; ++i) {
      RunOne(dir.string(), 9600, Kind::Read);
      RunOne(dir.string(), 9600, Kind::Write);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
  }
  for (int baud : {9600, 0}) {
    RunOne(dir.string(), baud, Kind::Read);
    RunOne(dir.string(), baud, Kind::Write);
    RunOne(dir.string(), baud, Kind::WriteVerify);
  }
  for (int i = 0; i < 3; ++i) RunOne(dir.string(), 9600, Kind::WriteVerify);
  for (int i = 0; i < 3; ++i) RunOne(dir.string(), 0, Kind::Read);
  Timing plain, keep;
  for (int i = 0; i < 3; ++i) {
    const Timing p = RunOne(dir.string(), 9600, Kind::WriteVerify);
    const Timing k = RunOne(dir.string(), 9600, Kind::KeepWriteVerify);
    plain.wall += p.wall, plain.wire += p.wire, keep.wall += k.wall, keep.wire += k.wire;
  }
  if (plain.wire > 0)
    std::printf(
        "keeping the radio's image first: %.3f x the wire time of a write+verify "
        "(%.3f x its wall time; its own wire time %.3f x)\n",
        keep.wall / plain.wire, keep.wall / plain.wall, keep.wire / plain.wire);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
