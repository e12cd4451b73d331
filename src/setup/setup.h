#pragma once
// One radio's set-up as plain values: the chosen option of every setting,
// the battery saver, the band, and the 16 channels. No file, no screen:
// it is copied, compared, encoded, stored, printed and exported.
#include <array>
#include <string>
#include <string_view>

#include "setting_catalogue.h"

namespace kavir {

inline constexpr int kChannels = 16;

// A drop-down's value: its text as a profile stores it, and its position in
// the option list (what the image holds); -1 when the text is no option.
struct Choice {
  int index = -1;
  std::string text;
  bool operator==(const Choice&) const = default;
};

// The channel grid's columns 1..9, in order.
enum class ChannelField { RxFreq, RxTone, TxFreq, TxTone, BusyLock, TxPower, Scan, ClockShift, Bandwidth };
inline constexpr int kChannelFieldCount = 9;

// One channel. The texts are kept as the form holds them (a frequency as
// typed or read, "145.5" stays "145.5"), so a file opened and saved again
// keeps what it said; Frequency (frequency.h) reads them for the radio.
struct Channel {
  std::array<std::string, kChannelFieldCount> fields;
  bool enabled = false;     // CH box: the channel is in use
  bool tx_enabled = false;  // TX box: it may transmit

  std::string& operator[](ChannelField f) { return fields[static_cast<int>(f)]; }
  const std::string& operator[](ChannelField f) const { return fields[static_cast<int>(f)]; }
  bool operator==(const Channel&) const = default;
};

struct Setup {
  std::array<Choice, kSettingCount> settings;
  bool battery_saver = false;
  std::string band_lower, band_upper;  // whole MHz as text (FreqV, FreqU)
  std::array<Channel, kChannels> channels;

  Choice& operator[](Setting s) { return settings[static_cast<int>(s)]; }
  const Choice& operator[](Setting s) const { return settings[static_cast<int>(s)]; }
  // Channel n, 1..16; any other n throws rather than reach past the 16.
  Channel& channel(int n) { return channels.at(n - 1); }
  const Channel& channel(int n) const { return channels.at(n - 1); }
  const std::string& model() const { return (*this)[Setting::Type].text; }
  bool operator==(const Setup&) const = default;
};

// The profile key suffix of a channel field ("RxFreq", "Decode", ...) and
// the grid's caption of it ("接收频率", ...).
std::string_view FieldKeySuffix(ChannelField f);
std::string FieldCaption(ChannelField f);
// "CH03": how every message, report and list names channel n.
std::string ChannelLabel(int n);

}  // namespace kavir
