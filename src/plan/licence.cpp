#include "licence.h"

#include <array>
#include <map>
#include <span>

#include "ini/gbk.h"
#include "ini/translate.h"
#include "interchange/csv_table.h"
#include "setup/option_search.h"

namespace kavir {
namespace {

enum Column { kFrequency, kMaxPower, kBandwidth, kTx, kNote, kColumnCount };

// Every column but Note must be there.
struct ColumnName {
  const char* english;
  const char* chinese;
};
constexpr std::array<ColumnName, kColumnCount> kColumns = {{
    {"Frequency", "频率"},
    {"MaxPower", "最大功率"},
    {"Bandwidth", "带宽"},
    {"TX", "允许发射"},
    {"Note", "备注"},
}};

// The words a cell of a yes-or-no column may hold, and what each means.
struct Word {
  const char* text;  // compared without regard to ASCII letter case
  bool value;
};
constexpr Word kPowerWords[] = {{"high", true}, {"高", true}, {"low", false}, {"低", false}};
constexpr Word kBandwidthWords[] = {{"wide", true},    {"宽", true},  {"25", true},
                                    {"narrow", false}, {"窄", false}, {"12.5", false}};
constexpr Word kTxWords[] = {{"yes", true}, {"是", true}, {"no", false}, {"否", false}};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<bool> ReadWord(std::string_view cell, std::span<const Word> words) {
  const std::string word = Lower(cell);
  for (const Word& w : words)
    if (word == w.text) return w.value;
  return std::nullopt;
}

LicenceReading Refuse(int line, int column, const std::string& column_name, const std::string& reason) {
  LicenceReading r;
  r.error.line = line;
  r.error.column = column;
  if (column == 0)
    r.error.message = ArgText(TrText("Plan", "第 %1 行: %2"), {std::to_string(line), reason});
  else if (column_name.empty())
    r.error.message =
        ArgText(TrText("Plan", "第 %1 行第 %2 列: %3"), {std::to_string(line), std::to_string(column), reason});
  else
    r.error.message = ArgText(TrText("Plan", "第 %1 行第 %2 列 (%3): %4"),
                              {std::to_string(line), std::to_string(column), column_name, reason});
  return r;
}

// Where byte `at` lies: its line and its cell on that line, as the CSV
// reader counts them (a quoted cell may hold commas and line ends).
std::pair<int, int> PlaceOf(std::string_view text, std::size_t at) {
  int line = 1, cell = 1;
  bool quoted = false;
  for (std::size_t i = 0; i < at; ++i) {  // text[i + 1] is there: i + 1 <= at
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      ++cell;
    } else if (c == '\n' || (c == '\r' && text[i + 1] != '\n')) {
      ++line;
      if (!quoted) cell = 1;
    }
  }
  return {line, cell};
}

// The first byte that starts no well-formed UTF-8 sequence, or npos. Only
// the form is checked: it tells UTF-8 from GBK, whose bytes rarely fit it.
std::size_t FirstNonUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t length = c < 0x80             ? 1
                               : (c & 0xE0) == 0xC0 ? 2
                               : (c & 0xF0) == 0xE0 ? 3
                               : (c & 0xF8) == 0xF0 ? 4
                                                    : 0;
    if (length == 0 || i + length > s.size()) return i;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return i;
    i += length;
  }
  return std::string_view::npos;
}

}  // namespace

const LicenceEntry* Licence::Find(Frequency frequency) const {
  for (const LicenceEntry& e : entries)
    if (e.frequency == frequency) return &e;
  return nullptr;
}

LicenceReading ReadLicence(std::string_view bytes) {
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    const auto [line, cell] = PlaceOf(bytes, nul);
    return Refuse(line, cell, "", TrText("Plan", "含有 NUL 字节: 不是文本文件"));
  }
  std::string text(bytes);
  if (const std::size_t bad = FirstNonUtf8(bytes); bad != std::string_view::npos) {
    std::optional<std::string> gbk = GbkToUtf8(bytes);
    if (!gbk) {
      const auto [line, cell] = PlaceOf(bytes, bad);
      return Refuse(line, cell, "", TrText("Plan", "不是 UTF-8 文本 (请存为 UTF-8 的 CSV)"));
    }
    text = std::move(*gbk);
  }
  const CsvText csv = ParseCsvText(text);  // drops a byte-order mark
  if (!csv.error.empty()) return Refuse(csv.error_line, csv.error_cell, "", TrText("Plan", "引号没有闭合"));
  if (csv.records.empty()) return Refuse(1, 0, "", TrText("Plan", "没有标题行 (Frequency,MaxPower,Bandwidth,TX,Note)"));

  // Which cell holds which column; header cells left blank hold nothing.
  const CsvRecord& header = csv.records.front();
  std::array<int, kColumnCount> cell_of;
  cell_of.fill(-1);
  for (std::size_t i = 0; i < header.cells.size(); ++i) {
    const std::string name(TrimBlanks(header.cells[i]));
    if (name.empty()) continue;
    int found = -1;
    for (int k = 0; k < kColumnCount; ++k)
      if (Lower(name) == Lower(kColumns[k].english) || name == kColumns[k].chinese) found = k;
    const int column = static_cast<int>(i) + 1;
    if (found < 0)
      return Refuse(header.line, column, name,
                    TrText("Plan", "不认识的列名 (应为 Frequency, MaxPower, Bandwidth, TX, Note)"));
    if (cell_of[found] >= 0)
      return Refuse(header.line, column, name,
                    ArgText(TrText("Plan", "这一列在第 %1 列已经有了"), {std::to_string(cell_of[found] + 1)}));
    cell_of[found] = static_cast<int>(i);
  }
  for (int k = 0; k < kColumnCount; ++k)
    if (k != kNote && cell_of[k] < 0)
      return Refuse(header.line, 0, "", ArgText(TrText("Plan", "没有 %1 列"), {kColumns[k].english}));

  Licence licence;
  std::map<Frequency, int> listed_on;  // frequency -> line
  for (std::size_t r = 1; r < csv.records.size(); ++r) {
    const CsvRecord& row = csv.records[r];
    // A cell without a column would be silently lost: a typo, or a comma in a note.
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const bool named = i < header.cells.size() && !TrimBlanks(header.cells[i]).empty();
      if (!named && !TrimBlanks(row.cells[i]).empty())
        return Refuse(row.line, static_cast<int>(i) + 1, "", TrText("Plan", "这个单元格没有列名"));
    }
    auto cell = [&](Column k) {  // "" for a column the file has not, or a short row
      const int i = cell_of[k];
      return i >= 0 && i < static_cast<int>(row.cells.size()) ? std::string(TrimBlanks(row.cells[i])) : std::string();
    };
    auto refuse = [&](Column k, const std::string& reason) {
      return Refuse(row.line, cell_of[k] + 1, std::string(TrimBlanks(header.cells[cell_of[k]])), reason);
    };
    LicenceEntry entry;
    entry.line = row.line;
    for (Column k : {kFrequency, kMaxPower, kBandwidth, kTx})
      if (cell(k).empty()) return refuse(k, TrText("Plan", "没有填写"));

    const std::optional<Frequency> f = Frequency::Read(cell(kFrequency));
    if (!f || f->hz() == 0)
      return refuse(kFrequency,
                    ArgText(TrText("Plan", "\"%1\" 不是以 MHz 为单位的频率 (例如 451.02500)"), {cell(kFrequency)}));
    if (const auto seen = listed_on.find(*f); seen != listed_on.end())
      return refuse(kFrequency,
                    ArgText(TrText("Plan", "%1 MHz 在第 %2 行已经列出"), {f->MhzText(), std::to_string(seen->second)}));
    listed_on[*f] = row.line;
    entry.frequency = *f;

    const std::optional<bool> high = ReadWord(cell(kMaxPower), kPowerWords);
    if (!high)
      return refuse(kMaxPower,
                    ArgText(TrText("Plan", "\"%1\" 不是功率: 应为 low 或 high (低 或 高)"), {cell(kMaxPower)}));
    const std::optional<bool> wide = ReadWord(cell(kBandwidth), kBandwidthWords);
    if (!wide)
      return refuse(kBandwidth, ArgText(TrText("Plan", "\"%1\" 不是带宽: 应为 narrow 或 wide (窄 或 宽, 12.5 或 25)"),
                                        {cell(kBandwidth)}));
    const std::optional<bool> tx = ReadWord(cell(kTx), kTxWords);
    if (!tx) return refuse(kTx, ArgText(TrText("Plan", "\"%1\" 应为 yes 或 no (是 或 否)"), {cell(kTx)}));
    entry.high_power = *high;
    entry.wide = *wide;
    entry.transmit = *tx;
    entry.note = cell(kNote);
    licence.entries.push_back(std::move(entry));
  }
  if (licence.entries.empty()) return Refuse(header.line, 0, "", TrText("Plan", "许可证中没有列出任何频率"));
  LicenceReading reading;
  reading.licence = std::move(licence);
  return reading;
}

}  // namespace kavir
