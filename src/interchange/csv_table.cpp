#include "csv_table.h"

namespace kavir {

CsvText ParseCsvText(std::string_view text) {
  CsvText out;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.find('\0') != std::string_view::npos) {
    out.error = "holds NUL bytes: not a text file";
    return out;
  }
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    CsvRecord record;
    record.line = line;
    std::string cell;
    bool ended = false;
    // Only an unquoted '#' starts a comment: the writer quotes such cells.
    const bool quoted_first = i < text.size() && text[i] == '"';
    while (!ended) {
      if (i < text.size() && text[i] == '"') {
        // Quoted field: up to the closing quote; "" is one quote.
        const int opened_on = line;
        ++i;
        for (;;) {
          if (i >= text.size()) {
            out.error = "line " + std::to_string(opened_on) + ": a quoted field is not closed";
            out.error_line = opened_on;
            out.error_cell = static_cast<int>(record.cells.size()) + 1;
            out.records.clear();
            return out;
          }
          const char c = text[i++];
          if (c == '"') {
            if (i < text.size() && text[i] == '"') {
              cell += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n' || (c == '\r' && (i >= text.size() || text[i] != '\n'))) ++line;
          cell += c;
        }
      }
      // Unquoted text (or what follows a closing quote) up to , or line end.
      while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') cell += text[i++];
      record.cells.push_back(std::move(cell));
      cell.clear();
      if (i >= text.size()) {
        ended = true;
      } else if (text[i] == ',') {
        ++i;
      } else {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
        ended = true;
      }
    }
    const bool blank = record.cells.size() == 1 && record.cells[0].empty();
    const bool comment = !quoted_first && !record.cells[0].empty() && record.cells[0][0] == '#';
    if (!blank && !comment) out.records.push_back(std::move(record));
  }
  return out;
}

std::string CsvField(std::string_view value) {
  const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!value.empty() && (value.front() == ' ' || value.back() == ' ')) ||
                     (!value.empty() && value.front() == '#') ||
                     value.substr(0, 3) == "\xEF\xBB\xBF";  // would be taken for a byte-order mark
  if (!quote) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string CsvLine(const std::vector<std::string>& cells) {
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) out += ',';
    out += CsvField(cells[i]);
  }
  return out + "\r\n";
}

}  // namespace kavir
