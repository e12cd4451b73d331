#pragma once
// The 17 x 10 channel grid: row 0 and column 0 are headers, row n is
// channel n, columns 1..9 its settings. The cells show the set-up
// (CKAVIRView::Cell); the grid keeps only its current cell. Cell editors
// are in cell_editor.h.
#include <cstdint>
#include <string>

namespace kavir {

inline constexpr int kGridRows = 17;
inline constexpr int kGridCols = 10;

using Rgb = std::uint32_t;  // 0xRRGGBB
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kGrey = 0xAAAAAA;
inline constexpr Rgb kWhite = 0xFFFFFF;

// A rectangle of channel cells, rows 1..16 and columns 1..9 inclusive.
struct CellRange {
  int top = 1, left = 1, bottom = 1, right = 1;
  int rows() const { return bottom - top + 1; }
  int cols() const { return right - left + 1; }
  int count() const { return rows() * cols(); }
  bool Contains(int row, int col) const { return row >= top && row <= bottom && col >= left && col <= right; }
  static CellRange One(int row, int col) { return {row, col, row, col}; }
  static CellRange All() { return {1, 1, 16, 9}; }
};

struct GridCell {
  std::string text;
  Rgb back_color = kWhite;
  Rgb fore_color = kBlack;
};

// A green that darkens from column 1 to column 9.
inline constexpr Rgb kColumnBack[kGridCols] = {kWhite,   0xF5FAF3, 0xEBF5E9, 0xE1F0DF, 0xD7EBD5,
                                               0xCDE6CB, 0xC3E1C1, 0xB9DCB7, 0xAFD7AD, 0xA5D2A3};
inline constexpr Rgb kGridBack = 0xFFABAB;  // the grid's own background

struct ChannelGrid {
  // The current cell, as the grid control's Row and Col.
  int row = 1;
  int col = 1;

  // Header of column c in row 0 (column 0: the channel names) and its
  // width factor (0.8, 1.2, ...).
  static const char* Header(int col);
  static double WidthFactor(int col);
  // "CH01".."CH16", the names in column 0.
  static std::string RowName(int row);
};

}  // namespace kavir
