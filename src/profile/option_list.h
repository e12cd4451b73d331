#pragma once
// Option lists: entries "1", "2", ... of a section, ending at the first
// missing or empty entry, at most `limit` of them, each clipped to 19 GBK bytes.
#include <string>
#include <string_view>
#include <vector>

#include "ini_document.h"

namespace kavir {

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

}  // namespace kavir
