#include "option_list.h"

#include "profile_keys.h"

namespace kavir {

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
