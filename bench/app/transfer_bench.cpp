// A read and a write through the desktop program's main window and the
// system's serial port, against kavir-radio-sim paced at 9600 baud. Times each from
// the Yes at the confirmation to the closing message, and prints it beside
// the wire time (bytes both ways x 10 bits / baud) and their ratio; then a
// write without the read before it, with it, and with the list of changes.
//   kavir_app_transfer_bench [runs]      (offscreen; needs no display)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app_start.h"
#include "changes_dialog.h"
#include "command_ids.h"
#include "ini/ini_document.h"
#include "link/native/native_transport.h"
#include "main_frame.h"
#include "radio_commands.h"
#include "sim_process.h"

using namespace kavir;
namespace fs = std::filesystem;

namespace {

constexpr int kBaud = 9600;

// Counts the bytes on the line in both directions.
class CountingTransport : public Transport {
 public:
  explicit CountingTransport(Transport& inner) : inner_(inner) {}
  long long sent = 0, received = 0;
  bool Open(int n, const std::string& d, std::string* e) override { return inner_.Open(n, d, e); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void Close() override { inner_.Close(); }
  void SetBaudRate(int baud) override { inner_.SetBaudRate(baud); }
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

double CpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

struct Timing {
  double ms = 0;
  double cpu_ms = 0;
  long long bytes = 0;
  QString ending;
};

// Answers Yes at the confirmation (noting the moment) and OK at the closing
// message (noting that moment and its text).
Timing RunCommand(app::CMainFrame& frame, CountingTransport& line, int command) {
  Timing t;
  QElapsedTimer clock;
  qint64 yes_at = -1, end_at = -1;
  QTimer poll;
  poll.setInterval(1);  // the window's loop runs free during a transfer: no busy wait
  QObject::connect(&poll, &QTimer::timeout, [&] {
    // The list of changes is read and accepted as a user would, at once.
    if (auto* changes = qobject_cast<app::ChangesDialog*>(QApplication::activeModalWidget())) {
      if (!changes->property("answered").toBool()) {
        changes->setProperty("answered", true);
        QMetaObject::invokeMethod(changes, "accept", Qt::QueuedConnection);
      }
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    if (yes) {
      line.sent = line.received = 0;
      yes_at = clock.nsecsElapsed();
      t.cpu_ms = -CpuMs();
    } else {
      end_at = clock.nsecsElapsed();
      t.cpu_ms += CpuMs();
      t.ending = box->text();
    }
    QMetaObject::invokeMethod(yes ? yes : box->buttons().value(0), "click", Qt::QueuedConnection);
  });
  clock.start();
  poll.start();
  frame.action(command)->trigger();
  t.ms = (end_at - yes_at) / 1e6;
  t.bytes = line.sent + line.received;
  return t;
}

// Starts the command, clicks Cancel after_ms after the Yes and times the
// click to the closing message; the transfer runs on its own thread, so
// this is how long a stop takes to be heard and shown.
double CancelMs(app::CMainFrame& frame, int command, int after_ms) {
  QElapsedTimer clock;
  qint64 click_at = -1, end_at = -1;
  QTimer poll;
  poll.setInterval(1);  // the window's loop runs free during a transfer: no busy wait
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box && !box->property("answered").toBool()) {
      box->setProperty("answered", true);
      QAbstractButton* yes = box->button(QMessageBox::Yes);
      if (yes) {
        QTimer::singleShot(after_ms, [&] {
          if (QPushButton* cancel = frame.radio().cancel_button()) {
            click_at = clock.nsecsElapsed();
            cancel->click();
          }
        });
      } else if (end_at < 0) {
        end_at = clock.nsecsElapsed();
      }
      QMetaObject::invokeMethod(yes ? yes : box->buttons().value(0), "click", Qt::QueuedConnection);
    }
  });
  clock.start();
  poll.start();
  frame.action(command)->trigger();
  return click_at < 0 || end_at < 0 ? -1 : (end_at - click_at) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  app::SetUpFonts();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  const fs::path dir = fs::temp_directory_path() / ("kavir-transfer-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  const std::string d = dir.string();

  int status = 0;
  {
    kavir::test::SimProcess sim({"--profile", d + "/KV16V.ini", "--dir", d, "--baud", std::to_string(kBaud)});
    if (sim.device().empty()) {
      std::printf("simulator did not start\n");
      return 1;
    }
    WorkingFiles files = WorkingFiles::FromDirectory(d);
    IniDocument ini = ReadIniFile(files.kavir_ini);
    ini.SetString("ComPort", "Device", sim.device());
    WriteIniFile(files.kavir_ini, ini);

    LineSettings line_settings;
    line_settings.baud = kBaud;
    NativeSerialTransport serial(line_settings);
    CountingTransport line(serial);
    SteadyClock steady;
    app::CMainFrame frame(files, &line, &steady);
    frame.resize(1024, 740);
    frame.show();
    frame.Start();
    QApplication::processEvents();

    std::printf("through the main window, %d Bd, Yes at the confirmation to the closing message\n", kBaud);
    for (int i = 0; i < runs; ++i) {
      for (int command : {app::kCmdRead, app::kCmdWrite}) {
        const Timing t = RunCommand(frame, line, command);
        const double wire = t.bytes * 10.0 * 1000.0 / kBaud;
        const bool ok =
            t.ending.startsWith(command == app::kCmdRead ? QStringLiteral("读出完毕") : QStringLiteral("写入完毕"));
        if (!ok) status = 1;
        std::printf("%-5s %s  wall %8.1f ms  wire %8.1f ms  ratio %.3f  bytes %lld  CPU %.1f ms\n",
                    command == app::kCmdRead ? "read" : "write", ok ? "ok    " : "FAILED", t.ms, wire, t.ms / wire,
                    t.bytes, t.cpu_ms);
      }
    }
    std::printf("write with verify: without the read first, with it (backup), with it and the list of changes:\n");
    struct Way {
      const char* name;
      bool keep, list;
    };
    for (int i = 0; i < runs; ++i) {
      for (const Way& way :
           {Way{"no read first", false, false}, Way{"backup", true, false}, Way{"backup + list", true, true}}) {
        frame.action(app::kCmdKeepRadioBeforeWrite)->setChecked(way.keep);
        frame.action(app::kCmdShowChangesBeforeWrite)->setChecked(way.list);
        const Timing t = RunCommand(frame, line, app::kCmdWrite);
        const double wire = t.bytes * 10.0 * 1000.0 / kBaud;
        const bool ok = t.ending.startsWith(QStringLiteral("写入完毕"));
        if (!ok) status = 1;
        std::printf("%-14s %s  wall %8.1f ms  wire %8.1f ms  ratio %.3f\n", way.name, ok ? "ok    " : "FAILED", t.ms,
                    wire, t.ms / wire);
      }
    }
    std::printf("Cancel clicked mid-transfer to the closing message:\n");
    for (int i = 0; i < runs; ++i) {
      for (int command : {app::kCmdRead, app::kCmdWrite}) {
        const int after = 300 + 250 * i;
        const double ms = CancelMs(frame, command, after);
        if (ms < 0) status = 1;
        std::printf("%-5s cancel at %4d ms  stopped in %6.1f ms\n", command == app::kCmdRead ? "read" : "write", after,
                    ms);
      }
    }
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
