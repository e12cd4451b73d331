#pragma once
// State of the one cell editor that can be open over the channel grid. The
// widget shows it over cell (row, col) and writes the user's typing into
// text, caret and selection; CKAVIRView::CommitEdit reads it back.
#include <string>

namespace kavir {

enum class EditorKind { None, Frequency, List };

struct CellEditor {
  bool visible = false;
  EditorKind kind = EditorKind::None;
  int row = 0;  // the cell the editor was opened on
  int col = 0;
  std::string text;
  // Caret and selection, counted in characters of text.
  int caret = 0;
  int selection_start = 0;
  int selection_end = 0;
  // List editors: the option picked, -1 when the text matches none.
  int selected_option = -1;
  // Width of the editor relative to the cell: 1.4 when a double-click
  // opened it on columns 0 to 4, otherwise 1.0.
  double width_factor = 1.0;
  // Text of the cell when a frequency editor opened (or the band lower limit
  // when that text was no positive number); a rejected entry restores it.
  std::string previous_text;

  void Close() {
    visible = false;
    kind = EditorKind::None;
    text.clear();
    caret = selection_start = selection_end = 0;
    selected_option = -1;
    width_factor = 1.0;
  }
};

}  // namespace kavir
