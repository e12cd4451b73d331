#pragma once
// Comma-separated text: records with the line they start on, and fields
// quoted for writing.
#include <string>
#include <string_view>
#include <vector>

namespace kavir {

struct CsvRecord {
  int line = 0;  // 1-based line the record starts on
  std::vector<std::string> cells;
};

struct CsvText {
  std::vector<CsvRecord> records;      // comment lines and blank lines left out
  std::string error;                   // not empty: the bytes are not CSV text
  int error_line = 0, error_cell = 0;  // where: line and cell from 1 (0: the whole text)
};

// A leading UTF-8 byte-order mark is dropped; CR LF, LF and CR end lines;
// a quoted field may hold commas, quotes ("") and line ends. A record whose
// first cell starts with an unquoted '#' is a comment.
CsvText ParseCsvText(std::string_view text);

// The field as written: quoted when it holds a comma, a quote, a line end
// or blanks at either end.
std::string CsvField(std::string_view value);
// The cells joined by commas, ended with CR LF.
std::string CsvLine(const std::vector<std::string>& cells);

}  // namespace kavir
