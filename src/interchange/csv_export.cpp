#include "csv_export.h"

#include "csv_import.h"
#include "csv_table.h"
#include "../screen/kavir_view.h"

namespace kavir {

std::optional<ChannelEntry> ChannelOf(const CKAVIRView& view, int n, std::string* why) {
  const ChannelGrid& g = view.grid;
  ChannelEntry e;
  auto frequency = [&](int col, std::int64_t* hz) {
    auto v = GridFrequencyHz(g.Text(n, col));
    if (!v) *why = std::string(ChannelGrid::Header(col)) + " '" + g.Text(n, col) + "' is not a frequency";
    else *hz = *v;
    return v.has_value();
  };
  auto tone = [&](int col, std::string* text) {
    if (ParseToneText(g.Text(n, col))) {
      *text = g.Text(n, col);
      return true;
    }
    *why = std::string(ChannelGrid::Header(col)) + " '" + g.Text(n, col) + "' is not a tone";
    return false;
  };
  e.tx_enabled = view.tx_box[n - 1].checked();
  if (!frequency(1, &e.rx_hz) || !tone(2, &e.decode) || !tone(4, &e.coding)) return std::nullopt;
  e.tx_hz = e.rx_hz;
  if (e.tx_enabled && !frequency(3, &e.tx_hz)) return std::nullopt;
  // As the radio's encoder reads them: only 低 is low, only 否 is off, only 宽 is wide.
  e.high_power = g.Text(n, 6) != "低";
  e.scan = g.Text(n, 7) != "否";
  e.wide = g.Text(n, 9) == "宽";
  return e;
}

CsvExport ExportCsv(const CKAVIRView& view) {
  CsvExport out;
  out.text = CsvLine(std::vector<std::string>(kCsvColumns.begin(), kCsvColumns.end()));
  for (int n = 1; n <= 16; ++n) {
    if (!view.ch_box[n - 1].checked()) continue;
    std::string why;
    auto entry = ChannelOf(view, n, &why);
    if (!entry) {
      out.problems.push_back(ChannelName(n) + " left out: " + why);
      continue;
    }
    out.text += CsvLine(WriteChannelRow(n, *entry));
    ++out.channels;
  }
  return out;
}

}  // namespace kavir
