#pragma once
// A set-up's channels as a channel-plan CSV file.
#include <optional>
#include <string>
#include <vector>

#include "channel_csv.h"
#include "setup/setup.h"

namespace kavir {

// Channel n of the set-up in the radio's terms; nullopt with *why when a
// field holds something the radio could not be given.
std::optional<ChannelEntry> ChannelOf(const Setup& setup, int n, std::string* why);

struct CsvExport {
  std::string text;                   // header and one row per channel, CR LF
  int channels = 0;                   // rows written
  std::vector<std::string> problems;  // channels left out, with the reason
};

// Every channel whose CH box is set, in channel order, Location = channel.
CsvExport ExportCsv(const Setup& setup);

}  // namespace kavir
