#pragma once
// What the port list and the doctor ask of the operating system, behind a
// small interface so that tests can describe any machine. The Linux view
// reads sysfs (/sys/class/tty) and /proc.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kavir {

// A process that has a device open.
struct Holder {
  int pid = 0;
  std::string program;  // its name as the system gives it
};

struct DeviceStat {
  bool exists = false;
  bool char_device = false;
  unsigned uid = 0, gid = 0;
  unsigned mode = 0;              // permission bits
  unsigned major = 0, minor = 0;  // of a character device
};

class SystemView {
 public:
  virtual ~SystemView() = default;
  // Entries of /sys/class/tty (ttyS0, ttyUSB0, ...), sorted.
  virtual std::vector<std::string> TtyNames() = 0;
  // A sysfs or /proc file's text without the trailing line break.
  virtual std::optional<std::string> ReadText(const std::string& path) = 0;
  // Where a sysfs link leads, as an absolute path ("" when it is no link).
  virtual std::string Resolve(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual DeviceStat Stat(const std::string& device) = 0;
  // This user may open the device for reading and writing.
  virtual bool MayReadWrite(const std::string& device) = 0;
  virtual std::string GroupName(unsigned gid) = 0;
  virtual std::string UserName() = 0;
  // Other processes that have the device open, leaving out this process
  // and the far end of a pseudo-terminal (which plays the radio). Only
  // what this user may see.
  virtual std::vector<Holder> Holders(const std::string& device) = 0;
  // Names of the running programs.
  virtual std::vector<std::string> RunningPrograms() = 0;
};

// The view of this machine; on systems without sysfs every question is
// answered with "unknown" (empty).
std::unique_ptr<SystemView> MakeSystemView();

}  // namespace kavir
