#pragma once
// Ctrl+C, SIGTERM and SIGHUP while a radio is being written: the first asks
// the command to finish the radio in progress, a second one ends it at
// once. A signal the shell ignores (nohup, a background job) stays ignored.
namespace kavir::cli {

class Interrupts {
 public:
  // first runs on the first signal, second on the next; both from the
  // signal handler, so they may only set atomics and call Say.
  Interrupts(void (*first)(int sig), void (*second)(int sig));
  ~Interrupts();  // the handlers as they were
  Interrupts(const Interrupts&) = delete;
  Interrupts& operator=(const Interrupts&) = delete;

  // How many signals came.
  static int count();
  // Writes text to stderr; safe in a signal handler.
  static void Say(const char* text);
};

// A failed print (a closed pipe) is an error of that print, never the end
// of a transfer. Called once at start-up.
void IgnoreBrokenPipe();

}  // namespace kavir::cli
