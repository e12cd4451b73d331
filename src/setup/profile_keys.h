#pragma once
// The 209 keys of a profile file, in the order a clear writes them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kavir {

inline constexpr std::string_view kProfileSection = "Previous";
inline constexpr int kChannelCount = 16;
inline constexpr std::size_t kValueBuffer = 20;  // 19 bytes of a value count
inline constexpr std::size_t kBandBuffer = 10;   // FreqV/FreqU in the encoder

// Radio-wide keys, Type .. FreqU (30 keys).
const std::vector<std::string>& RadioWideKeys();
// The channel key suffixes in clearing order: BusyLock, ChannelScans,
// ClockFreq, Coding, Decode, RxFreq, TxFreq, TxPower, ZoneWide.
const std::array<std::string_view, 9>& ChannelSuffixesClearOrder();
// The suffixes in grid column order 1..9: RxFreq, Decode, TxFreq, Coding,
// BusyLock, TxPower, ChannelScans, ClockFreq, ZoneWide.
const std::array<std::string_view, 9>& ChannelSuffixesColumnOrder();
// All 209 keys in clearing order.
const std::vector<std::string>& ProfileKeys();

// "CH%02d.<suffix>", "CBR%d", "CBT%d".
std::string ChannelKey(int channel, std::string_view suffix);
std::string ChBoxKey(int channel);
std::string TxBoxKey(int channel);

}  // namespace kavir
