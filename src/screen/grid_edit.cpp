// Cell editing results and clipboard text.
#include "grid_edit.h"

#include <cstdio>

#include "channel_grid.h"
#include "ini/translate.h"

namespace kavir {

std::string EditResult::Describe(std::size_t limit) const {
  std::string out;
  for (std::size_t i = 0; i < refused.size() && i < limit; ++i) {
    const CellRefusal& r = refused[i];
    std::string where;
    if (r.row >= 1 && r.row < kGridRows && r.col >= 1 && r.col < kGridCols) {
      char ch[16];
      std::snprintf(ch, sizeof ch, "CH%02d ", r.row);
      where = ch + TrText("Screen", ChannelGrid::Header(r.col));
    } else {
      where = ArgText(TrText("Screen", "第%1行第%2列"), {std::to_string(r.row), std::to_string(r.col)});
    }
    if (!out.empty()) out += '\n';
    out += where + " \"" + r.text + "\": " + r.reason;
  }
  if (refused.size() > limit) {
    const int more = static_cast<int>(refused.size() - limit);
    out += TrCount("Screen", "\n……另有 %n 个单元格未接受", nullptr, more);
  }
  return out;
}

std::vector<std::vector<std::string>> ParseTsv(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false, at_cell_start = true, any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
      continue;
    }
    if (c == '"' && at_cell_start) {
      quoted = true;
      at_cell_start = false;
      any = true;
    } else if (c == '\t') {
      row.push_back(std::move(cell));
      cell.clear();
      at_cell_start = true;
      any = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      row.push_back(std::move(cell));
      rows.push_back(std::move(row));
      cell.clear();
      row.clear();
      at_cell_start = true;
      any = false;
    } else {
      cell += c;
      at_cell_start = false;
      any = true;
    }
  }
  if (any) {
    row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string FormatTsv(const std::vector<std::vector<std::string>>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c) out += '\t';
      const std::string& cell = row[c];
      if (cell.find_first_of("\t\r\n\"") == std::string::npos) {
        out += cell;
      } else {
        out += '"';
        for (char ch : cell) {
          if (ch == '"') out += '"';
          out += ch;
        }
        out += '"';
      }
    }
    out += '\n';
  }
  return out;
}

std::string MapTsvCells(std::string_view tsv, std::string (*map)(const std::string&)) {
  std::vector<std::vector<std::string>> rows = ParseTsv(tsv);
  for (auto& row : rows)
    for (std::string& cell : row) cell = map(cell);
  return FormatTsv(rows);
}

}  // namespace kavir
