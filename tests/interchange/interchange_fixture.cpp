#include "interchange_fixture.h"

#include <filesystem>

namespace kavir::test {

namespace fs = std::filesystem;

Screen::Screen() : temp_(std::make_shared<testing::TempDir>()) {
  dir_ = temp_->path().string();
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.path().extension() == ".ini") fs::copy_file(e.path(), temp_->path() / e.path().filename());
  view_ = std::make_unique<CKAVIRView>(WorkingFiles::FromDirectory(dir_), ui_);
  view_->OnInitialUpdate(nullptr);
}

Screen::Screen(const Screen& other, int) : temp_(other.temp_), dir_(other.dir_) {
  view_ = std::make_unique<CKAVIRView>(WorkingFiles::FromDirectory(dir_), ui_);
  view_->OnInitialUpdate(nullptr);
}

std::string Fixture(const std::string& name) {
  return testing::ReadBytes(std::string(KAVIR_FIXTURES_DIR) + "/interchange/" + name);
}

}  // namespace kavir::test
