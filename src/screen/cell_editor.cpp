// The editors over the channel grid: a frequency edit box for columns 1 and
// 3, a list with free text for the other columns.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "ini/gbk.h"
#include "ini/translate.h"
#include "kavir_view.h"
#include "setup/conversions.h"
#include "setup/frequency.h"
#include "setup/option_search.h"

namespace kavir {

namespace {

constexpr char32_t kEnter = 13;

bool IsFrequencyColumn(int col) { return col == 1 || col == 3; }

int CharCount(const std::string& utf8) {
  int n = 0;
  for (unsigned char b : utf8)
    if ((b & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

void GridEditing::StartEdit(char32_t key) {
  const int row = view_.grid.row;
  const int col = view_.grid.col;
  if (row < 1 || row >= kGridRows || col < 1 || col >= kGridCols) return;
  // Control keys (Tab, Esc, Backspace...) open no editor.
  if (key != kEnter && (key < 0x20 || key == 0x7F)) return;

  const std::string cell = view_.setup().channel(row).fields[col - 1];
  editor.Close();
  editor.row = row;
  editor.col = col;
  editor.text = cell;

  if (IsFrequencyColumn(col)) {
    editor.kind = EditorKind::Frequency;
    if (LeadingInt(cell) < 1) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%3.5f", view_.band_lower_limit);
      editor.previous_text = buf;
    } else {
      editor.previous_text = cell;
    }
    if (key == kEnter) {
      editor.selection_start = 0;
      editor.selection_end = CharCount(editor.text);
      editor.caret = editor.selection_end;
    }
  } else {
    editor.kind = EditorKind::List;
    const std::vector<std::string>* options = view_.channel_lists.ForColumn(col);
    editor.selected_option = options ? FindOption(*options, cell) : -1;
    if (editor.selected_option >= 0) editor.text = (*options)[editor.selected_option];
    editor.caret = CharCount(editor.text);
  }
  // A typed character starts a new value, as in a spreadsheet: put in front
  // of the old text it made numbers nobody typed.
  if (key != kEnter) {
    editor.text = Utf8FromCodePoint(key);
    editor.caret = 1;
    editor.selection_start = editor.selection_end = 0;
    editor.selected_option = -1;
  }
  editor.visible = true;
  view_.ui().Repaint();
}

void GridEditing::OnDoubleClick() {
  StartEdit(kEnter);
  if (editor.visible && view_.grid.col <= 4) editor.width_factor = 1.4;
}

void GridEditing::OnEditorEsc() {
  editor.Close();
  view_.ui().Repaint();
}

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string FormatMhz(double mhz) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", mhz);
  return buf;
}

}  // namespace

CellCheck GridEditing::CheckCell(int col, const std::string& text, const std::string& current) const {
  CellCheck check;
  if (col < 1 || col >= kGridCols) {
    check.fault = CellFault::OutsideGrid;
    check.reason = TrText("Screen", "不在信道表格内");
    return check;
  }
  if (IsFrequencyColumn(col)) {
    std::string error;
    const std::optional<Frequency> f = Frequency::FromTyped(text, &error);
    if (!f) {
      check.fault = CellFault::NotAFrequency;
      check.reason = error;
      check.value = std::string(TrimBlanks(text));
      return check;
    }
    check.value = f->MhzText();
    const Frequency low = Frequency::FromHz(std::llround(view_.band_lower_limit * 1e6));
    const Frequency high = Frequency::FromHz(std::llround(view_.band_upper_limit * 1e6));
    if (*f < low || *f > high || f->hz() == 0) {
      check.fault = CellFault::OutOfBand;
      check.reason = ArgText(TrText("Screen", "频率 %1 不在当前频率范围内 (%2 - %3 MHz)"),
                             {check.value, FormatMhz(view_.band_lower_limit), FormatMhz(view_.band_upper_limit)});
    } else if (f->raster() == Raster::None && check.value != current) {
      check.fault = CellFault::OffRaster;
      check.reason = ArgText(TrText("Screen", "非法频点 %1, 不在 6.25 kHz 或 2.5 kHz 频点上"), {check.value});
    } else {
      check.ok = true;
    }
    return check;
  }
  const std::vector<std::string>* options = view_.channel_lists.ForColumn(col);
  if (col == 2 || col == 4) {
    std::string error;
    const auto tone = ToneFromTyped(options ? *options : std::vector<std::string>{}, text, &error);
    check.ok = tone.has_value();
    check.value = tone ? *tone : std::string(TrimBlanks(text));
    if (!tone) check.fault = CellFault::NotInList, check.reason = error;
    return check;
  }
  const std::string value(TrimBlanks(text));
  if (options && !options->empty()) {
    for (const std::string& option : *options) {
      if (EqualsIgnoringCase(TrimBlanks(option), value)) {
        check.ok = true;
        check.value = option;
        return check;
      }
    }
    check.fault = CellFault::NotInList;
    check.reason = TrText("Screen", "不是本列的选项");
    check.value = value;
    return check;
  }
  check.ok = true;
  check.value = value;
  return check;
}

void GridEditing::CommitEdit() {
  if (!editor.visible) return;
  const int row = editor.row;
  const int col = editor.col;
  std::string result;
  bool refused = false;

  if (editor.kind == EditorKind::Frequency) {
    const std::string& previous = editor.previous_text;
    const CellCheck check = CheckCell(col, editor.text, previous);
    if (check.ok) {
      view_.ui().SetStatusText(TrText("Screen", "就绪"));
      result = check.value;
    } else {
      if (check.fault == CellFault::NotAFrequency)
        view_.ui().SetStatusText(ArgText(TrText("Screen", "错误, %1, 请重新输入....."), {check.reason}));
      else if (check.fault == CellFault::OutOfBand)
        view_.ui().SetStatusText(
            ArgText(TrText("Screen", "错误, 您输入的频率:%1 不在当前频率范围内 (%2 - %3 MHz), 请继续....."),
                    {check.value, FormatMhz(view_.band_lower_limit), FormatMhz(view_.band_upper_limit)}));
      else
        view_.ui().SetStatusText(ArgText(
            TrText("Screen", "您输入的非法频点(%1) 不在 6.25 kHz 或 2.5 kHz 频点上, 无法通过较验, 请重新输入....."),
            {check.value}));
      view_.ui().Beep(5000, 100);
      result = previous;
      refused = true;
    }
  } else {
    result = editor.text;
    if (col == 2 || col == 4) {
      // Any other text would reach the radio as a wrong code.
      const std::string& before = view_.setup().channel(row).fields[col - 1];
      const CellCheck check = CheckCell(col, result, before);
      if (check.ok) {
        result = check.value;
      } else {
        view_.ui().SetStatusText(ArgText(TrText("Screen", "错误, %1, 请继续....."), {check.reason}));
        view_.ui().Beep(5000, 100);
        result = before;
        refused = true;
      }
    }
  }
  // A value typed with several cells of the column selected goes into all of them.
  // A refused entry only restores the edited cell; the others keep theirs.
  CellRange targets = CellRange::One(row, col);
  if (!refused && selection.left == col && selection.right == col && selection.Contains(row, col)) targets = selection;
  editor.Close();
  view_.Edit([&](Setup& s) {
    for (int r = targets.top; r <= targets.bottom; ++r) s.channel(r).fields[col - 1] = result;
  });
  view_.ui().Repaint();
}

}  // namespace kavir
