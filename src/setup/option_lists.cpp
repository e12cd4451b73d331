#include "option_lists.h"

#include <algorithm>
#include <cctype>

#include "ini/translate.h"
#include "setup/conversions.h"
#include "setup/profile_keys.h"

namespace kavir {

std::string OptionLists::Entry(Setting s, int number, std::string_view fallback) const {
  const std::vector<std::string>& list = (*this)[s];
  if (number >= 1 && number <= static_cast<int>(list.size())) return list[number - 1];
  return std::string(fallback);
}

OptionLists ReadOptionLists(const IniDocument& kavir_ini) {
  OptionLists out;
  for (const SettingInfo& i : Settings()) out[i.setting] = ReadOptionList(kavir_ini, i.key, kSettingListLimit);
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

namespace {

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// "88.5" or "67" as the list's CTCSS text; nullopt when it is no such number.
std::optional<std::string> CtcssText(std::string_view n) {
  const std::size_t point = n.find('.');
  std::string_view whole = n.substr(0, point), tenths = point == n.npos ? "" : n.substr(point + 1);
  while (tenths.size() > 1 && tenths.back() == '0') tenths.remove_suffix(1);
  if (!AllDigits(whole) || whole.size() > 3 || tenths.size() > 1 || (!tenths.empty() && !AllDigits(tenths)))
    return std::nullopt;
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  return "CTCSS:" + std::string(whole) + "." + (tenths.empty() ? "0" : std::string(tenths));
}

// Three octal digits, with the polarity a sign or an N/I after them gives.
std::optional<std::string> DcsText(std::string_view code, bool inverted) {
  if (!code.empty() && (code.back() == 'N' || code.back() == 'I')) {
    if (code.back() == 'I') inverted = !inverted;
    code.remove_suffix(1);
  }
  if (code.size() != 3 || code.find_first_not_of("01234567") != code.npos) return std::nullopt;
  return (inverted ? "-DCS:" : "+DCS:") + std::string(code);
}

}  // namespace

std::optional<std::string> ToneFromTyped(const std::vector<std::string>& tones, std::string_view typed,
                                         std::string* error) {
  const std::string_view as_typed = TrimBlanks(typed);
  // "88,5" with a decimal comma, as a frequency may be typed: no tone text holds a comma.
  std::string with_point(as_typed);
  std::replace(with_point.begin(), with_point.end(), ',', '.');
  const std::string_view trimmed = with_point;
  std::string t;
  for (char c : trimmed)
    if (c != ' ' && c != ':') t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // Candidates, most likely first; the first one the list holds wins.
  std::vector<std::string> candidates{std::string(trimmed)};
  // A whole number of hertz without its ".0", in any family the list holds.
  if (!trimmed.empty() && std::string_view("CTS").find(trimmed.front()) != std::string_view::npos &&
      trimmed.find('.', 1) == trimmed.npos)
    candidates.push_back(std::string(trimmed) + ".0");
  bool inverted = false;
  std::string_view rest = t;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    inverted = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (rest.rfind("CTCSS", 0) == 0) {
    if (auto c = CtcssText(rest.substr(5))) candidates.push_back(*c);
  } else if (rest.rfind("DCS", 0) == 0 || rest.rfind("D", 0) == 0) {
    if (auto d = DcsText(rest.substr(rest.rfind("DCS", 0) == 0 ? 3 : 1), inverted)) candidates.push_back(*d);
  } else if (!rest.empty()) {
    // A bare number: a leading zero or a polarity means DCS, else CTCSS first.
    const bool dcs_first =
        rest.front() == '0' || t.front() == '+' || t.front() == '-' || rest.back() == 'N' || rest.back() == 'I';
    std::optional<std::string> first = t.front() == '+' || t.front() == '-' ? std::nullopt : CtcssText(rest);
    std::optional<std::string> second = DcsText(rest, inverted);
    if (dcs_first) std::swap(first, second);
    for (const auto& v : {first, second})
      if (v) candidates.push_back(*v);
  }
  for (const std::string& c : candidates) {
    if (IsValidTone(tones, c)) return c;
    // The list's own text in another letter case.
    for (const std::string& option : tones)
      if (option.size() == c.size() && std::equal(option.begin(), option.end(), c.begin(), [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
          }))
        return option;
  }
  if (error)
    *error = ArgText(TrText("Setup",
                            "亚音 \"%1\" 不在亚音列表内; 可以输入例如 88.5、CTCSS:88.5、023、D023N (正向)、"
                            "D023I (反向) 或 关"),
                     {as_typed});
  return std::nullopt;
}

std::vector<std::string> ReadOptionList(const IniDocument& doc, std::string_view section, int limit) {
  std::vector<std::string> options;
  for (int i = 1; i <= limit; ++i) {
    std::string text = doc.GetString(section, std::to_string(i), "", kValueBuffer);
    if (text.empty()) break;
    options.push_back(std::move(text));
  }
  return options;
}

const std::vector<std::string>* ChannelLists::ForColumn(int column) const {
  switch (column) {
    case 2:
      return &decode;
    case 4:
      return &coding;
    case 5:
      return &busy_lock;
    case 6:
      return &tx_power;
    case 7:
      return &channel_scans;
    case 8:
      return &clock_freq;
    case 9:
      return &zone_wide;
    default:
      return nullptr;
  }
}

ChannelLists ReadChannelLists(const IniDocument& qtdqt) {
  ChannelLists l;
  l.decode = ReadOptionList(qtdqt, "DeCode", kToneListLimit);
  l.coding = ReadOptionList(qtdqt, "Coding", kToneListLimit);
  l.busy_lock = ReadOptionList(qtdqt, "BusyLock", kShortListLimit);
  l.tx_power = ReadOptionList(qtdqt, "TxPower", kShortListLimit);
  l.channel_scans = ReadOptionList(qtdqt, "ChannelScans", kShortListLimit);
  l.clock_freq = ReadOptionList(qtdqt, "ClockFreq", kShortListLimit);
  l.zone_wide = ReadOptionList(qtdqt, "ZoneWide", kShortListLimit);
  return l;
}

}  // namespace kavir
