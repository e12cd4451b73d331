// Copy, paste, fill and clear of channel cells, each one undoable step.
#include "ini/translate.h"
#include "kavir_view.h"
#include "setup/option_search.h"

namespace kavir {

namespace {
constexpr int kLastRow = 16;
constexpr int kLastCol = 9;

CellRange Clamped(CellRange r) {
  auto clamp = [](int v, int hi) { return v < 1 ? 1 : v > hi ? hi : v; };
  r.top = clamp(r.top, kLastRow);
  r.bottom = clamp(r.bottom, kLastRow);
  r.left = clamp(r.left, kLastCol);
  r.right = clamp(r.right, kLastCol);
  if (r.bottom < r.top) std::swap(r.bottom, r.top);
  if (r.right < r.left) std::swap(r.right, r.left);
  return r;
}
}  // namespace

std::string GridEditing::CopyCells(const CellRange& range) const {
  const CellRange r = Clamped(range);
  std::vector<std::vector<std::string>> rows;
  for (int n = r.top; n <= r.bottom; ++n) {
    rows.emplace_back();
    for (int c = r.left; c <= r.right; ++c) rows.back().push_back(view_.setup().channel(n).fields[c - 1]);
  }
  return FormatTsv(rows);
}

EditResult GridEditing::ApplyCells(const std::vector<std::pair<std::pair<int, int>, std::string>>& cells) {
  EditResult result;
  std::vector<std::pair<std::pair<int, int>, std::string>> accepted;
  for (const auto& [at, text] : cells) {
    const auto [row, col] = at;
    if (row < 1 || row > kLastRow || col < 1 || col > kLastCol) {
      result.refused.push_back({row, col, text, TrText("Screen", "超出信道表格")});
      continue;
    }
    // An empty cell clears, as Delete does.
    if (TrimBlanks(text).empty()) {
      accepted.push_back({at, std::string()});
      continue;
    }
    CellCheck check = CheckCell(col, text, view_.setup().channel(row).fields[col - 1]);
    if (check.ok)
      accepted.push_back({at, std::move(check.value)});
    else
      result.refused.push_back({row, col, text, std::move(check.reason)});
  }
  editor.Close();
  view_.Edit([&](Setup& s) {
    for (const auto& [at, value] : accepted) {
      ++result.accepted;
      std::string& cell = s.channel(at.first).fields[at.second - 1];
      if (cell == value) continue;
      cell = value;
      ++result.changed;
    }
  });
  view_.ui().Repaint();
  return result;
}

EditResult GridEditing::PasteCells(const CellRange& range, const std::string& tsv) {
  const std::vector<std::vector<std::string>> rows = ParseTsv(tsv);
  if (rows.empty()) return {};
  const CellRange r = Clamped(range);
  if (rows.size() == 1 && rows[0].size() == 1 && r.count() > 1) return FillCells(r, rows[0][0]);
  std::vector<std::pair<std::pair<int, int>, std::string>> cells;
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = 0; j < rows[i].size(); ++j)
      cells.push_back({{r.top + static_cast<int>(i), r.left + static_cast<int>(j)}, rows[i][j]});
  return ApplyCells(cells);
}

EditResult GridEditing::FillCells(const CellRange& range, const std::string& text) {
  const CellRange r = Clamped(range);
  std::vector<std::pair<std::pair<int, int>, std::string>> cells;
  for (int n = r.top; n <= r.bottom; ++n)
    for (int c = r.left; c <= r.right; ++c) cells.push_back({{n, c}, text});
  return ApplyCells(cells);
}

EditResult GridEditing::ClearCells(const CellRange& range) { return FillCells(range, {}); }

}  // namespace kavir
