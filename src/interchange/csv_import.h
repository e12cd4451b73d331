#pragma once
// Importing a channel-plan CSV file into a set-up: first a plan that says
// where each row goes or why it is refused, then applying it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel_csv.h"
#include "setup/option_lists.h"
#include "setup/setup.h"

namespace kavir {

struct ImportRow {
  int line = 0;                // line of the file
  std::string location;        // the Location cell as written
  std::optional<int> channel;  // 1..16 when the row is imported
  std::string refusal;         // why not, when it is refused
  ChannelEntry entry;          // what the channel gets
};

struct ImportPlan {
  std::string error;            // not empty: the file is not CSV of this layout
  std::vector<ImportRow> rows;  // imported and refused rows in file order (skipped rows left out)
  int imported() const;
  int refused() const;
};

// by_location: Location n goes into channel n (1..16); otherwise the
// importable rows fill channels 1, 2, ... in file order.
ImportPlan PlanCsvImport(std::string_view csv_bytes, const ImportLimits& limits, bool by_location);

// Limits of a set-up: its band, and the tone lists of the grid.
ImportLimits LimitsOf(const Setup& setup, const ChannelLists& lists);

// Puts every imported row into its channel, setting its CH box. Busy lock
// and clock shift keep the channel's values (the first option of each list
// when it had none).
void ApplyImport(const ImportPlan& plan, const ChannelLists& lists, Setup& setup);

}  // namespace kavir
