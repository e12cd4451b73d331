#include "channel_grid_widget.h"

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>

#include "lang/language.h"
#include "screen/grid_edit.h"
#include "screen/kavir_view.h"

namespace kavir::app {
namespace {

QColor ToColor(Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

bool IsHeader(int row, int col) { return row == 0 || col == 0; }

}  // namespace

ChannelGridWidget::ChannelGridWidget(CKAVIRView& view, QWidget* parent)
    : QTableWidget(kGridRows, kGridCols, parent), view_(view) {
  setObjectName(QStringLiteral("ChannelGrid"));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One rectangle of cells: what the clipboard and bulk edits work on.
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabKeyNavigation(false);
  // Option texts such as "CTC/DCS 控制" must fit the narrow columns whole.
  QFont cell_font = font();
  if (cell_font.pixelSize() > 11) cell_font.setPixelSize(cell_font.pixelSize() - 1);
  setFont(cell_font);
  setTextElideMode(Qt::ElideNone);
  setStyleSheet(QStringLiteral("QTableView::item { padding: 0px; }"));
  for (int r = 0; r < kGridRows; ++r) {
    for (int c = 0; c < kGridCols; ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      if (IsHeader(r, c)) item->setFlags(Qt::ItemIsEnabled);
      setItem(r, c, item);
    }
  }

  line_edit_ = new QLineEdit(viewport());
  line_edit_->setObjectName(QStringLiteral("FrequencyEditor"));
  line_edit_->hide();
  line_edit_->installEventFilter(this);
  list_edit_ = new QComboBox(viewport());
  list_edit_->setObjectName(QStringLiteral("ListEditor"));
  list_edit_->setEditable(true);
  list_edit_->setInsertPolicy(QComboBox::NoInsert);
  // What is typed is what is stored: no completion behind the user's back.
  list_edit_->setCompleter(nullptr);
  list_edit_->hide();
  list_edit_->installEventFilter(this);
  list_edit_->lineEdit()->installEventFilter(this);

  // The editors' typing goes straight into the model's editor state.
  connect(line_edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (syncing_) return;
    view_.editing().editor.text = text.toStdString();
    view_.editing().editor.caret = line_edit_->cursorPosition();
  });
  connect(list_edit_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (syncing_) return;
    view_.editing().editor.text = lang::StoredOption(text);
  });
  connect(list_edit_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_) return;
    view_.editing().editor.selected_option = index;
    view_.editing().editor.text = lang::StoredOption(list_edit_->currentText());
  });
  connect(this, &QTableWidget::currentCellChanged, this, &ChannelGridWidget::OnCurrentCellChanged);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ChannelGridWidget::SyncSelection);
  LayOut();
}

std::array<int, kGridCols> ChannelGridWidget::NeededWidths() {
  const QFontMetrics metrics(font());
  // The delegate's text margins, the grid line and a little air.
  const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 3;
  QString key = item(0, 1)->text() + QString::number(lang::English());
  for (int c = 0; c < kGridCols; ++c)
    if (const std::vector<std::string>* options = view_.channel_lists.ForColumn(c))
      key += QLatin1Char(' ') + QString::number(options->size());
  if (key != option_widths_key_) {
    option_widths_key_ = key;
    for (int c = 0; c < kGridCols; ++c) {
      option_widths_[c] = 0;
      if (const std::vector<std::string>* options = view_.channel_lists.ForColumn(c))
        for (const std::string& o : *options)
          option_widths_[c] = std::max(option_widths_[c], metrics.horizontalAdvance(lang::ShownOption(o)));
    }
  }
  std::array<int, kGridCols> need = option_widths_;
  for (int c = 0; c < kGridCols; ++c)
    for (int r = 0; r < kGridRows; ++r) need[c] = std::max(need[c], metrics.horizontalAdvance(item(r, c)->text()));
  for (int& n : need) n += padding;
  return need;
}

void ChannelGridWidget::LayOut() {
  // The columns share the grid by their width factors, but none narrower
  // than its content: the room it needs comes from the others' slack.
  double sum = 0;
  for (int c = 0; c < kGridCols; ++c) sum += ChannelGrid::WidthFactor(c);
  const int avail = (viewport()->width() > 0 ? viewport()->width() : width()) - 1;
  const std::array<int, kGridCols> need = NeededWidths();
  std::array<double, kGridCols> w{};
  double total = 0, slack = 0;
  for (int c = 0; c < kGridCols; ++c) {
    w[c] = std::max<double>(avail / sum * ChannelGrid::WidthFactor(c), need[c]);
    total += w[c];
    slack += w[c] - need[c];
  }
  const double excess = total - avail;
  for (int c = 0; c < kGridCols; ++c) {
    if (excess > 0 && slack > 0) w[c] -= std::min(1.0, excess / slack) * (w[c] - need[c]);
    setColumnWidth(c, static_cast<int>(w[c]));
  }
  // Seventeen equal rows that fill the grid with a small margin.
  const int row_height = std::max(8, (height() - 4) * 10 / 176);
  for (int r = 0; r < kGridRows; ++r) setRowHeight(r, row_height);
}

void ChannelGridWidget::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  LayOut();
  if (view_.editing().editor.visible) ShowEditor();
}

QRect ChannelGridWidget::RowRect(int row) const {
  const QRect r = visualRect(model()->index(row, 0));
  return r.translated(viewport()->pos());
}

void ChannelGridWidget::Refresh() {
  syncing_ = true;
  {
    const QSignalBlocker block(this);
    // The grid's own background, behind and below the cells.
    setStyleSheet(QStringLiteral("QTableView { background-color: %1; gridline-color: #a0a0a0; }"
                                 " QTableView::item { padding: 0px; }")
                      .arg(ToColor(kGridBack).name()));
    for (int r = 0; r < kGridRows; ++r) {
      for (int c = 0; c < kGridCols; ++c) {
        const GridCell cell = view_.Cell(r, c);
        QTableWidgetItem* it = item(r, c);
        // Headers are the grid's captions; cells hold stored option texts.
        it->setText(r == 0 ? QCoreApplication::translate("Screen", cell.text.c_str()) : lang::ShownOption(cell.text));
        if (IsHeader(r, c)) {
          it->setBackground(QColor(0xE4, 0xE4, 0xE4));
          it->setForeground(QColor(Qt::black));
        } else {
          it->setBackground(ToColor(cell.back_color));
          it->setForeground(ToColor(cell.fore_color));
        }
      }
    }
    LayOut();  // the texts, or their language, may have changed
    const int row = std::clamp(view_.grid.row, 1, kGridRows - 1);
    const int col = std::clamp(view_.grid.col, 1, kGridCols - 1);
    if (currentRow() != row || currentColumn() != col) setCurrentCell(row, col);
  }
  syncing_ = false;
  if (view_.editing().editor.visible)
    ShowEditor();
  else
    HideEditors();
}

void ChannelGridWidget::OnCurrentCellChanged(int row, int col, int, int) {
  if (syncing_) return;
  if (row < 1 || col < 1) {
    // Headers are never current.
    const QSignalBlocker block(this);
    setCurrentCell(std::max(1, row), std::max(1, col));
    row = currentRow();
    col = currentColumn();
  }
  // Leaving a cell stores what was typed into the cell that was edited.
  Commit();
  view_.grid.row = row;
  view_.grid.col = col;
  SyncSelection();
}

void ChannelGridWidget::SyncSelection() {
  const int cur_row = std::max(1, currentRow());
  const int cur_col = std::max(1, currentColumn());
  CellRange r{kGridRows, kGridCols, 0, 0};
  for (const QModelIndex& i : selectionModel()->selectedIndexes()) {
    if (i.row() < 1 || i.column() < 1) continue;
    r.top = std::min(r.top, i.row());
    r.bottom = std::max(r.bottom, i.row());
    r.left = std::min(r.left, i.column());
    r.right = std::max(r.right, i.column());
  }
  if (r.bottom < r.top) r = CellRange::One(cur_row, cur_col);
  view_.editing().selection = r;
}

void ChannelGridWidget::SelectCells(const CellRange& range, int row, int col) {
  Commit();
  setCurrentCell(row, col, QItemSelectionModel::NoUpdate);
  selectionModel()->select(
      QItemSelection(model()->index(range.top, range.left), model()->index(range.bottom, range.right)),
      QItemSelectionModel::ClearAndSelect);
  SyncSelection();
}

void ChannelGridWidget::SelectAllCells() { SelectCells(CellRange::All(), currentRow(), currentColumn()); }

void ChannelGridWidget::ShowResult(const EditResult& result, const char* done) {
  view_.ui().SetStatusText(tr(done, nullptr, result.accepted).toStdString());
  if (result.ok()) return;
  view_.ui().Beep(5000, 100);
  view_.ui().ShowError(
      tr("%n 个单元格未接受:\n\n", nullptr, static_cast<int>(result.refused.size())).toStdString() + result.Describe(),
      TrText("Screen", CKAVIRView::kMessageCaption));
}

void ChannelGridWidget::CopySelection() {
  Commit();
  // The clipboard gets what the grid shows, in the language shown.
  QGuiApplication::clipboard()->setText(QString::fromStdString(
      MapTsvCells(view_.editing().CopyCells(view_.editing().selection), &lang::ShownOptionText)));
  view_.ui().SetStatusText(tr("已复制 %n 个单元格", nullptr, view_.editing().selection.count()).toStdString());
}

void ChannelGridWidget::CutSelection() {
  CopySelection();
  view_.editing().ClearCells(view_.editing().selection);
  view_.ui().SetStatusText(tr("已剪切 %n 个单元格", nullptr, view_.editing().selection.count()).toStdString());
}

void ChannelGridWidget::PasteClipboard() {
  Commit();
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return;
  // Option texts pasted in either language go in as they are stored.
  ShowResult(
      view_.editing().PasteCells(view_.editing().selection, MapTsvCells(text.toStdString(), &lang::StoredOptionText)),
      QT_TR_N_NOOP("已粘贴 %n 个单元格"));
}

void ChannelGridWidget::DeleteSelection() {
  Commit();
  ShowResult(view_.editing().ClearCells(view_.editing().selection), QT_TR_N_NOOP("已清除 %n 个单元格"));
}

void ChannelGridWidget::Commit() {
  if (!view_.editing().editor.visible) return;
  view_.editing().CommitEdit();
  Refresh();
}

void ChannelGridWidget::ShowEditor() {
  const CellEditor& ed = view_.editing().editor;
  if (!ed.visible) {
    HideEditors();
    return;
  }
  QRect rect = visualRect(model()->index(ed.row, ed.col));
  rect.setWidth(static_cast<int>(rect.width() * ed.width_factor));
  syncing_ = true;
  if (ed.kind == EditorKind::Frequency) {
    list_edit_->hide();
    line_edit_->setGeometry(rect);
    line_edit_->setText(QString::fromStdString(ed.text));
    if (ed.selection_end > ed.selection_start)
      line_edit_->setSelection(ed.selection_start, ed.selection_end - ed.selection_start);
    else
      line_edit_->setCursorPosition(ed.caret);
    line_edit_->show();
    line_edit_->setFocus();
  } else if (ed.kind == EditorKind::List) {
    line_edit_->hide();
    const std::vector<std::string>* options = view_.channel_lists.ForColumn(ed.col);
    list_edit_->clear();
    if (options)
      for (const std::string& o : *options) list_edit_->addItem(lang::ShownOption(o));
    list_edit_->setCurrentIndex(ed.selected_option);
    list_edit_->setEditText(lang::ShownOption(ed.text));
    list_edit_->setGeometry(rect.x(), rect.y(), rect.width(),
                            std::max(rect.height(), list_edit_->minimumSizeHint().height()));
    list_edit_->show();
    list_edit_->setFocus();
  }
  syncing_ = false;
}

void ChannelGridWidget::HideEditors() {
  const bool had_focus = line_edit_->hasFocus() || list_edit_->hasFocus() || list_edit_->lineEdit()->hasFocus();
  line_edit_->hide();
  list_edit_->hide();
  if (had_focus) setFocus();
}

void ChannelGridWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
    Commit();
    view_.grid.row = currentRow();
    view_.grid.col = currentColumn();
    view_.editing().StartEdit(13);
    ShowEditor();
    return;
  }
  const QString text = event->text();
  const bool typed =
      !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (typed) {
    Commit();
    view_.grid.row = currentRow();
    view_.grid.col = currentColumn();
    view_.editing().StartEdit(text.toUcs4().value(0));
    ShowEditor();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void ChannelGridWidget::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  // A CHnn label selects its whole channel; Shift extends from the last one.
  if (event->button() == Qt::LeftButton && index.isValid() && index.column() == 0 && index.row() >= 1) {
    const int row = index.row();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int anchor = extend ? channel_anchor_ : row;
    if (!extend) channel_anchor_ = row;
    SelectCells({std::min(anchor, row), 1, std::max(anchor, row), kGridCols - 1}, row, 1);
    return;
  }
  QTableWidget::mousePressEvent(event);
}

void ChannelGridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid() || index.row() < 1) return;
  if (index.column() >= 1) setCurrentCell(index.row(), index.column());
  view_.grid.row = index.row();
  view_.grid.col = index.column();
  view_.editing().OnDoubleClick();
  ShowEditor();
}

void ChannelGridWidget::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  // Coming back to the grid (Enter in an editor, a click) commits.
  Commit();
}

bool ChannelGridWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      view_.editing().OnEditorEsc();
      HideEditors();
      setFocus();
      Refresh();
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Focus back to the grid, whose focus handling commits.
      if (list_edit_->isVisible()) {
        view_.editing().editor.text = lang::StoredOption(list_edit_->currentText());
      }
      setFocus();
      Commit();
      return true;
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

}  // namespace kavir::app
