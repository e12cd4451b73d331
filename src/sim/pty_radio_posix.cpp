// kavir-radio-sim: a virtual radio on a POSIX pseudo-terminal. It prints the
// slave device's path, then answers the programming protocol until killed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cable.h"
#include "ini/atomic_file.h"
#include "kavir_version.h"
#include "profile_image.h"
#include "radio_protocol.h"
#include "sim_options.h"

using namespace kavir::sim;

namespace {

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

long long NowNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void SleepUntilNs(long long t) {
  timespec ts{static_cast<time_t>(t / 1000000000LL), static_cast<long>(t % 1000000000LL)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR && !g_stop) {
  }
}

// False when the line is gone or a stop was asked for: a client that no
// longer reads must not keep the simulator from ending.
bool WriteAll(int fd, const std::uint8_t* p, std::size_t n) {
  while (n > 0) {
    if (g_stop) return false;
    ssize_t w = write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd pfd{fd, POLLOUT, 0};
        poll(&pfd, 1, 100);
        continue;
      }
      return false;
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

bool AppendToLog(const std::string& path, const std::string& lines, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  bool ok = f && std::fwrite(lines.data(), 1, lines.size(), f) == lines.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) *error = path + ": " + std::strerror(errno);
  return ok;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "kavir-radio-sim: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  kavir::IgnoreFileSizeSignal();  // a full disk is reported, not fatal
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(SimUsage(), stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::puts("kavir-radio-sim " KAVIR_VERSION);
    return 0;
  }
  std::string error;
  auto options = ParseSimOptions(args, &error);
  if (!options) {
    std::fputs(SimUsage(), stderr);
    return Fail(error);
  }

  RadioImage image{};
  if (!options->image_file.empty()) {
    if (!LoadImageFile(options->image_file, &image, &error)) return Fail(error);
  } else {
    if (!BuildImageFromProfile(options->profile_file, options->program_dir, &image, &error)) return Fail(error);
  }

  int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
    return Fail(std::string("cannot open a pseudo-terminal: ") + std::strerror(errno));
  const char* slave_name = ptsname(master);
  if (!slave_name) return Fail(std::string("ptsname: ") + std::strerror(errno));
  std::string slave_path = slave_name;
  // Holding the slave open keeps the terminal alive between client sessions;
  // raw mode so nothing is echoed or translated.
  int slave = open(slave_path.c_str(), O_RDWR | O_NOCTTY);
  if (slave < 0) return Fail(slave_path + ": " + std::strerror(errno));
  termios tio{};
  if (tcgetattr(slave, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
  }
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::printf("%s\n", slave_path.c_str());
  std::fflush(stdout);

  // One radio that stays attached, or several in turn on the one cable.
  std::vector<RadioProtocol> radios;
  CableOptions cable_options = options->cable;
  if (options->cable_models.empty()) {
    radios.emplace_back(image, options->model);
    cable_options.unplug_after_ms = -1;
  } else {
    for (int model : options->cable_models) radios.emplace_back(image, model);
  }
  for (RadioProtocol& r : radios) r.faults = options->faults;
  Cable cable(std::move(radios), cable_options);
  const long long byte_ns = options->baud > 0 ? 10LL * 1000000000LL / options->baud : 0;
  long long line_free = 0;  // when the simulated wire is next idle
  int saved_writes = 0;
  int logged_sessions = 0, logged_packets = 0;
  long long bytes_in = 0, bytes_out = 0;  // for the wire time of what was done
  auto report_bytes = [&] {
    std::fprintf(stderr, "kavir-radio-sim: %lld bytes received, %lld sent\n", bytes_in, bytes_out);
  };
  std::uint8_t buf[4096];

  while (!g_stop) {
    pollfd pfd{master, POLLIN, 0};
    int r = poll(&pfd, 1, 200);
    if (r < 0 && errno != EINTR) return Fail(std::string("poll: ") + std::strerror(errno));
    if (r <= 0) continue;
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) {
      if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO)
        return Fail(std::string("read: ") + std::strerror(errno));
      if (n < 0 && errno == EIO) usleep(20000);  // no client at the moment
      continue;
    }
    const long long now_ms = NowNs() / 1000000;
    RadioProtocol* attached = cable.Current(now_ms);
    std::vector<std::uint8_t> answer = cable.Receive(buf, static_cast<std::size_t>(n), now_ms);
    bytes_in += n;
    bytes_out += static_cast<long long>(answer.size());
    if (attached && attached->hung_up()) {
      std::fprintf(stderr, "kavir-radio-sim: hanging up\n");
      report_bytes();
      close(master);
      close(slave);
      return 0;
    }
    // Logged before the answer goes out, as the image is below: whoever
    // sees the answer finds the line.
    int write_sessions = 0, packets = 0;
    for (const RadioProtocol& radio : cable.radios()) {
      write_sessions += radio.write_sessions();
      packets += radio.packets_stored();
    }
    if (!options->log_file.empty() && (write_sessions != logged_sessions || packets != logged_packets)) {
      std::string lines;
      for (; logged_sessions < write_sessions; ++logged_sessions)
        lines += "write session " + std::to_string(logged_sessions + 1) + "\n";
      for (; logged_packets < packets; ++logged_packets)
        lines += "write packet " + std::to_string(logged_packets + 1) + "\n";
      if (!AppendToLog(options->log_file, lines, &error)) std::fprintf(stderr, "kavir-radio-sim: %s\n", error.c_str());
    }
    // A write is kept before its last acknowledgement goes out, so whoever
    // sees the write end finds the image saved.
    int writes = 0;
    for (const RadioProtocol& radio : cable.radios()) writes += radio.completed_writes();
    if (attached && writes != saved_writes) {
      saved_writes = writes;
      if (!options->save_file.empty() && !SaveImageFile(options->save_file, attached->image(), &error))
        std::fprintf(stderr, "kavir-radio-sim: %s\n", error.c_str());
      std::fprintf(stderr, "kavir-radio-sim: write %d received\n", saved_writes);
    }
    if (byte_ns > 0) {
      // The request's bytes take their time on the wire before the radio
      // can answer; each answer byte then takes its own.
      long long t = std::max(NowNs(), line_free) + n * byte_ns;
      for (std::uint8_t b : answer) {
        t += byte_ns;
        SleepUntilNs(t);
        if (!WriteAll(master, &b, 1)) break;
      }
      line_free = t;
    } else if (!answer.empty()) {
      WriteAll(master, answer.data(), answer.size());
    }
  }
  report_bytes();
  close(slave);
  close(master);
  return 0;
}
