// Any bytes give a plan or a reason; every imported row lands in its own
// channel with frequencies and tones the radio takes; a row written back
// out reads in as the same channel; written cells parse back unchanged.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "interchange/channel_csv.h"
#include "interchange/csv_import.h"
#include "interchange/csv_table.h"

namespace {

kavir::ImportLimits Limits() {
  kavir::ImportLimits l;
  l.band_lower_mhz = 136;
  l.band_upper_mhz = 174;
  for (auto* list : {&l.decode_tones, &l.coding_tones}) {
    list->push_back("关");
    for (int tenths : {670, 885, 1000, 2541}) list->push_back(kavir::CtcssText(tenths));
    for (int code : {023, 0754, 0777})
      for (bool inverted : {false, true}) list->push_back(kavir::DcsText(code, inverted));
  }
  return l;
}

void CheckCells(const std::string& bytes) {
  // Cells split at byte 0x01: written as one line, they read back the same.
  std::vector<std::string> cells(1);
  for (char c : bytes) {
    if (c == '\x01')
      cells.emplace_back();
    else if (c != '\0')
      cells.back() += c;
  }
  if (cells[0].empty() && cells.size() == 1) return;    // a blank line is no record
  if (!cells[0].empty() && cells[0][0] == '#') return;  // a comment
  const kavir::CsvText back = kavir::ParseCsvText(kavir::CsvLine(cells));
  if (!back.error.empty() || back.records.size() != 1 || back.records[0].cells != cells) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kavir::ImportLimits limits = Limits();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckCells(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes);

  for (bool by_location : {false, true}) {
    const kavir::ImportPlan plan = kavir::PlanCsvImport(bytes, limits, by_location);
    if (!plan.error.empty() && !plan.rows.empty()) std::abort();
    std::set<int> channels;
    for (const kavir::ImportRow& row : plan.rows) {
      if (!row.channel) {
        if (row.refusal.empty()) std::abort();
        continue;
      }
      if (*row.channel < 1 || *row.channel > 16 || !channels.insert(*row.channel).second) std::abort();
      const kavir::ChannelEntry& e = row.entry;
      for (std::int64_t hz : {e.rx_hz, e.tx_hz})
        if (hz < 136000000 || hz > 174000000 || (hz % 6250 && hz % 2500)) std::abort();
      // Written out and read again: the same channel.
      const std::string again = kavir::CsvLine({kavir::kCsvColumns.begin(), kavir::kCsvColumns.end()}) +
                                kavir::CsvLine(kavir::WriteChannelRow(*row.channel, e));
      const kavir::ImportPlan back = kavir::PlanCsvImport(again, limits, true);
      if (back.rows.size() != 1 || back.rows[0].channel != row.channel || !(back.rows[0].entry == e)) std::abort();
    }
  }
  return 0;
}
