// The profile-open path on any bytes: a load never crashes, and what the
// set-up stores, saved and opened again, gives the same set-up.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "profile/gbk.h"
#include "profile/profile.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace {

const kavir::ProgramData& Data() {
  static const kavir::ProgramData data = [] {
    kavir::ProgramData d = kavir::ProgramData::Load(kavir::WorkingFiles::FromDirectory(KAVIR_DATA_DIR));
    if (!d.lists_status.ok) std::abort();
    return d;
  }();
  return data;
}

const kavir::Setup& Baseline() {
  static const kavir::Setup setup =
      Data().Resolve(kavir::ReadSetupRecord(kavir::ReadIniFile(Data().files.ModelFile("KV16V"))));
  return setup;
}

// What survives a save: a GBK file cannot hold text GBK lacks.
bool Representable(const kavir::IniDocument& doc, const std::string& text) {
  return doc.encoding() != kavir::IniDocument::Encoding::Gbk || kavir::Utf8ToGbk(text).has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  kavir::IniDocument file = kavir::IniDocument::Parse(bytes);
  (void)kavir::HasProfileContent(file);
  for (const kavir::LongValue& v : kavir::LongProfileValues(file))
    if (kavir::GbkLength(v.value) < 20) std::abort();
  const kavir::Setup loaded = kavir::ResolveChoices(kavir::ReadSetupRecord(file), Data().lists, Baseline());

  // Save over the same file, as Save does, then open what was written.
  kavir::StoreSetup(loaded, file);
  const kavir::IniDocument saved = kavir::IniDocument::Parse(file.Serialize());
  const kavir::Setup reloaded = kavir::ResolveChoices(kavir::ReadSetupRecord(saved), Data().lists, Baseline());
  if (reloaded == loaded) return 0;
  const auto loaded_values = kavir::StoredValues(loaded);
  const auto reloaded_values = kavir::StoredValues(reloaded);
  if (loaded_values.size() != reloaded_values.size()) std::abort();
  for (std::size_t i = 0; i < loaded_values.size(); ++i)
    if (Representable(file, loaded_values[i].second) && loaded_values[i] != reloaded_values[i]) {
      std::fprintf(stderr, "%s: '%s' after the load, '%s' after save and reload\n", loaded_values[i].first.c_str(),
                   loaded_values[i].second.c_str(), reloaded_values[i].second.c_str());
      std::abort();
    }
  return 0;
}
