#pragma once
// The option lists of every setting (KAVIR.ini) and of the channel grid
// (QTDQT.ini), read once; what turns an option's text into its position.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini/ini_document.h"
#include "option_search.h"
#include "setting_catalogue.h"

namespace kavir {

// Option lists: entries "1", "2", ... of a section, ending at the first
// missing or empty entry, at most `limit` of them, each clipped to 19 GBK bytes.

inline constexpr int kSettingListLimit = 200;  // KAVIR.ini lists
inline constexpr int kToneListLimit = 300;     // QTDQT.ini DeCode, Coding
inline constexpr int kShortListLimit = 50;     // other QTDQT.ini lists

std::vector<std::string> ReadOptionList(const IniDocument& doc, std::string_view section, int limit);

// The seven channel lists of QTDQT.ini, in grid column order 2,4,5,6,7,8,9.
struct ChannelLists {
  std::vector<std::string> decode, coding, busy_lock, tx_power, channel_scans, clock_freq, zone_wide;
  // The list of grid column 2..9 (column 3 has none: returns nullptr).
  const std::vector<std::string>* ForColumn(int column) const;
};
ChannelLists ReadChannelLists(const IniDocument& qtdqt);

struct OptionLists {
  std::array<std::vector<std::string>, kSettingCount> lists;
  std::vector<std::string> battery;  // BatterySupply: the box's texts

  const std::vector<std::string>& operator[](Setting s) const { return lists[static_cast<int>(s)]; }
  std::vector<std::string>& operator[](Setting s) { return lists[static_cast<int>(s)]; }
  // Entry `number` (from 1) of a list; fallback when the list has none.
  std::string Entry(Setting s, int number, std::string_view fallback) const;
  bool operator==(const OptionLists&) const = default;
};

OptionLists ReadOptionLists(const IniDocument& kavir_ini);

// A tone text of the grid's receive or transmit tone column that goes into
// a radio as it reads: one of the column's list; without a list, one that
// encodes back to itself.
bool IsValidTone(const std::vector<std::string>& tones, const std::string& text);

// A tone as people type it, as the tone list writes it: "88.5", "67" or
// "CTCSS 88.5" (or "88,5") give "CTCSS:88.5" / "CTCSS:67.0"; "023", "DCS023", "D023N"
// give "+DCS:023", "D023I" or "-023" "-DCS:023"; any letter case. Only a
// text IsValidTone takes comes out; otherwise nullopt and *error names the
// forms that are accepted.
std::optional<std::string> ToneFromTyped(const std::vector<std::string>& tones, std::string_view typed,
                                         std::string* error = nullptr);

}  // namespace kavir
