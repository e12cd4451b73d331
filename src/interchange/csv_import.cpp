#include "csv_import.h"

#include <algorithm>
#include <cstdio>

#include "csv_table.h"
#include "../screen/kavir_view.h"

namespace kavir {

int ImportPlan::imported() const {
  return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const ImportRow& r) { return r.channel.has_value(); }));
}

int ImportPlan::refused() const { return static_cast<int>(rows.size()) - imported(); }

std::string ChannelName(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "CH%02d", n);
  return buf;
}

ImportPlan PlanCsvImport(std::string_view csv_bytes, const ImportLimits& limits, bool by_location) {
  ImportPlan plan;
  CsvText text = ParseCsvText(csv_bytes);
  if (!text.error.empty()) {
    plan.error = text.error;
    return plan;
  }
  if (text.records.empty()) {
    plan.error = "no header line: not a channel-plan CSV file";
    return plan;
  }
  const CsvColumnMap columns(text.records.front().cells);
  if (std::string missing = columns.MissingRequired(); !missing.empty()) {
    plan.error = "line " + std::to_string(text.records.front().line) + ": " + missing;
    return plan;
  }
  const std::size_t location_column = *columns.Find("Location");

  int next_channel = 1;
  std::vector<int> taken_by(17, 0);  // line that filled channel n
  for (std::size_t i = 1; i < text.records.size(); ++i) {
    const CsvRecord& record = text.records[i];
    RowReading reading = ReadChannelRow(record.cells, columns, limits);
    if (reading.kind == RowReading::Kind::Skipped) continue;
    ImportRow row;
    row.line = record.line;
    if (location_column < record.cells.size()) row.location = record.cells[location_column];
    row.refusal = reading.refusal;
    row.entry = reading.entry;
    if (reading.kind == RowReading::Kind::Entry) {
      int channel = 0;
      if (by_location) {
        if (!reading.location || *reading.location < 1 || *reading.location > 16)
          row.refusal = "Location '" + row.location + "' is not a channel from 1 to 16";
        else
          channel = *reading.location;
      } else if (next_channel > 16) {
        row.refusal = "all 16 channels are taken by earlier rows";
      } else {
        channel = next_channel++;
      }
      if (channel && taken_by[channel]) {
        row.refusal = ChannelName(channel) + " is already taken by line " + std::to_string(taken_by[channel]);
        channel = 0;
      }
      if (channel) {
        taken_by[channel] = row.line;
        row.channel = channel;
      }
    }
    plan.rows.push_back(std::move(row));
  }
  return plan;
}

ImportLimits LimitsOf(const CKAVIRView& view) {
  ImportLimits limits;
  limits.band_lower_mhz = static_cast<int>(view.band_lower_limit);
  limits.band_upper_mhz = static_cast<int>(view.band_upper_limit);
  limits.decode_tones = view.channel_lists.decode;
  limits.coding_tones = view.channel_lists.coding;
  return limits;
}

void ApplyImport(const ImportPlan& plan, CKAVIRView& view) {
  // Grid columns: 1 RxFreq, 2 Decode, 3 TxFreq, 4 Coding, 5 BusyLock,
  // 6 TxPower, 7 ChannelScans, 8 ClockFreq, 9 ZoneWide.
  auto first = [](const std::vector<std::string>& list) { return list.empty() ? std::string() : list.front(); };
  view.editor.Close();
  for (const ImportRow& row : plan.rows) {
    if (!row.channel) continue;
    const int n = *row.channel;
    const ChannelEntry& e = row.entry;
    ChannelGrid& g = view.grid;
    g.SetText(n, 1, GridFrequencyText(e.rx_hz));
    g.SetText(n, 2, e.decode);
    g.SetText(n, 3, GridFrequencyText(e.tx_hz));
    g.SetText(n, 4, e.coding);
    if (g.Text(n, 5).empty()) g.SetText(n, 5, first(view.channel_lists.busy_lock));
    g.SetText(n, 6, e.high_power ? "高" : "低");
    g.SetText(n, 7, e.scan ? "是" : "否");
    if (g.Text(n, 8).empty()) g.SetText(n, 8, first(view.channel_lists.clock_freq));
    g.SetText(n, 9, e.wide ? "宽" : "窄");
    view.ch_box[n - 1].state = 1;
    view.tx_box[n - 1].state = e.tx_enabled ? 1 : 0;
    view.UpdateChannelRow(n);
    view.UpdateTxColumns(n);
  }
}

}  // namespace kavir
