#include "profile_file.h"

#include "ini/gbk.h"
#include "profile_keys.h"

namespace kavir {

bool HasProfileContent(const IniDocument& doc) {
  for (const std::string& key : ProfileKeys())
    if (doc.Find(kProfileSection, key)) return true;
  return false;
}

std::vector<LongValue> LongProfileValues(const IniDocument& doc) {
  std::vector<LongValue> long_values;
  for (const std::string& key : ProfileKeys()) {
    auto value = doc.Find(kProfileSection, key);
    if (value && GbkLength(*value) > kValueBuffer - 1) long_values.push_back({key, *value});
  }
  return long_values;
}

void ClearProfileKeys(IniDocument& doc) {
  for (const std::string& key : ProfileKeys()) doc.SetString(kProfileSection, key, "");
}

}  // namespace kavir
