#pragma once
// What a transfer says, on a terminal: prompts and their answers, status
// texts and errors go to stderr as lines, progress is a bar on stderr when
// stderr is a terminal.
#include <string>
#include <vector>

namespace kavir::cli {

class CliUi {
 public:
  // Status texts, prompts and their answers go to stderr when set (the
  // radio commands set it; show, resave and the file commands keep stdout
  // and stderr for their results and errors).
  bool verbose = false;
  // Errors are printed as they come unless the command reports them itself.
  bool print_errors = true;

  // Every error shown, in order.
  const std::vector<std::string>& errors() const { return errors_; }

  // A question answered without asking: said on stderr when verbose.
  void Asked(const std::string& text, const std::string& caption, bool yes);
  void ShowError(const std::string& text);
  void SetStatusText(const std::string& text);
  void BeginProgress(const std::string& text, short range, short position);
  void EndProgress();

 private:
  std::vector<std::string> errors_;
  bool bar_shown_ = false;
};

// True when stderr is a terminal.
bool StderrIsTerminal();

}  // namespace kavir::cli
