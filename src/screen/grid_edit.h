#pragma once
// Results of editing channel cells, and the tab-separated text that
// spreadsheets exchange through the clipboard.
#include <string>
#include <string_view>
#include <vector>

namespace kavir {

enum class CellFault { None, NotAFrequency, OutOfBand, OffRaster, NotInList, OutsideGrid };

// What a cell would hold after the user entered a text, or why not.
struct CellCheck {
  bool ok = false;
  CellFault fault = CellFault::None;
  // The text the cell takes; for a refused frequency, the normalized text.
  std::string value;
  std::string reason;  // why it was refused (Chinese, for the user)
};

struct CellRefusal {
  int row = 0, col = 0;
  std::string text;  // what was offered
  std::string reason;
};

struct EditResult {
  int changed = 0;   // cells whose text changed
  int accepted = 0;  // cells taken (changed or already equal)
  std::vector<CellRefusal> refused;
  bool ok() const { return refused.empty(); }
  // One line per refused cell, "CH03 接收频率 \"500\": reason" (at most
  // `limit` lines, then how many more); "" when nothing was refused.
  std::string Describe(std::size_t limit = 8) const;
};

// Rows of tab-separated cells; a trailing line break ends the last row.
// Cells in double quotes may hold tabs, line breaks and doubled quotes.
std::vector<std::vector<std::string>> ParseTsv(std::string_view text);
std::string FormatTsv(const std::vector<std::vector<std::string>>& rows);
// The same rows with every cell passed through map: option texts into the
// language shown for the clipboard, and back into stored ones on a paste.
std::string MapTsvCells(std::string_view tsv, std::string (*map)(const std::string&));

}  // namespace kavir
