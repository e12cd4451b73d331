#pragma once
// A programming screen set up from a copy of the shipped data files.
#include <memory>
#include <string>

#include "profile/test_dir.h"
#include "screen/kavir_view.h"

namespace kavir::test {

class Screen {
 public:
  Screen();  // model KV16V loaded, as at start-up
  // Another screen on the same program folder.
  explicit Screen(const Screen& same_folder_as, int);
  CKAVIRView& view() { return *view_; }
  HeadlessUi& ui() { return ui_; }
  const std::string& dir() const { return dir_; }
  std::string File(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::shared_ptr<testing::TempDir> temp_;
  std::string dir_;
  HeadlessUi ui_;
  std::unique_ptr<CKAVIRView> view_;
};

// A file of tests/data/interchange.
std::string Fixture(const std::string& name);

}  // namespace kavir::test
