// Undo and redo of screen states, and the unsaved-changes check.
#include <algorithm>
#include <utility>

#include "ini/translate.h"
#include "kavir_view.h"

namespace kavir {

ScreenState CKAVIRView::Values() const {
  ScreenState v;
  v.setup = setup_;
  v.model_name = current_model_name;
  v.band_lower_limit = band_lower_limit;
  v.band_upper_limit = band_upper_limit;
  v.band_enabled = band_lower.enabled;
  v.file_name = document_.current_file_name;
  return v;
}

void CKAVIRView::Restore(const ScreenState& v) {
  editing_.editor.Close();
  setup_ = v.setup;
  band_lower_limit = v.band_lower_limit;
  band_upper_limit = v.band_upper_limit;
  band_lower.enabled = band_upper.enabled = v.band_enabled;
  current_model_name = v.model_name;
  // Undo takes back values, never which file is current: a Save after it
  // still goes to that file. The current cell stays where it is.
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

bool CKAVIRView::Edit(const std::function<void(Setup&)>& change, const std::string& merge_key) {
  return RecordStep(
      [&] {
        change(setup_);
        SettleTexts();
      },
      merge_key);
}

void CKAVIRView::SettleTexts() {
  for (std::size_t i = 0; i < combos_.size(); ++i) {
    const std::vector<std::string>& options = combos_[i].options;
    const int index = setup_.settings[i].index;
    setup_.settings[i].text = index >= 0 && index < static_cast<int>(options.size()) ? options[index] : std::string();
  }
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
  const Setup& now = setup_;
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

// ---- small edits ----

void CKAVIRView::OnSelectOption(std::string_view key, int index) {
  if (key == "Type") {
    OnTypeChanged(index);
    return;
  }
  const int i = ComboIndex(key);
  if (i < 0 || index < -1 || index >= static_cast<int>(combos_[i].options.size())) return;
  Edit([&](Setup& s) { s.settings[i].index = index; });
}

void CKAVIRView::OnBatteryClicked(bool on) {
  Edit([&](Setup& s) { s.battery_saver = on; });
}

void CKAVIRView::OnBandEdited(bool upper, const std::string& text) {
  Edit([&](Setup& s) { (upper ? s.band_upper : s.band_lower) = text; }, upper ? "band-upper" : "band-lower");
}

}  // namespace kavir
