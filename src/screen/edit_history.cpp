// Undo and redo of screen states, and the unsaved-changes check.
#include <algorithm>
#include <utility>

#include "kavir_view.h"
#include "profile/translate.h"


namespace kavir {

ScreenState CKAVIRView::Values() const {
  ScreenState v;
  v.setup = ToSetup();
  v.model_name = current_model_name;
  v.band_lower_limit = band_lower_limit;
  v.band_upper_limit = band_upper_limit;
  v.band_enabled = band_lower.enabled;
  v.file_name = document_.current_file_name;
  return v;
}

void CKAVIRView::Restore(const ScreenState& v) {
  editing_.editor.Close();
  const Setup& s = v.setup;
  for (std::size_t i = 0; i < combos_.size(); ++i) combos_[i].selected = s.settings[i].index;
  battery.state = s.battery_saver ? 1 : 0;
  band_lower.text = s.band_lower;
  band_upper.text = s.band_upper;
  band_lower_limit = v.band_lower_limit;
  band_upper_limit = v.band_upper_limit;
  band_lower.enabled = band_upper.enabled = v.band_enabled;
  for (int n = 1; n <= 16; ++n) {
    const Channel& channel = s.channel(n);
    ch_box[n - 1].state = channel.enabled ? 1 : 0;
    tx_box[n - 1].state = channel.tx_enabled ? 1 : 0;
    for (int c = 1; c <= 9; ++c) {
      GridCell& cell = grid.Cell(n, c);
      cell.text = channel.fields[c - 1];
      // As the boxes colour a row, without moving the current cell.
      const bool grey = !channel.enabled || ((c == 3 || c == 4) && !channel.tx_enabled);
      cell.fore_color = grey ? kGrey : kBlack;
    }
  }
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
  ScreenState before = Values();
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
  const ScreenState was = Values();
  Restore(history_.Undo(was));
  const int changes = ShowChange(was);
  ui_.SetStatusText(TrCount("Screen", "已撤销 %n 处修改", nullptr, changes));
}

void CKAVIRView::Redo() {
  if (!history_.CanRedo()) return;
  const ScreenState was = Values();
  Restore(history_.Redo(was));
  const int changes = ShowChange(was);
  ui_.SetStatusText(TrCount("Screen", "已重做 %n 处修改", nullptr, changes));
}

int CKAVIRView::ShowChange(const ScreenState& was_state) {
  const Setup& was = was_state.setup;
  const Setup now = ToSetup();
  CellRange changed{kGridRows, kGridCols, 0, 0};
  int count = 0;
  auto mark = [&](int row, int col) {
    ++count;
    changed = {std::min(changed.top, row), std::min(changed.left, col), std::max(changed.bottom, row),
               std::max(changed.right, col)};
  };
  for (int n = 1; n <= 16; ++n) {
    const Channel &a = was.channel(n), &b = now.channel(n);
    for (int c = 1; c <= 9; ++c)
      if (a.fields[c - 1] != b.fields[c - 1]) mark(n, c);
    // A box has no cell of its own: its row's first cell stands for it.
    if (a.enabled != b.enabled) mark(n, 1);
    if (a.tx_enabled != b.tx_enabled) mark(n, 1);
  }
  for (std::size_t i = 0; i < was.settings.size(); ++i) count += was.settings[i].index != now.settings[i].index;
  count += (was.battery_saver != now.battery_saver) + (was.band_lower != now.band_lower) +
           (was.band_upper != now.band_upper);
  const bool settings = was.settings != now.settings || was.battery_saver != now.battery_saver ||
                        was.band_lower != now.band_lower || was.band_upper != now.band_upper;
  if (changed.bottom > 0) {
    editing_.selection = changed;
    grid.row = changed.top;
    grid.col = changed.left;
    // A change of both pages (a load) shows the page the user was on.
    if (!settings || current_tab == 1) RestorePage(1);
  } else if (settings) {
    RestorePage(0);
  }
  return count;
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
