#include "profile_setup.h"

#include <unordered_map>

#include "profile/gbk.h"
#include "profile/profile.h"
#include "profile/profile_keys.h"

namespace kavir {

namespace {

// Empty and "0..." clear a box; any other value sets it.
bool BoxValue(const std::string& value) { return !value.empty() && value[0] != '0'; }

std::string Key(int n, ChannelField f) { return ChannelKey(n, FieldKeySuffix(f)); }

bool IsFrequencyField(ChannelField f) { return f == ChannelField::RxFreq || f == ChannelField::TxFreq; }

}  // namespace

std::string PadFrequency(std::string text) {
  std::size_t length = GbkLength(text);
  for (; length < 9; ++length) text += '0';
  return text;
}

Setup ReadSetupRecord(const IniDocument& doc) {
  auto read = [&](std::string_view key, std::string_view def) {
    std::string value = doc.GetString(kProfileSection, key, def, kValueBuffer);
    // A cut can end in blanks that a save would trim away: the set-up holds
    // what the saved file will.
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    return value;
  };
  Setup s;
  for (const SettingInfo& i : Settings()) s[i.setting].text = read(i.key, i.load_default);
  s.battery_saver = BoxValue(read("BatterySupply", ""));
  s.band_lower = read("FreqV", "");
  s.band_upper = read("FreqU", "");
  for (int n = 1; n <= kChannels; ++n) {
    Channel& c = s.channel(n);
    for (int f = 0; f < kChannelFieldCount; ++f) c.fields[f] = read(Key(n, ChannelField(f)), "");
    c.enabled = BoxValue(read(ChBoxKey(n), ""));
    c.tx_enabled = BoxValue(read(TxBoxKey(n), ""));
  }
  return s;
}

Choice ResolveChoice(const std::vector<std::string>& options, std::string_view text, const Choice& before) {
  if (before.index >= 0 && before.text == TrimBlanks(text)) return before;
  const int found = FindOption(options, text);
  return found >= 0 ? Choice{found, options[found]} : before;
}

Setup ResolveChoices(const Setup& record, const OptionLists& lists, const Setup& shown) {
  Setup out = record;
  for (const SettingInfo& i : Settings())
    out[i.setting] = ResolveChoice(lists[i.setting], record[i.setting].text, shown[i.setting]);
  return out;
}

namespace {

// Every profile key with the value a store gives it, in the order a store
// writes them.
template <typename Write>
void ForEachStoredValue(const Setup& s, Write&& write) {
  for (Setting k : StoreOrder()) write(Info(k).key, s[k].text);
  write("BatterySupply", s.battery_saver ? "1" : "0");
  write("FreqV", s.band_lower);
  write("FreqU", s.band_upper);
  for (int n = 1; n <= kChannels; ++n) {
    for (int f = 0; f < kChannelFieldCount; ++f) {
      const std::string& text = s.channel(n).fields[f];
      write(Key(n, ChannelField(f)), IsFrequencyField(ChannelField(f)) ? PadFrequency(text) : text);
    }
  }
  for (int n = 1; n <= kChannels; ++n) write(ChBoxKey(n), s.channel(n).enabled ? "1" : "0");
  for (int n = 1; n <= kChannels; ++n) write(TxBoxKey(n), s.channel(n).tx_enabled ? "1" : "0");
  for (Setting k : {Setting::PF1S, Setting::PF2S, Setting::PF3S}) write(Info(k).key, s[k].text);
}

}  // namespace

void StoreSetup(const Setup& s, IniDocument& doc) {
  ForEachStoredValue(s, [&](std::string_view key, std::string_view value) {
    doc.SetString(kProfileSection, key, value);
  });
}

std::vector<std::pair<std::string, std::string>> StoredValues(const Setup& setup) {
  // As a document would give them back: each value without its blanks.
  std::unordered_map<std::string, std::string> stored;
  ForEachStoredValue(setup, [&](std::string_view key, std::string_view value) {
    stored[std::string(key)] = std::string(TrimBlanks(value));
  });
  std::vector<std::pair<std::string, std::string>> values;
  values.reserve(ProfileKeys().size());
  for (const std::string& key : ProfileKeys()) values.emplace_back(key, std::move(stored[key]));
  return values;
}

IoStatus SaveSetupRecord(const std::string& path, const Setup& setup) {
  IoStatus status;
  IniDocument doc = ReadIniFile(path, &status);
  // A file that cannot be read is not overwritten: its other sections would be lost.
  if (!status) return status;
  ClearProfileKeys(doc);
  StoreSetup(setup, doc);
  return WriteIniFile(path, doc);
}

}  // namespace kavir
