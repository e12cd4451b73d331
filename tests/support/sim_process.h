#pragma once
// kavir-radio-sim run as a child process for a test or a bench.
#include <string>
#include <vector>

#if !defined(_WIN32) && defined(KAVIR_RADIO_SIM)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kavir::test {

// kavir-radio-sim started with its arguments; its device is its first line
// of output; it ends with SIGTERM when the object goes.
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
      std::string program = KAVIR_RADIO_SIM;
      std::vector<std::string> copy = args;
      std::vector<char*> argv{program.data()};
      for (auto& a : copy) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    std::string line;  // give up after ten seconds
    for (int waited = 0; waited < 100 && line.find('\n') == std::string::npos;) {
      pollfd pfd{out[0], POLLIN, 0};
      if (poll(&pfd, 1, 100) <= 0) {
        ++waited;
        continue;
      }
      char buf[256];
      const ssize_t n = read(out[0], buf, sizeof buf);
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
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  const std::string& device() const { return device_; }  // "" when it did not start

 private:
  pid_t pid_ = -1;
  std::string device_;
};

}  // namespace kavir::test
#endif
