// The Linux view: sysfs for the adapters, /proc for the programs.
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "system_view.h"

namespace kavir {

namespace {

std::vector<std::string> DirNames(const std::string& dir) {
  std::vector<std::string> out;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') out.emplace_back(e->d_name);
    closedir(d);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string LinkTarget(const std::string& path) {
  char buf[PATH_MAX];
  const ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

bool IsNumber(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// /proc/PID/comm is cut at 15 bytes, maybe inside a character: the
// cut-off lead bytes are dropped.
std::string WithoutCutCharacter(std::string name) {
  std::size_t start = name.size();
  while (start > 0 && name.size() - start < 3 && (static_cast<unsigned char>(name[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return name;
  const unsigned char lead = static_cast<unsigned char>(name[start - 1]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (name.size() - (start - 1) < length) name.erase(start - 1);
  return name;
}

class LinuxSystemView : public SystemView {
 public:
  std::vector<std::string> TtyNames() override { return DirNames("/sys/class/tty"); }

  std::optional<std::string> ReadText(const std::string& path) override {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
  }

  std::string Resolve(const std::string& path) override {
    if (LinkTarget(path).empty()) return {};
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : std::string();
  }

  bool Exists(const std::string& path) override { return access(path.c_str(), F_OK) == 0; }

  DeviceStat Stat(const std::string& device) override {
    DeviceStat d;
    struct stat st {};
    if (stat(device.c_str(), &st) != 0) return d;
    d.exists = true;
    d.char_device = S_ISCHR(st.st_mode);
    d.uid = st.st_uid;
    d.gid = st.st_gid;
    d.mode = st.st_mode & 07777;
    d.major = major(st.st_rdev);
    d.minor = minor(st.st_rdev);
    return d;
  }

  bool MayReadWrite(const std::string& device) override { return access(device.c_str(), R_OK | W_OK) == 0; }

  std::string GroupName(unsigned gid) override {
    const group* g = getgrgid(gid);
    return g ? g->gr_name : std::to_string(gid);
  }

  std::string UserName() override {
    const passwd* p = getpwuid(getuid());
    return p ? p->pw_name : std::string();
  }

  std::vector<Holder> Holders(const std::string& device) override {
    std::vector<Holder> out;
    char buf[PATH_MAX];
    const std::string target = realpath(device.c_str(), buf) ? std::string(buf) : device;
    // The far end of /dev/pts/N holds /dev/ptmx with tty-index N.
    std::string pty_index;
    if (target.rfind("/dev/pts/", 0) == 0) pty_index = target.substr(9);
    const std::string self = std::to_string(getpid());
    for (const std::string& pid : DirNames("/proc")) {
      if (!IsNumber(pid) || pid == self) continue;
      const std::string fd_dir = "/proc/" + pid + "/fd";
      bool holds = false, far_end = false;
      for (const std::string& fd : DirNames(fd_dir)) {
        const std::string link = LinkTarget(fd_dir + "/" + fd);
        if (link == target) holds = true;
        if (!pty_index.empty() && (link == "/dev/ptmx" || link == "/dev/pts/ptmx")) {
          auto info = ReadText("/proc/" + pid + "/fdinfo/" + fd).value_or("");
          const std::size_t at = info.find("tty-index:");
          if (at != std::string::npos && std::atoi(info.c_str() + at + 10) == std::atoi(pty_index.c_str()))
            far_end = true;
        }
      }
      if (holds && !far_end)
        out.push_back({std::atoi(pid.c_str()), WithoutCutCharacter(ReadText("/proc/" + pid + "/comm").value_or(""))});
    }
    return out;
  }

  std::vector<std::string> RunningPrograms() override {
    std::vector<std::string> out;
    for (const std::string& pid : DirNames("/proc"))
      if (IsNumber(pid))
        if (auto comm = ReadText("/proc/" + pid + "/comm")) out.push_back(*comm);
    return out;
  }
};

}  // namespace

std::unique_ptr<SystemView> MakeSystemView() { return std::make_unique<LinuxSystemView>(); }

}  // namespace kavir
