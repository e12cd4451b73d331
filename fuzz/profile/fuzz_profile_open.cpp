// The profile-open path on any bytes: a load never crashes, names every
// value too long to keep, and shows only options of each list.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ini/gbk.h"
#include "model_data.h"
#include "setup/profile_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kavir;
  const IniDocument file = IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool content = HasProfileContent(file);
  for (const LongValue& v : LongProfileValues(file))
    if (GbkLength(v.value) < kValueBuffer) std::abort();
  // A file without one profile key opens as the defaults.
  static const Setup defaults = ReadSetupRecord(IniDocument());
  const Setup record = ReadSetupRecord(file);
  if (!content && record != defaults) std::abort();
  const Setup shown = ResolveChoices(record, fuzz::Data().lists, fuzz::Baseline());
  for (const SettingInfo& i : Settings()) {
    const Choice& c = shown[i.setting];
    const auto& options = fuzz::Data().lists[i.setting];
    if (c.index >= 0 && (c.index >= static_cast<int>(options.size()) || options[c.index] != c.text)) std::abort();
  }
  return 0;
}
