#include "profile_keys.h"

#include <cstdio>

namespace kavir {

const std::vector<std::string>& RadioWideKeys() {
  static const std::vector<std::string> keys = {
      "Type",          "Mode",       "TimerOut",  "Prealet",       "ChannelMonitor", "SquelchLevel",
      "Beep",          "Voice",      "Alarm",     "RunControl",    "CloneEnable",    "TuningMode",
      "ScanOperation", "ChanMode",   "ChanSet",   "LookA",         "RxStay",         "RxRestart",
      "TxRestart",     "RxCH",       "TxChanSel", "AssignCHSet",   "ScanDirection",  "ScanSpeed",
      "ScanAlert",     "ScanDelAdd", "TempDel",   "BatterySupply", "FreqV",          "FreqU"};
  return keys;
}

const std::array<std::string_view, 9>& ChannelSuffixesClearOrder() {
  static constexpr std::array<std::string_view, 9> s = {"BusyLock", "ChannelScans", "ClockFreq", "Coding",  "Decode",
                                                        "RxFreq",   "TxFreq",       "TxPower",   "ZoneWide"};
  return s;
}

const std::array<std::string_view, 9>& ChannelSuffixesColumnOrder() {
  static constexpr std::array<std::string_view, 9> s = {"RxFreq",  "Decode",       "TxFreq",    "Coding",  "BusyLock",
                                                        "TxPower", "ChannelScans", "ClockFreq", "ZoneWide"};
  return s;
}

std::string ChannelKey(int channel, std::string_view suffix) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "CH%02d.", channel);
  return prefix + std::string(suffix);
}
std::string ChBoxKey(int channel) { return "CBR" + std::to_string(channel); }
std::string TxBoxKey(int channel) { return "CBT" + std::to_string(channel); }

const std::vector<std::string>& ProfileKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k = RadioWideKeys();
    for (std::string_view suffix : ChannelSuffixesClearOrder())
      for (int n = 1; n <= kChannelCount; ++n) k.push_back(ChannelKey(n, suffix));
    for (int n = 1; n <= kChannelCount; ++n) k.push_back(TxBoxKey(n));
    for (int n = 1; n <= kChannelCount; ++n) k.push_back(ChBoxKey(n));
    k.insert(k.end(), {"PF1S", "PF2S", "PF3S"});
    return k;
  }();
  return keys;
}

}  // namespace kavir
