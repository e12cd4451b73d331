// A profile opened from any bytes, saved over the same file and opened
// again gives the same set-up.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ini/gbk.h"
#include "model_data.h"

namespace {

// What survives a save: a GBK file cannot hold text GBK lacks.
bool Representable(const kavir::IniDocument& doc, const std::string& text) {
  return doc.encoding() != kavir::IniDocument::Encoding::Gbk || kavir::Utf8ToGbk(text).has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavir;
  IniDocument file = IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const Setup loaded = ResolveChoices(ReadSetupRecord(file), fuzz::Data().lists, fuzz::Baseline());

  // Save over the same file, as Save does, then open what was written.
  StoreSetup(loaded, file);
  const IniDocument saved = IniDocument::Parse(file.Serialize());
  const Setup reloaded = ResolveChoices(ReadSetupRecord(saved), fuzz::Data().lists, fuzz::Baseline());
  if (reloaded == loaded) return 0;
  const auto loaded_values = StoredValues(loaded);
  const auto reloaded_values = StoredValues(reloaded);
  if (loaded_values.size() != reloaded_values.size()) std::abort();
  for (std::size_t i = 0; i < loaded_values.size(); ++i)
    if (Representable(file, loaded_values[i].second) && loaded_values[i] != reloaded_values[i]) {
      std::fprintf(stderr, "%s: '%s' after the load, '%s' after save and reload\n", loaded_values[i].first.c_str(),
                   loaded_values[i].second.c_str(), reloaded_values[i].second.c_str());
      std::abort();
    }
  return 0;
}
