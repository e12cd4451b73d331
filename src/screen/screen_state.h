#pragma once
// What an undo step keeps and the unsaved-changes check compares: the
// set-up on show and the little the form holds beside it. Page, current
// cell, an open editor and the rows' colours (they follow the boxes) stay
// out.
#include <string>

#include "setup/setup.h"

namespace kavir {

struct ScreenState {
  Setup setup;
  std::string model_name;  // the model a later model change goes back from
  // The band the frequency cells are checked against, as the last load set
  // it: typing another band changes the texts, not these.
  double band_lower_limit = 0, band_upper_limit = 0;
  bool band_enabled = false;
  // Compared, so a step that only changes the current file is one; an undo
  // never takes it back.
  std::string file_name;

  bool operator==(const ScreenState&) const = default;
};

}  // namespace kavir
