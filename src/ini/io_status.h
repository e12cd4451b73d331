#pragma once
// Outcome of a file operation: success, or the path and the reason it failed.
#include <string>

namespace kavir {

struct IoStatus {
  bool ok = true;
  std::string path;
  std::string reason;
  // The file is not what was asked for (missing, not a file, too large, not
  // a profile), as opposed to an operation on a good file that failed.
  bool bad_input = false;

  static IoStatus Ok() { return {}; }
  static IoStatus Fail(std::string path, std::string reason) {
    return IoStatus{false, std::move(path), std::move(reason), false};
  }
  static IoStatus BadInput(std::string path, std::string reason) {
    return IoStatus{false, std::move(path), std::move(reason), true};
  }
  explicit operator bool() const { return ok; }
  // "path: reason", for messages shown to the user.
  std::string Message() const { return ok ? std::string() : path + ": " + reason; }
};

// Message() in the chosen language: the file layer's reasons are English,
// a message box around them is not.
std::string UserMessage(const IoStatus& status);

}  // namespace kavir
