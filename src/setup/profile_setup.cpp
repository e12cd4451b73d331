#include "profile_setup.h"

#include <array>
#include <unordered_map>

#include "frequency.h"
#include "ini/atomic_file.h"
#include "ini/gbk.h"
#include "ini/translate.h"
#include "option_search.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"

namespace kavir {

namespace {

// Empty and "0..." clear a box; any other value sets it.
bool BoxValue(const std::string& value) { return !value.empty() && value[0] != '0'; }

// A channel's keys, made once: a load and a store each name all of them.
struct ChannelKeys {
  std::array<std::string, kChannelFieldCount> fields;
  std::string ch_box, tx_box;
};

const ChannelKeys& KeysOf(int n) {
  static const std::array<ChannelKeys, kChannels> keys = [] {
    std::array<ChannelKeys, kChannels> k;
    for (int c = 1; c <= kChannels; ++c) {
      for (int f = 0; f < kChannelFieldCount; ++f) k[c - 1].fields[f] = ChannelKey(c, FieldKeySuffix(ChannelField(f)));
      k[c - 1].ch_box = ChBoxKey(c);
      k[c - 1].tx_box = TxBoxKey(c);
    }
    return k;
  }();
  return keys[n - 1];
}

bool IsFrequencyField(ChannelField f) { return f == ChannelField::RxFreq || f == ChannelField::TxFreq; }

}  // namespace

std::string PadFrequency(std::string text) {
  // Whole megahertz get their point first: "145" padded to "145000000"
  // would read as 145000000 MHz.
  if (!text.empty() && GbkLength(text) < 9 && text.find_first_not_of("0123456789") == std::string::npos) text += '.';
  // Measured again after each '0': in a UTF-8 file a stray lead byte takes
  // the digits after it into its character, and a padding counted once
  // would grow by another '0' at every save.
  while (GbkLength(text) < 9) text += '0';
  return text;
}

std::vector<std::string> FrequencyTextProblems(const Setup& setup) {
  std::vector<std::string> problems;
  for (int n = 1; n <= kChannels; ++n)
    for (ChannelField f : {ChannelField::RxFreq, ChannelField::TxFreq}) {
      const std::string& text = setup.channel(n)[f];
      // Read as the store will keep it, so what is named is what would go in.
      if (TrimBlanks(text).empty() || Frequency::Read(PadFrequency(text))) continue;
      problems.push_back(ChannelLabel(n) + " " + FieldCaption(f) + " \"" + text + "\"" +
                         TrText("Codec", ": 不是以 MHz 为单位的频率 (例如 145.00000)"));
    }
  return problems;
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
    const ChannelKeys& keys = KeysOf(n);
    for (int f = 0; f < kChannelFieldCount; ++f) c.fields[f] = read(keys.fields[f], "");
    c.enabled = BoxValue(read(keys.ch_box, ""));
    c.tx_enabled = BoxValue(read(keys.tx_box, ""));
  }
  return s;
}

Choice ResolveChoice(const std::vector<std::string>& options, const Choice& record, const Choice& before) {
  const std::string_view text = record.text;
  // A read names its option's position; a file only its text.
  if (record.index >= 0 && record.index < static_cast<int>(options.size()) && options[record.index] == text)
    return record;
  if (before.index >= 0 && before.text == TrimBlanks(text)) return before;
  const int found = FindOption(options, text);
  return found >= 0 ? Choice{found, options[found]} : before;
}

Setup ResolveChoices(const Setup& record, const OptionLists& lists, const Setup& shown) {
  Setup out = record;
  for (const SettingInfo& i : Settings())
    out[i.setting] = ResolveChoice(lists[i.setting], record[i.setting], shown[i.setting]);
  // No transmitting on a channel that is off: the form clears the TX box.
  for (Channel& c : out.channels)
    if (!c.enabled) c.tx_enabled = false;
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
      write(KeysOf(n).fields[f], IsFrequencyField(ChannelField(f)) ? PadFrequency(text) : text);
    }
  }
  for (int n = 1; n <= kChannels; ++n) write(KeysOf(n).ch_box, s.channel(n).enabled ? "1" : "0");
  for (int n = 1; n <= kChannels; ++n) write(KeysOf(n).tx_box, s.channel(n).tx_enabled ? "1" : "0");
  for (Setting k : {Setting::PF1S, Setting::PF2S, Setting::PF3S}) write(Info(k).key, s[k].text);
}

}  // namespace

void StoreSetup(const Setup& s, IniDocument& doc) {
  ForEachStoredValue(s,
                     [&](std::string_view key, std::string_view value) { doc.SetString(kProfileSection, key, value); });
}

std::vector<std::pair<std::string, std::string>> StoredValues(const Setup& setup) {
  // Where each write of a store lands in clearing order (a key written
  // twice lands twice in its one place, the last write kept).
  static const std::vector<std::size_t> place = [] {
    std::unordered_map<std::string_view, std::size_t> index;
    for (std::size_t i = 0; i < ProfileKeys().size(); ++i) index.emplace(ProfileKeys()[i], i);
    std::vector<std::size_t> p;
    ForEachStoredValue(Setup{}, [&](std::string_view key, std::string_view) { p.push_back(index.at(key)); });
    return p;
  }();
  // As a document would give them back: each value without its blanks.
  std::vector<std::pair<std::string, std::string>> values(ProfileKeys().size());
  std::size_t write = 0;
  ForEachStoredValue(setup, [&](std::string_view key, std::string_view value) {
    values[place[write++]] = {std::string(key), std::string(TrimBlanks(value))};
  });
  return values;
}

IoStatus StoreSetupFile(const std::string& path, const Setup& setup, StoredKeys keys) {
  if (path.empty()) return IoStatus::BadInput(path, "no file name given");
  IoStatus status;
  // A pipe or device is written as it is, never read first.
  IniDocument doc = KindOfFile(path) == FileKind::Other ? IniDocument() : ReadIniFile(path, &status);
  // A file that cannot be read is not overwritten: its other sections would be lost.
  if (!status) return status;
  if (keys == StoredKeys::ClearedFirst) ClearProfileKeys(doc);
  StoreSetup(setup, doc);
  return WriteIniFile(path, doc);
}

IoStatus SaveSetupRecord(const std::string& path, const Setup& setup) {
  return StoreSetupFile(path, setup, StoredKeys::ClearedFirst);
}

}  // namespace kavir
