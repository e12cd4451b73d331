// The profile-open path on any bytes: a load never crashes, and what the
// screen stores, saved and opened again, gives the same screen.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "profile/gbk.h"
#include "profile/profile.h"
#include "screen/kavir_view.h"

namespace {

kavir::CKAVIRView& Screen() {
  // Set up once from the shipped data files; each run resets it below.
  static kavir::HeadlessUi ui;
  static kavir::CKAVIRView* view = [] {
    auto* v = new kavir::CKAVIRView(kavir::WorkingFiles::FromDirectory(KAVIR_DATA_DIR), ui);
    v->OnInitialUpdate(nullptr);
    if (!v->option_lists_status().ok) std::abort();
    return v;
  }();
  return *view;
}

const kavir::IniDocument& Baseline() {
  static const kavir::IniDocument doc =
      kavir::ReadIniFile(Screen().files().ModelFile("KV16V"));
  return doc;
}

// What survives a save: a GBK file cannot hold text GBK lacks.
bool Representable(const kavir::IniDocument& doc, const std::string& text) {
  return doc.encoding() != kavir::IniDocument::Encoding::Gbk || kavir::Utf8ToGbk(text).has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kavir::CKAVIRView& view = Screen();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  view.LoadProfileDocument(Baseline(), "KV16V.ini");

  kavir::IniDocument file = kavir::IniDocument::Parse(bytes);
  (void)kavir::HasProfileContent(file);
  for (const kavir::LongValue& v : kavir::LongProfileValues(file))
    if (kavir::GbkLength(v.value) < 20) std::abort();
  view.LoadProfileDocument(file, "fuzz.dat");
  const auto loaded = view.ProfileValues();

  // Save over the same file, as Save does, then open what was written.
  view.StoreInto(file);
  const kavir::IniDocument saved = kavir::IniDocument::Parse(file.Serialize());
  view.LoadProfileDocument(Baseline(), "KV16V.ini");
  view.LoadProfileDocument(saved, "fuzz.dat");
  const auto reloaded = view.ProfileValues();
  if (loaded.size() != reloaded.size()) std::abort();
  for (std::size_t i = 0; i < loaded.size(); ++i)
    if (Representable(file, loaded[i].second) && loaded[i] != reloaded[i]) {
      std::fprintf(stderr, "%s: '%s' after the load, '%s' after save and reload\n",
                   loaded[i].first.c_str(), loaded[i].second.c_str(), reloaded[i].second.c_str());
      std::abort();
    }
  return 0;
}
