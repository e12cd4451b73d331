#include "interrupts.h"

#include <atomic>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavir::cli {

namespace {

using Handler = void (*)(int);

constexpr int kSignals[] = {
    SIGINT,
    SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};
constexpr int kCount = static_cast<int>(sizeof kSignals / sizeof kSignals[0]);

std::atomic<int> g_count{0};
void (*g_first)(int) = nullptr;
void (*g_second)(int) = nullptr;
Handler g_previous[kCount] = {};

extern "C" void OnSignal(int sig) {
  const int n = ++g_count;
  if (n == 1) {
    // Windows resets the handler before calling it: the second must come here too.
    for (int i = 0; i < kCount; ++i)
      if (g_previous[i] != SIG_IGN) std::signal(kSignals[i], OnSignal);
    if (g_first) g_first(sig);
    return;
  }
  // The next one after this ends the program as it would have without us.
  for (int i = 0; i < kCount; ++i)
    if (g_previous[i] != SIG_IGN) std::signal(kSignals[i], SIG_DFL);
  if (g_second) g_second(sig);
}

}  // namespace

Interrupts::Interrupts(void (*first)(int sig), void (*second)(int sig)) {
  g_count = 0;
  g_first = first;
  g_second = second;
  for (int i = 0; i < kCount; ++i) {
    g_previous[i] = std::signal(kSignals[i], OnSignal);
    if (g_previous[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
  }
}

Interrupts::~Interrupts() {
  for (int i = 0; i < kCount; ++i)
    if (g_previous[i] != SIG_ERR) std::signal(kSignals[i], g_previous[i]);
  g_first = g_second = nullptr;
}

int Interrupts::count() { return g_count.load(); }

void Interrupts::Say(const char* text) {
#ifdef _WIN32
  _write(2, text, static_cast<unsigned>(std::strlen(text)));
#else
  const ssize_t written = ::write(2, text, std::strlen(text));
  (void)written;
#endif
}

void IgnoreBrokenPipe() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace kavir::cli
