#include "cli_runner.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kavir::test {

namespace fs = std::filesystem;

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

}  // namespace

std::vector<std::string> CliResult::OutLines() const { return Lines(out); }
std::vector<std::string> CliResult::ErrLines() const { return Lines(err); }

CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch) {
  const std::string out = scratch + "/cli.out";
  const std::string err = scratch + "/cli.err";
  std::string cmd = Quote(KAVIR_CLI);
  for (const std::string& a : args) cmd += " " + Quote(a);
  cmd += " >" + Quote(out) + " 2>" + Quote(err);
  CliResult r;
  const int status = std::system(cmd.c_str());
#ifdef _WIN32
  r.exit_code = status;
#else
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  r.out = Slurp(out);
  r.err = Slurp(err);
  return r;
}

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  for (;;) {
    fs::path p = fs::temp_directory_path() /
                 ("kavir_cli_" + std::to_string(random()) + "_" + std::to_string(counter++));
    if (fs::create_directory(p)) {
      path_ = p.string();
      break;
    }
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

}  // namespace kavir::test
