#pragma once
// A customer's licence as a small CSV file: one licensed frequency a row,
// with the most power and bandwidth it may be used with and whether it may
// be transmitted on.
//
//   Frequency,MaxPower,Bandwidth,TX,Note
//   451.02500,high,narrow,yes,dispatch
//
// Frequency in MHz (at most five decimals); MaxPower low or high; Bandwidth
// narrow or wide (or 12.5 and 25, in kHz); TX yes or no; Note free text and
// may be left out. The header names the columns, in any order, in English
// (any letter case) or Chinese (频率, 最大功率, 带宽, 允许发射, 备注); the
// words may be Chinese too (低/高, 窄/宽, 是/否). UTF-8 with or without a
// byte-order mark; a GBK file as a Chinese spreadsheet saves it is read too.
// An unquoted '#' at the start of a line makes it a comment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setup/frequency.h"

namespace kavir {

struct LicenceEntry {
  Frequency frequency;
  bool high_power = false;  // high allows either power, low only low
  bool wide = false;        // wide allows either bandwidth, narrow only narrow
  bool transmit = false;    // no: only receiving is licensed
  std::string note;
  int line = 0;  // where the file lists it
  bool operator==(const LicenceEntry&) const = default;
};

struct Licence {
  std::vector<LicenceEntry> entries;
  // The entry of exactly this frequency, nullptr when none lists it.
  const LicenceEntry* Find(Frequency frequency) const;
};

// Why a licence file was refused, and where.
struct LicenceError {
  int line = 0;
  int column = 0;       // from 1; 0 when the whole line is meant
  std::string message;  // the place and the reason, in the chosen language
};

struct LicenceReading {
  std::optional<Licence> licence;  // none when the file was refused
  LicenceError error;
};

LicenceReading ReadLicence(std::string_view bytes);

}  // namespace kavir
