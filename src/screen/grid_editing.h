#pragma once
// Editing the channel grid's cells: the one cell editor over it, the
// selection, typing, pasting, filling and clearing. Every text is checked
// per cell, and every change is one undoable step of the screen it edits.
#include <string>
#include <utility>
#include <vector>

#include "cell_editor.h"
#include "channel_grid.h"
#include "grid_edit.h"

namespace kavir {

class CKAVIRView;

class GridEditing {
 public:
  explicit GridEditing(CKAVIRView& view) : view_(view) {}
  GridEditing(const GridEditing&) = delete;
  GridEditing& operator=(const GridEditing&) = delete;

  CellEditor editor;
  // The grid's selection (a rectangle); the widget keeps it up to date.
  CellRange selection = CellRange::One(1, 1);

  // A character typed on the current cell opens its editor holding just that
  // character; Enter (13) opens it on the cell's text, all selected.
  void StartEdit(char32_t key);
  // Double-click on the current cell: as Enter, 40 % wider on columns 0..4.
  void OnDoubleClick();
  // Esc in an editor: empty and hide it; the cell keeps its text.
  void OnEditorEsc();
  // Leaving the cell (or the grid regaining focus): store the editor's text.
  void CommitEdit();

  // The cell editor's own check of a text for a cell of column col.
  CellCheck CheckCell(int col, const std::string& text, const std::string& current) const;
  // Tab-separated rows of the cells, as spreadsheets put on the clipboard.
  std::string CopyCells(const CellRange& range) const;
  // Pastes tab-separated text at the range's top-left corner (one value
  // fills the whole range); every valid cell lands as one undoable step.
  EditResult PasteCells(const CellRange& range, const std::string& tsv);
  // Sets every cell of the range to the same text, checked per cell.
  EditResult FillCells(const CellRange& range, const std::string& text);
  // Empties every cell of the range.
  EditResult ClearCells(const CellRange& range);

 private:
  EditResult ApplyCells(const std::vector<std::pair<std::pair<int, int>, std::string>>& cells);

  CKAVIRView& view_;
};

}  // namespace kavir
