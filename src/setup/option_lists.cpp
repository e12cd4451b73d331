#include "option_lists.h"

#include "profile/conversions.h"
#include "profile/profile_keys.h"

namespace kavir {

std::string OptionLists::Entry(Setting s, int number, std::string_view fallback) const {
  const std::vector<std::string>& list = (*this)[s];
  if (number >= 1 && number <= static_cast<int>(list.size())) return list[number - 1];
  return std::string(fallback);
}

OptionLists ReadOptionLists(const IniDocument& kavir_ini) {
  OptionLists out;
  for (const SettingInfo& i : Settings())
    out[i.setting] = ReadOptionList(kavir_ini, i.key, kSettingListLimit);
  out.battery = ReadOptionList(kavir_ini, "BatterySupply", kSettingListLimit);
  return out;
}

bool IsValidTone(const std::vector<std::string>& tones, const std::string& text) {
  if (!tones.empty()) {
    for (const std::string& t : tones)
      if (t == text) return true;
    return false;
  }
  const auto bytes = ToneBytes(text);
  return ToneText(bytes.data()) == text;
}

}  // namespace kavir
