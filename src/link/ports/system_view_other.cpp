// Systems without sysfs and /proc: nothing is known beyond what opening a
// port says.
#include "system_view.h"

namespace kavir {

namespace {

class UnknownSystemView : public SystemView {
 public:
  std::vector<std::string> TtyNames() override { return {}; }
  std::optional<std::string> ReadText(const std::string&) override { return std::nullopt; }
  std::string Resolve(const std::string&) override { return {}; }
  bool Exists(const std::string&) override { return false; }
  // Unknown: taken as a serial device that may be opened.
  DeviceStat Stat(const std::string&) override { return {true, true, 0, 0, 0666, 0, 0}; }
  bool MayReadWrite(const std::string&) override { return true; }
  std::string GroupName(unsigned) override { return {}; }
  std::string UserName() override { return {}; }
  std::vector<Holder> Holders(const std::string&) override { return {}; }
  std::vector<std::string> RunningPrograms() override { return {}; }
};

}  // namespace

std::unique_ptr<SystemView> MakeSystemView() { return std::make_unique<UnknownSystemView>(); }

}  // namespace kavir
