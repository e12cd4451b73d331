#include "codec_test_support.h"

#include <cstdio>
#include <filesystem>

#include "profile/file_path.h"

namespace kavir::test {

namespace fs = std::filesystem;

ShippedScreen::ShippedScreen() : files(WorkingFiles::FromDirectory(dir.path())) {
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), PathFromUtf8(dir.path()) / e.path().filename());
  view = std::make_unique<CKAVIRView>(files, ui);
  view->OnInitialUpdate(nullptr);
}

void ShippedScreen::Load(const std::string& model_name) { view->LoadProfile(files.ModelFile(model_name)); }

IniDocument ShippedScreen::Stored() const {
  IniDocument doc;
  view->StoreInto(doc);
  return doc;
}

IniDocument ShippedScreen::Kavir() const { return ReadIniFile(files.kavir_ini); }

void ShippedScreen::SetChannel(int n, const std::vector<std::string>& cells) {
  for (int c = 1; c <= 9 && c <= static_cast<int>(cells.size()); ++c) view->grid.SetText(n, c, cells[c - 1]);
}

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
  std::string s;
  char buf[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
    s += buf;
  }
  return s;
}

}  // namespace kavir::test
