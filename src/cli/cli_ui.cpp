#include "cli_ui.h"

#include <cstdio>
#include <iostream>

#include "link/transfer_summary.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavir::cli {

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

void CliUi::Asked(const std::string& text, const std::string& caption, bool yes) {
  if (verbose) std::cerr << caption << " " << OneLine(text) << " " << (yes ? "Y" : "N") << "\n";
}

void CliUi::ShowError(const std::string& text) {
  errors_.push_back(OneLine(text));
  if (print_errors) std::cerr << "kavir-cli: " << OneLine(text) << "\n";
}

void CliUi::SetStatusText(const std::string& text) {
  if (verbose) std::cerr << text << "\n";
}

void CliUi::BeginProgress(const std::string& text, short range, short position) {
  if (verbose) std::cerr << text << "\n";
  if (!StderrIsTerminal() || range <= 0) return;
  const int width = 40;
  const int filled = position >= range ? width : width * position / range;
  std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, ' ') << "] "
            << (100 * (position >= range ? range : position) / range) << "%" << std::flush;
  bar_shown_ = true;
}

void CliUi::EndProgress() {
  if (bar_shown_) std::cerr << "\r" << std::string(50, ' ') << "\r" << std::flush;
  bar_shown_ = false;
}

}  // namespace kavir::cli
