#pragma once
// The screen's channels as a channel-plan CSV file.
#include <string>
#include <vector>

#include "channel_csv.h"

namespace kavir {

class CKAVIRView;

// Channel n of the screen in the radio's terms; nullopt with *why when a
// cell holds something the radio could not be given.
std::optional<ChannelEntry> ChannelOf(const CKAVIRView& view, int n, std::string* why);

struct CsvExport {
  std::string text;                   // header and one row per channel, CR LF
  int channels = 0;                   // rows written
  std::vector<std::string> problems;  // channels left out, with the reason
};

// Every channel whose CH box is set, in channel order, Location = channel.
CsvExport ExportCsv(const CKAVIRView& view);

}  // namespace kavir
