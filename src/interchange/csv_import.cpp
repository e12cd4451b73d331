#include "csv_import.h"

#include <algorithm>

#include "csv_table.h"
#include "ini/ini_document.h"

namespace kavir {

int ImportPlan::imported() const {
  return static_cast<int>(
      std::count_if(rows.begin(), rows.end(), [](const ImportRow& r) { return r.channel.has_value(); }));
}

int ImportPlan::refused() const { return static_cast<int>(rows.size()) - imported(); }

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
        row.refusal = ChannelLabel(channel) + " is already taken by line " + std::to_string(taken_by[channel]);
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

ImportLimits LimitsOf(const Setup& setup, const ChannelLists& lists) {
  ImportLimits limits;
  limits.band_lower_mhz = LeadingInt(setup.band_lower);
  limits.band_upper_mhz = LeadingInt(setup.band_upper);
  limits.decode_tones = lists.decode;
  limits.coding_tones = lists.coding;
  return limits;
}

void ApplyImport(const ImportPlan& plan, const ChannelLists& lists, Setup& setup) {
  using F = ChannelField;
  auto first = [](const std::vector<std::string>& list) { return list.empty() ? std::string() : list.front(); };
  for (const ImportRow& row : plan.rows) {
    if (!row.channel) continue;
    const ChannelEntry& e = row.entry;
    Channel& c = setup.channel(*row.channel);
    c[F::RxFreq] = GridFrequencyText(e.rx_hz);
    c[F::RxTone] = e.decode;
    c[F::TxFreq] = GridFrequencyText(e.tx_hz);
    c[F::TxTone] = e.coding;
    if (c[F::BusyLock].empty()) c[F::BusyLock] = first(lists.busy_lock);
    c[F::TxPower] = !e.high_power ? "" : *e.high_power ? "高" : "低";
    c[F::Scan] = e.scan ? "是" : "否";
    if (c[F::ClockShift].empty()) c[F::ClockShift] = first(lists.clock_freq);
    c[F::Bandwidth] = !e.wide ? "" : *e.wide ? "宽" : "窄";
    c.enabled = true;
    c.tx_enabled = e.tx_enabled;
  }
}

}  // namespace kavir
