#include "csv_export.h"

#include "csv_table.h"
#include "setup/option_search.h"

namespace kavir {

std::optional<ChannelEntry> ChannelOf(const Setup& setup, int n, std::string* why) {
  using F = ChannelField;
  const Channel& c = setup.channel(n);
  ChannelEntry e;
  auto frequency = [&](F f, std::int64_t* hz) {
    auto v = GridFrequencyHz(c[f]);
    if (!v)
      *why = std::string(FieldCaption(f)) + " '" + c[f] + "' is not a frequency";
    else
      *hz = *v;
    return v.has_value();
  };
  auto tone = [&](F f, std::string* text) {
    if (ParseToneText(c[f])) {
      *text = c[f];
      return true;
    }
    *why = std::string(FieldCaption(f)) + " '" + c[f] + "' is not a tone";
    return false;
  };
  e.tx_enabled = c.tx_enabled;
  if (!frequency(F::RxFreq, &e.rx_hz) || !tone(F::RxTone, &e.decode) || !tone(F::TxTone, &e.coding))
    return std::nullopt;
  e.tx_hz = e.rx_hz;
  if (e.tx_enabled && !frequency(F::TxFreq, &e.tx_hz)) return std::nullopt;
  // TX off keeps its transmit frequency for the day it is switched on again.
  if (!e.tx_enabled)
    if (auto kept = GridFrequencyHz(c[F::TxFreq]); kept && *kept > 0) e.tx_hz = *kept;
  // As the radio's encoder reads them: only 低 is low, only 否 is off, only
  // 宽 is wide; a blank power or bandwidth is written blank, not as a value.
  // (Skip has no blank: an empty one means scanned.)
  auto choice = [&](F f, const char* on) -> std::optional<bool> {
    const std::string_view text = TrimBlanks(c[f]);
    if (text.empty()) return std::nullopt;
    return f == F::TxPower ? text != "低" : text == on;
  };
  e.high_power = choice(F::TxPower, "高");
  e.scan = c[F::Scan] != "否";
  e.wide = choice(F::Bandwidth, "宽");
  return e;
}

CsvExport ExportCsv(const Setup& setup) {
  CsvExport out;
  out.text = CsvLine(std::vector<std::string>(kCsvColumns.begin(), kCsvColumns.end()));
  for (int n = 1; n <= kChannels; ++n) {
    if (!setup.channel(n).enabled) continue;
    std::string why;
    auto entry = ChannelOf(setup, n, &why);
    if (!entry) {
      out.problems.push_back(ChannelLabel(n) + " left out: " + why);
      continue;
    }
    out.text += CsvLine(WriteChannelRow(n, *entry));
    ++out.channels;
  }
  return out;
}

}  // namespace kavir
