#pragma once
// Everything the user can change on the screen, as one value: what an undo
// step keeps and what the unsaved-changes check compares. Page, current cell
// and an open editor are not values and stay out.
#include <array>
#include <string>
#include <vector>

#include "channel_grid.h"

namespace kavir {

struct ScreenValues {
  std::vector<int> selections;  // each drop-down's selected option, in combos() order
  int battery = 0;
  std::string band_lower, band_upper;
  double band_lower_limit = 0, band_upper_limit = 0;
  bool band_enabled = false;
  // Channels 1..16, columns 1..9 (texts and colours).
  std::array<std::array<GridCell, 9>, 16> cells;
  Rgb grid_back = kWhite;
  std::array<int, 16> ch{}, tx{};
  std::string model_name;
  std::string file_name;

  bool operator==(const ScreenValues&) const = default;
};

inline bool operator==(const GridCell& a, const GridCell& b) {
  return a.text == b.text && a.back_color == b.back_color && a.fore_color == b.fore_color;
}

}  // namespace kavir
