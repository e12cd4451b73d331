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
};

// Every profile key whose stored value differs, in the screen's order:
// radio-wide settings first, then the channels row by row.
std::vector<SetupDifference> CompareSetups(const Setup& a, const Setup& b);

// The difference as one line: "CH03 接收频率: 145.50000 | 146.00000".
std::string DifferenceLine(const SetupDifference& d);

// Every profile key with the text the screen shows for it (a frequency
// as typed, not padded), in the order a clear writes them.
std::vector<std::pair<std::string, std::string>> ShownValues(const Setup& setup);

}  // namespace kavir
