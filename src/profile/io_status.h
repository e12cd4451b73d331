#pragma once
// Outcome of a file operation: success, or the path and the reason it failed.
#include <string>

namespace kavir {

struct IoStatus {
  bool ok = true;
  std::string path;
  std::string reason;

  static IoStatus Ok() { return {}; }
  static IoStatus Fail(std::string path, std::string reason) {
    return IoStatus{false, std::move(path), std::move(reason)};
  }
  explicit operator bool() const { return ok; }
  // "path: reason", for messages shown to the user.
  std::string Message() const { return ok ? std::string() : path + ": " + reason; }
};

}  // namespace kavir
