#pragma once
// kavir-radio-sim run as a child process for a test or a bench: started with
// its arguments, its pseudo-terminal read from its first line, ended with
// SIGTERM when the object goes.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace kavir::test {

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      std::string program = KAVIR_RADIO_SIM;
      argv.push_back(program.data());
      std::vector<std::string> copy = args;
      for (auto& a : copy) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    // The device path is the first line; give up after ten seconds.
    std::string line;
    for (int waited = 0; waited < 100 && line.find('\n') == std::string::npos;) {
      pollfd pfd{out[0], POLLIN, 0};
      if (poll(&pfd, 1, 100) <= 0) {
        ++waited;
        continue;
      }
      char buf[256];
      ssize_t n = read(out[0], buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, static_cast<std::size_t>(n));
    }
    close(out[0]);
    if (auto nl = line.find('\n'); nl != std::string::npos) device_ = line.substr(0, nl);
  }
  ~SimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // Sends sig and waits up to within_ms for the simulator to end; true
  // when it did. One that does not is killed.
  bool StopWith(int sig, int within_ms) {
    if (pid_ <= 0) return false;
    kill(pid_, sig);
    int status = 0;
    for (int waited = 0; waited < within_ms; waited += 10) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return true;
      }
      usleep(10000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return false;
  }

  // "" when the simulator did not start.
  const std::string& device() const { return device_; }

 private:
  pid_t pid_ = -1;
  std::string device_;
};

}  // namespace kavir::test
