#pragma once
// Runs the built programs as a user would: kavir-cli with its output
// captured, kavir-radio-sim as a child process on a pseudo-terminal.
#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "program_files.h"
#include "sim_process.h"

namespace kavir::test {

struct CliResult {
  int exit_code = -1;
  std::string out, err;
  std::vector<std::string> OutLines() const { return Lines(out); }
  std::vector<std::string> ErrLines() const { return Lines(err); }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t nl = text.find('\n', at);
      if (nl == std::string::npos) nl = text.size();
      lines.push_back(text.substr(at, nl - at));
      at = nl + 1;
    }
    return lines;
  }
};

// program and args are quoted one by one; scratch holds the captured output.
inline CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& scratch) {
  auto quote = [](const std::string& a) { return "\"" + a + "\""; };
  const std::string out = JoinPath(scratch, "run.out"), err = JoinPath(scratch, "run.err");
  // The programs speak the locale's language: the tests read the Chinese.
#ifdef _WIN32
  std::string cmd = quote(program);
#else
  std::string cmd = "LC_ALL=C.UTF-8 " + quote(program);
#endif
  for (const std::string& a : args) cmd += " " + quote(a);
  cmd += " >" + quote(out) + " 2>" + quote(err) + " <" + quote(out);
  WriteBytes(out, "");
  CliResult r;
  const int status = std::system(cmd.c_str());
#ifdef _WIN32
  r.exit_code = status;
#else
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  r.out = ReadBytes(out);
  r.err = ReadBytes(err);
  return r;
}

#ifdef KAVIR_CLI
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch) {
  return RunProgram(KAVIR_CLI, args, scratch);
}
#endif

// How many times part occurs in text.
inline std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace kavir::test
