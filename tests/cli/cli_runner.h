#pragma once
// Runs the built kavir-cli and collects what it printed.
#include <string>
#include <vector>

namespace kavir::test {

struct CliResult {
  int exit_code = -1;
  std::string out;  // stdout
  std::string err;  // stderr
  std::vector<std::string> OutLines() const;
  std::vector<std::string> ErrLines() const;
};

// args are quoted one by one; scratch is a folder for the captured output.
CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch);

// A fresh temporary folder, removed at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace kavir::test
