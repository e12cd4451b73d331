#pragma once
// The 16-channel grid: a table that shows the model's grid cells and puts
// an editor over the current cell while the user types, the way a
// technician expects from the radio family's programs.
#include <array>

#include <QTableWidget>

#include "screen/channel_grid.h"
#include "screen/grid_edit.h"

class QComboBox;
class QLineEdit;

namespace kavir {
class CKAVIRView;
}  // namespace kavir

namespace kavir::app {

class ChannelGridWidget : public QTableWidget {
  Q_OBJECT

 public:
  ChannelGridWidget(CKAVIRView& view, QWidget* parent);

  // Shows the model's cells, colours, current cell and editor.
  void Refresh();
  // Where row n is, in the grid's own coordinates.
  QRect RowRect(int row) const;

  QLineEdit* frequency_editor() const { return line_edit_; }
  QComboBox* list_editor() const { return list_edit_; }

  // Stores an open editor's text (before undo, close, save...).
  void CommitPending() { Commit(); }
  // Selects channels top..bottom, columns left..right; (row, col) becomes current.
  void SelectCells(const CellRange& range, int row, int col);
  // The clipboard commands on the selected cells.
  void CopySelection();
  void CutSelection();
  void PasteClipboard();
  void DeleteSelection();
  void SelectAllCells();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOut();
  // The width each column needs for its header, its cells and every option
  // its editor offers, as shown in the language of the moment.
  std::array<int, kGridCols> NeededWidths();
  void OnCurrentCellChanged(int row, int col, int old_row, int old_col);
  void ShowEditor();
  void HideEditors();
  void Commit();
  void SyncSelection();
  // done: a text marked with QT_TR_N_NOOP, its %n the cells taken.
  void ShowResult(const EditResult& result, const char* done);

  CKAVIRView& view_;
  QLineEdit* line_edit_;
  QComboBox* list_edit_;
  bool syncing_ = false;
  // Option lists' widths, measured once per language.
  std::array<int, kGridCols> option_widths_{};
  QString option_widths_key_;
  int channel_anchor_ = 1;  // first channel of a Shift+click on the CH labels
};

}  // namespace kavir::app
