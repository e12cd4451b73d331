#pragma once
// The one-page programming report as a display list: every text with its
// font and position, every line, in drawing order. Positions are in
// hundredths of an inch from the top-left of the printable area.
#include <ctime>
#include <string>
#include <vector>

#include "setup/setup.h"

namespace kavir {

class OptionTexts;

enum class ReportFont { Title, Box, Heading, Body };

struct ReportFontSpec {
  const char* face;
  int height;  // character-cell height, hundredths of an inch
};
// "Arial" 30, "宋体" 20, 16, 13.
ReportFontSpec FontSpec(ReportFont font);

struct ReportText {
  int x, d;  // top-left of the first character cell
  ReportFont font;
  std::string text;
  int room = 0;  // the width it may take before the next line or the page's edge
};

struct ReportLine {
  int x1, d1, x2, d2;
};

// The page the layout is made for (about 200 x 287 mm).
inline constexpr int kReportPageWidth = 787, kReportPageHeight = 1129;

struct ReportItem {
  enum class Kind { Text, Line } kind;
  ReportText text;
  ReportLine line;
};

struct ReportPage {
  std::vector<ReportItem> items;  // in drawing order

  std::vector<ReportText> Texts() const;
  std::vector<ReportLine> Lines() const;
  // The first text at (x, d), or nullptr.
  const ReportText* TextAt(int x, int d) const;
};

// The report of a set-up opened from file_name (the path the report names;
// "" for none); now_utc is the moment of printing, shown in the machine's
// local time. With shown, option texts print as the screen shows them.
ReportPage BuildReport(const Setup& setup, const std::string& file_name, std::time_t now_utc,
                       const OptionTexts* shown = nullptr);

// The band as the report's box shows it: "136 - 174"; "" without limits.
std::string BandText(const std::string& lower, const std::string& upper);

// "%4d-%02d-%02d %02d:%02d:%02d" of now_utc in the machine's local time.
std::string ReportTimestamp(std::time_t now_utc);

}  // namespace kavir
