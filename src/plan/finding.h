#pragma once
// One finding of the plan check, and how it is said in the chosen language.
#include <optional>
#include <string>
#include <vector>

#include "setup/option_texts.h"

namespace kavir {

// An error refuses the write unless the user overrides it; a warning is
// shown and the write goes on.
enum class Severity { Error, Warning };

// In the order a channel's findings are listed.
enum class Rule {
  WriteCheck,    // what the write itself refuses: raster, band, unchosen values
  Licence,       // transmitting outside what the licence file allows
  Pmr446,        // the licence-free 446 MHz band: low power, narrow, its channels
  TxOff,         // transmit settings on a channel whose TX box is off
  SameChannels,  // two channels in use that are the same in every field
  SameReceive,   // the same receive frequency and tone, other transmit settings
  OneWayTone,    // a tone on one side only
};

struct Finding {
  Severity severity = Severity::Error;
  Rule rule = Rule::WriteCheck;
  int channel = 0;                   // 1..16; 0 for a radio-wide value
  std::string field;                 // the form's caption; "" for a whole channel
  std::optional<std::string> value;  // as the form holds it; none when not named
  std::string detail;                // what is wrong, in the chosen language
};

std::string SeverityName(Severity severity);
std::string RuleName(Rule rule);

// "错误 [PMR446] CH03 发射功率 "高": ...": option texts (高, 关) as `shown`
// shows them, when given.
std::string FindingLine(const Finding& finding, const OptionTexts* shown = nullptr);

struct FindingCount {
  int errors = 0;
  int warnings = 0;
};
FindingCount CountFindings(const std::vector<Finding>& findings);
// "错误: 1, 警告: 2", or that nothing was found.
std::string SummaryLine(const FindingCount& count);

}  // namespace kavir
