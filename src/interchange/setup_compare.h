#pragma once
// Comparing two set-ups, and a set-up's values as the screen shows them.
#include <string>
#include <utility>
#include <vector>

#include "setup/setup.h"

namespace kavir {

struct SetupDifference {
  std::string where;  // "CH03 接收频率", or the setting's caption
  std::string a;      // value in the first set-up ("" when empty)
  std::string b;      // value in the second
  int channel = 0;    // the channel's number; 0 for a radio-wide setting
};

// Every profile key whose stored value differs, in the screen's order:
// radio-wide settings first, then the channels row by row.
std::vector<SetupDifference> CompareSetups(const Setup& a, const Setup& b);

// The difference as one line: "CH03 接收频率: 145.50000 | 146.00000".
std::string DifferenceLine(const SetupDifference& d);

// What a write changes, for the user to see first: the radio-wide
// settings under the first page's name, the channels under the second's,
// each line "CH03 发射功率: 高 → 低" (a is the radio's, b the new value).
struct ChangeGroup {
  std::string page;
  std::vector<std::string> lines;
};
std::vector<ChangeGroup> GroupChanges(const std::vector<SetupDifference>& differences);
std::string ChangeLine(const SetupDifference& d);
// "12 项不同", or that the radio already holds exactly this set-up.
std::string ChangeCountText(std::size_t count);
// The groups and the count as lines of text (command line, log).
std::string ChangesText(const std::vector<SetupDifference>& differences);

// Every profile key with the text the screen shows for it (a frequency
// as typed, not padded), in the order a clear writes them.
std::vector<std::pair<std::string, std::string>> ShownValues(const Setup& setup);

}  // namespace kavir
