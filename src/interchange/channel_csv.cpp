#include "channel_csv.h"

#include <algorithm>
#include <cstdio>

#include "decimal_text.h"
#include "setup/conversions.h"

namespace kavir {

namespace {

constexpr int kDefaultToneTenths = 885;  // 88.5 Hz
constexpr int kDefaultDcs = 023;         // octal, as the code's digits

std::string Mhz(std::int64_t hz) { return FormatScaled(hz, 6); }

bool OnRaster(std::int64_t hz) { return hz % 6250 == 0 || hz % 2500 == 0; }

// The DCS code's three octal digits as a number; nullopt for other text.
std::optional<int> ParseDcsCode(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 3) return std::nullopt;
  int code = 0;
  for (char c : text) {
    if (c < '0' || c > '7') return std::nullopt;
    code = code * 8 + (c - '0');
  }
  return code;
}

std::string DcsDigits(int code) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03o", static_cast<unsigned>(code & 0777));
  return buf;
}

// The tone fields of a row, each read only when the row's Tone uses it.
class ToneFields {
 public:
  ToneFields(const std::vector<std::string>& cells, const CsvColumnMap& columns) : cells_(cells), columns_(columns) {}

  std::optional<int> Ctcss(const char* column, std::string* why) const {
    const std::string text = Cell(column, "88.5");
    auto tenths = ParseScaled(text, 1, true);
    if (!tenths || *tenths <= 0 || *tenths > 4095) {
      *why = std::string(column) + " '" + text + "' is not a tone in Hz";
      return std::nullopt;
    }
    return static_cast<int>(*tenths);
  }
  std::optional<int> Dcs(const char* column, std::string* why) const {
    const std::string text = Cell(column, "023");
    auto code = ParseDcsCode(text);
    if (!code) *why = std::string(column) + " '" + text + "' is not a DCS code of three octal digits";
    return code;
  }
  // The two letters N/R: [0] transmit, [1] receive; true = inverted.
  std::optional<std::array<bool, 2>> Polarity(std::string* why) const {
    const std::string text = Cell("DtcsPolarity", "NN");
    if (text.size() == 2 && (text[0] == 'N' || text[0] == 'R') && (text[1] == 'N' || text[1] == 'R'))
      return std::array<bool, 2>{text[0] == 'R', text[1] == 'R'};
    *why = "DtcsPolarity '" + text + "' is not two letters N or R";
    return std::nullopt;
  }
  std::string Cell(const char* column, const char* default_text) const {
    const auto i = columns_.Find(column);
    return i && *i < cells_.size() ? cells_[*i] : std::string(default_text);
  }

 private:
  const std::vector<std::string>& cells_;
  const CsvColumnMap& columns_;
};

// One side of a tone: the tone text, or nullopt with *why set.
std::optional<std::string> SideTone(const ToneFields& f, const char* kind, bool transmit, std::string* why) {
  if (std::string_view(kind) == "Tone") {
    auto t = f.Ctcss(transmit ? "rToneFreq" : "cToneFreq", why);
    if (!t) return std::nullopt;
    return CtcssText(*t);
  }
  auto code = f.Dcs(transmit ? "DtcsCode" : "RxDtcsCode", why);
  auto pol = f.Polarity(why);
  if (!code || !pol) return std::nullopt;
  return DcsText(*code, (*pol)[transmit ? 0 : 1]);
}

struct CrossCase {
  const char* text;
  const char* transmit;  // "Tone", "DTCS" or nullptr for none
  const char* receive;
};
constexpr CrossCase kCrossModes[] = {
    {"Tone->Tone", "Tone", "Tone"}, {"Tone->DTCS", "Tone", "DTCS"}, {"DTCS->Tone", "DTCS", "Tone"},
    {"DTCS->DTCS", "DTCS", "DTCS"}, {"Tone->", "Tone", nullptr},    {"DTCS->", "DTCS", nullptr},
    {"->Tone", nullptr, "Tone"},    {"->DTCS", nullptr, "DTCS"},
};

// Fills entry.coding and entry.decode from the Tone column and its fields.
bool ReadTones(const ToneFields& f, ChannelEntry& entry, std::string* why) {
  const std::string tone = f.Cell("Tone", "");
  if (tone.empty()) return true;
  if (tone == "Tone") {
    auto t = f.Ctcss("rToneFreq", why);
    if (!t) return false;
    entry.coding = CtcssText(*t);
    return true;
  }
  if (tone == "TSQL") {
    auto t = f.Ctcss("cToneFreq", why);
    if (!t) return false;
    entry.coding = entry.decode = CtcssText(*t);
    return true;
  }
  if (tone == "DTCS") {
    auto code = f.Dcs("DtcsCode", why);
    auto pol = f.Polarity(why);
    if (!code || !pol) return false;
    entry.coding = DcsText(*code, (*pol)[0]);
    entry.decode = DcsText(*code, (*pol)[1]);
    return true;
  }
  if (tone == "Cross") {
    const std::string mode = f.Cell("CrossMode", "Tone->Tone");
    for (const CrossCase& c : kCrossModes) {
      if (mode != c.text) continue;
      if (c.transmit) {
        auto t = SideTone(f, c.transmit, true, why);
        if (!t) return false;
        entry.coding = *t;
      }
      if (c.receive) {
        auto t = SideTone(f, c.receive, false, why);
        if (!t) return false;
        entry.decode = *t;
      }
      return true;
    }
    *why = "CrossMode '" + mode +
           "' is not one of Tone->Tone, Tone->DTCS, DTCS->Tone, DTCS->DTCS, "
           "Tone->, DTCS->, ->Tone, ->DTCS";
    return false;
  }
  if (tone == "TSQL-R" || tone == "DTCS-R") {
    *why = "Tone " + tone + ": this radio has no reverse squelch";
    return false;
  }
  *why = "Tone '" + tone + "' is not empty, Tone, TSQL, DTCS or Cross";
  return false;
}

std::string FrequencyProblem(const char* what, std::int64_t hz, const ImportLimits& limits) {
  if (!OnRaster(hz))
    return std::string(what) + " " + Mhz(hz) + " MHz is on neither the 6.25 kHz nor the 2.5 kHz raster";
  if (hz < std::int64_t{limits.band_lower_mhz} * 1000000 || hz > std::int64_t{limits.band_upper_mhz} * 1000000)
    return std::string(what) + " " + Mhz(hz) + " MHz is outside the band " + std::to_string(limits.band_lower_mhz) +
           "-" + std::to_string(limits.band_upper_mhz) + " MHz";
  return {};
}

bool InList(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

CsvColumnMap::CsvColumnMap(const std::vector<std::string>& header) : size_(header.size()) {
  for (std::size_t i = 0; i < header.size(); ++i) index_.emplace(header[i], i);  // first one wins
}

std::optional<std::size_t> CsvColumnMap::Find(std::string_view name) const {
  auto it = index_.find(name);
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

std::string CsvColumnMap::MissingRequired() const {
  std::string missing;
  for (const char* name : {"Location", "Frequency"})
    if (!Find(name)) missing += (missing.empty() ? "" : " and ") + std::string(name);
  return missing.empty() ? missing : "the header has no column " + missing;
}

RowReading ReadChannelRow(const std::vector<std::string>& cells, const CsvColumnMap& columns,
                          const ImportLimits& limits) {
  RowReading r;
  auto refuse = [&](std::string why) {
    r.kind = RowReading::Kind::Refused;
    r.refusal = std::move(why);
    return r;
  };
  if (cells.size() < columns.header_size())
    return refuse("the row has " + std::to_string(cells.size()) + " cells, the header " +
                  std::to_string(columns.header_size()));
  const ToneFields f(cells, columns);
  if (auto loc = ParseScaled(f.Cell("Location", ""), 0)) r.location = static_cast<int>(*loc);

  const std::string freq = f.Cell("Frequency", "");
  if (freq.find_first_not_of(' ') == std::string::npos) {
    r.kind = RowReading::Kind::Skipped;
    return r;
  }
  ChannelEntry& e = r.entry;
  const auto rx = ParseScaled(freq, 6);
  if (!rx || *rx == 0) return refuse("Frequency '" + freq + "' is not a frequency in MHz with at most 6 decimals");
  e.rx_hz = *rx;

  const std::string duplex = f.Cell("Duplex", "");
  const std::string offset_text = f.Cell("Offset", "0");
  std::optional<std::int64_t> offset;
  if (duplex == "+" || duplex == "-" || duplex == "split") {
    offset = ParseScaled(offset_text, 6);
    if (!offset) return refuse("Offset '" + offset_text + "' is not a frequency in MHz with at most 6 decimals");
  }
  if (duplex.empty() || duplex == "off") {
    e.tx_hz = e.rx_hz;
    e.tx_enabled = duplex.empty();
    // Our own export keeps a TX-off channel's transmit frequency in Offset;
    // other programs leave an offset (or 0) there, never a frequency in band.
    if (duplex == "off")
      if (auto kept = ParseScaled(offset_text, 6);
          kept && *kept > 0 && FrequencyProblem("transmit", *kept, limits).empty())
        e.tx_hz = *kept;
  } else if (duplex == "+") {
    e.tx_hz = e.rx_hz + *offset;
  } else if (duplex == "-") {
    e.tx_hz = e.rx_hz - *offset;
  } else if (duplex == "split") {
    e.tx_hz = *offset;
  } else {
    return refuse("Duplex '" + duplex + "' is not empty, +, -, split or off");
  }
  if (std::string why = FrequencyProblem("receive", e.rx_hz, limits); !why.empty()) return refuse(why);
  if (e.tx_hz <= 0) return refuse("transmit frequency below 0 MHz");
  if (std::string why = FrequencyProblem("transmit", e.tx_hz, limits); !why.empty()) return refuse(why);

  const std::string mode = f.Cell("Mode", "FM");
  if (mode.empty())
    e.wide = std::nullopt;
  else if (mode == "FM" || mode == "NFM")
    e.wide = mode == "FM";
  else
    return refuse("Mode '" + mode + "': this radio has FM (宽) and NFM (窄) only");

  std::string why;
  if (!ReadTones(f, e, &why)) return refuse(why);
  if (!InList(limits.decode_tones, e.decode)) return refuse("receive tone " + e.decode + " is not in the tone list");
  if (!InList(limits.coding_tones, e.coding)) return refuse("transmit tone " + e.coding + " is not in the tone list");

  const std::string skip = f.Cell("Skip", "");
  if (skip.empty() || skip == "P" || skip == "S")
    e.scan = skip != "S";
  else
    return refuse("Skip '" + skip + "' is not empty, S or P");

  // No Power column: the radio's usual high; an empty cell stays blank.
  std::string power = f.Cell("Power", "5.0W");
  if (power.find_first_not_of(' ') == std::string::npos) e.high_power = std::nullopt;
  while (!power.empty() && (power.back() == ' ' || power.back() == 'W' || power.back() == 'w')) {
    const bool unit = power.back() != ' ';
    power.pop_back();
    if (unit) break;
  }
  if (!power.empty()) {
    auto tenths = ParseScaled(power, 1, true);
    if (!tenths) return refuse("Power '" + f.Cell("Power", "") + "' is not a power in watts");
    e.high_power = *tenths >= 30;
  }
  r.kind = RowReading::Kind::Entry;
  return r;
}

std::vector<std::string> WriteChannelRow(int location, const ChannelEntry& e) {
  std::vector<std::string> cells(kCsvColumns.size());
  auto set = [&](std::string_view column, std::string value) {
    for (std::size_t i = 0; i < kCsvColumns.size(); ++i)
      if (column == kCsvColumns[i]) cells[i] = std::move(value);
  };
  set("Location", std::to_string(location));
  set("Frequency", Mhz(e.rx_hz));
  if (!e.tx_enabled) {
    set("Duplex", "off");  // other programs: receive only; Offset is ours
    set("Offset", Mhz(e.tx_hz == e.rx_hz ? 0 : e.tx_hz));
  } else {
    set("Duplex", e.tx_hz == e.rx_hz ? "" : e.tx_hz > e.rx_hz ? "+" : "-");
    set("Offset", Mhz(e.tx_hz > e.rx_hz ? e.tx_hz - e.rx_hz : e.rx_hz - e.tx_hz));
  }

  int r_tone = kDefaultToneTenths, c_tone = kDefaultToneTenths;
  int tx_dcs = kDefaultDcs, rx_dcs = kDefaultDcs;
  char polarity[3] = "NN";
  const ToneValue tx = ParseToneText(e.coding).value_or(ToneValue{});
  const ToneValue rx = ParseToneText(e.decode).value_or(ToneValue{});
  auto side = [&](const ToneValue& v, bool transmit) -> const char* {
    if (v.type == 0) return "";
    if (v.type == 1) {
      (transmit ? r_tone : c_tone) = v.code;
      return "Tone";
    }
    (transmit ? tx_dcs : rx_dcs) = v.code;
    polarity[transmit ? 0 : 1] = v.type == 3 ? 'R' : 'N';
    return "DTCS";
  };
  const std::string tx_kind = side(tx, true);
  const std::string rx_kind = side(rx, false);
  std::string tone;
  if (tx.type == 0 && rx.type == 0) {
    tone = "";
  } else if (tx.type == 1 && rx.type == 0) {
    tone = "Tone";
  } else if (tx.type == 1 && rx == tx) {
    tone = "TSQL";
  } else if (tx.type >= 2 && tx.type == rx.type && tx.code == rx.code) {
    tone = "DTCS";
  } else {
    tone = "Cross";
    set("CrossMode", tx_kind + "->" + rx_kind);
  }
  if (tone == "TSQL") r_tone = c_tone;
  set("Tone", tone);
  set("rToneFreq", FormatScaled(r_tone, 1));
  set("cToneFreq", FormatScaled(c_tone, 1));
  set("DtcsCode", DcsDigits(tx_dcs));
  set("DtcsPolarity", polarity);
  set("RxDtcsCode", DcsDigits(tone == "DTCS" ? tx_dcs : rx_dcs));
  if (tone != "Cross") set("CrossMode", "Tone->Tone");
  set("Mode", !e.wide ? "" : *e.wide ? "FM" : "NFM");
  const bool coarse_only = e.rx_hz % 6250 != 0 || (e.tx_enabled && e.tx_hz % 6250 != 0);
  set("TStep", coarse_only ? "2.50" : "6.25");
  set("Skip", e.scan ? "" : "S");
  set("Power", !e.high_power ? "" : *e.high_power ? "5.0W" : "1.0W");
  return cells;
}

std::string CtcssText(int tenths_hz) { return "CTCSS:" + FormatScaled(tenths_hz, 1); }

std::string DcsText(int code, bool inverted) { return (inverted ? "-DCS:" : "+DCS:") + DcsDigits(code); }

std::optional<ToneValue> ParseToneText(std::string_view text) {
  if (text == "关") return ToneValue{};
  if (text.rfind("CTCSS:", 0) == 0) {
    auto tenths = ParseScaled(text.substr(6), 1);
    if (!tenths || *tenths <= 0 || *tenths > 4095) return std::nullopt;
    return ToneValue{1, static_cast<int>(*tenths)};
  }
  if (text.rfind("+DCS:", 0) == 0 || text.rfind("-DCS:", 0) == 0) {
    if (text.size() != 8) return std::nullopt;
    auto code = ParseDcsCode(text.substr(5));
    if (!code) return std::nullopt;
    return ToneValue{text[0] == '-' ? 3 : 2, *code};
  }
  return std::nullopt;
}

std::string GridFrequencyText(std::int64_t hz) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%03lld.%05lld", static_cast<long long>(hz / 1000000),
                static_cast<long long>(hz % 1000000 / 10));
  return buf;
}

std::optional<std::int64_t> GridFrequencyHz(std::string_view text) {
  auto v = ParseScaled(text, 5);
  // Only a text the radio's encoder reads the same way counts.
  if (!v || *v == 0 || FrequencyValue(text) != *v) return std::nullopt;
  return *v * 10;
}

}  // namespace kavir
