// Undo and redo of whole-screen values, and the unsaved-changes check.
#include <algorithm>
#include <utility>

#include "kavir_view.h"
#include "profile/translate.h"


namespace kavir {

ScreenValues CKAVIRView::Values() const {
  ScreenValues v;
  v.selections.reserve(combos_.size());
  for (const ComboBox& c : combos_) v.selections.push_back(c.selected);
  v.battery = battery.state;
  v.band_lower = band_lower.text;
  v.band_upper = band_upper.text;
  v.band_lower_limit = band_lower_limit;
  v.band_upper_limit = band_upper_limit;
  v.band_enabled = band_lower.enabled;
  for (int n = 1; n <= 16; ++n) {
    for (int c = 1; c <= 9; ++c) v.cells[n - 1][c - 1] = grid.Cell(n, c);
    v.ch[n - 1] = ch_box[n - 1].state;
    v.tx[n - 1] = tx_box[n - 1].state;
  }
  v.grid_back = grid.back_color;
  v.model_name = current_model_name;
  v.file_name = current_file_name;
  return v;
}

void CKAVIRView::Restore(const ScreenValues& v) {
  editor.Close();
  for (std::size_t i = 0; i < combos_.size() && i < v.selections.size(); ++i)
    combos_[i].selected = v.selections[i];
  battery.state = v.battery;
  band_lower.text = v.band_lower;
  band_upper.text = v.band_upper;
  band_lower_limit = v.band_lower_limit;
  band_upper_limit = v.band_upper_limit;
  band_lower.enabled = band_upper.enabled = v.band_enabled;
  for (int n = 1; n <= 16; ++n) {
    for (int c = 1; c <= 9; ++c) grid.Cell(n, c) = v.cells[n - 1][c - 1];
    ch_box[n - 1].state = v.ch[n - 1];
    tx_box[n - 1].state = v.tx[n - 1];
  }
  grid.back_color = v.grid_back;
  current_model_name = v.model_name;
  // Undo takes back values, never which file is current: a Save after it
  // still goes to that file.
  ui_.Repaint();
}

bool CKAVIRView::RecordStep(const std::function<void()>& change, const std::string& merge_key) {
  if (step_depth_ > 0) {
    change();
    return false;
  }
  ScreenValues before = Values();
  ++step_depth_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{step_depth_};
  change();
  if (Values() == before) return false;
  history_.Record(std::move(before), merge_key);
  return true;
}

void CKAVIRView::Undo() {
  if (!history_.CanUndo()) return;
  const ScreenValues was = Values();
  Restore(history_.Undo(was));
  const int changes = ShowChange(was);
  ui_.SetStatusText(TrCount("Screen", "已撤销 %n 处修改", nullptr, changes));
}

void CKAVIRView::Redo() {
  if (!history_.CanRedo()) return;
  const ScreenValues was = Values();
  Restore(history_.Redo(was));
  const int changes = ShowChange(was);
  ui_.SetStatusText(TrCount("Screen", "已重做 %n 处修改", nullptr, changes));
}

int CKAVIRView::ShowChange(const ScreenValues& was) {
  const ScreenValues now = Values();
  CellRange changed{kGridRows, kGridCols, 0, 0};
  int count = 0;
  auto mark = [&](int row, int col) {
    ++count;
    changed = {std::min(changed.top, row), std::min(changed.left, col), std::max(changed.bottom, row),
               std::max(changed.right, col)};
  };
  for (int n = 1; n <= 16; ++n) {
    for (int c = 1; c <= 9; ++c)
      if (was.cells[n - 1][c - 1].text != now.cells[n - 1][c - 1].text) mark(n, c);
    // A box has no cell of its own: its row's first cell stands for it.
    if (was.ch[n - 1] != now.ch[n - 1]) mark(n, 1);
    if (was.tx[n - 1] != now.tx[n - 1]) mark(n, 1);
  }
  for (std::size_t i = 0; i < was.selections.size() && i < now.selections.size(); ++i)
    count += was.selections[i] != now.selections[i];
  count += (was.battery != now.battery) + (was.band_lower != now.band_lower) + (was.band_upper != now.band_upper);
  const bool settings = was.selections != now.selections || was.battery != now.battery ||
                        was.band_lower != now.band_lower || was.band_upper != now.band_upper;
  if (changed.bottom > 0) {
    selection = changed;
    grid.row = changed.top;
    grid.col = changed.left;
    // A change of both pages (a load) shows the page the user was on.
    if (!settings || current_tab == 1) RestorePage(1);
  } else if (settings) {
    RestorePage(0);
  }
  return count;
}

std::string CKAVIRView::DocumentName() const {
  if (current_file_name.empty()) return TrText("Screen", "无标题");
  const std::size_t slash = current_file_name.find_last_of("/\\");
  return slash == std::string::npos ? current_file_name : current_file_name.substr(slash + 1);
}

bool CKAVIRView::ConfirmDiscardChanges() {
  if (!IsModified()) return true;
  const std::string text = ArgText(TrText("Screen", "“%1”的修改尚未保存。\n\n是否保存修改？"), {DocumentName()});
  switch (ui_.AskSaveChanges(text, TrText("Screen", kMessageCaption))) {
    case SaveChoice::Save: return OnFileSave();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
  }
  return false;
}

// ---- small edits that used to go straight into the controls ----

void CKAVIRView::OnSelectOption(std::string_view key, int index) {
  if (key == "Type") {
    OnTypeChanged(index);
    return;
  }
  ComboBox* combo = Combo(key);
  if (!combo || index < -1 || index >= static_cast<int>(combo->options.size())) return;
  RecordStep([&] { combo->selected = index; });
}

void CKAVIRView::OnBatteryClicked(bool on) {
  RecordStep([&] { battery.state = on ? 1 : 0; });
}

void CKAVIRView::OnBandEdited(bool upper, const std::string& text) {
  RecordStep([&] { (upper ? band_upper : band_lower).text = text; },
             upper ? "band-upper" : "band-lower");
}

}  // namespace kavir
