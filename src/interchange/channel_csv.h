#pragma once
// One channel as a row of the channel-plan CSV layout, both ways.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavir {

// The columns in the order they are written.
inline constexpr std::array<const char*, 21> kCsvColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// What a channel holds, in the radio's terms.
struct ChannelEntry {
  std::int64_t rx_hz = 0;
  std::int64_t tx_hz = 0;     // kept when transmit is inhibited (rx_hz when there is none)
  std::string decode = "关";  // receive tone text (grid column 接收信令)
  std::string coding = "关";  // transmit tone text (发射信令)
  // None: the grid's cell is blank, and so is the CSV's (Mode, Power).
  std::optional<bool> wide = true;
  std::optional<bool> high_power = true;
  bool scan = true;
  bool tx_enabled = true;
  bool operator==(const ChannelEntry&) const = default;
};

// Where the columns of a header row are; names match exactly.
class CsvColumnMap {
 public:
  explicit CsvColumnMap(const std::vector<std::string>& header);
  std::optional<std::size_t> Find(std::string_view name) const;
  std::size_t header_size() const { return size_; }
  // The required columns that are missing, in words; empty when none.
  std::string MissingRequired() const;

 private:
  std::map<std::string, std::size_t, std::less<>> index_;
  std::size_t size_ = 0;
};

// What a row may hold to be importable.
struct ImportLimits {
  int band_lower_mhz = 0;
  int band_upper_mhz = 0;
  std::vector<std::string> decode_tones;  // the grid's 接收信令 list
  std::vector<std::string> coding_tones;  // 发射信令 list
};

struct RowReading {
  enum class Kind { Entry, Skipped, Refused } kind = Kind::Refused;
  ChannelEntry entry;
  std::string refusal;          // why the row was refused
  std::optional<int> location;  // Location as a whole number, when it is one
};

RowReading ReadChannelRow(const std::vector<std::string>& cells, const CsvColumnMap& columns,
                          const ImportLimits& limits);

// The cells of the row of channel `location`.
std::vector<std::string> WriteChannelRow(int location, const ChannelEntry& entry);

// Tone texts as the grid shows them.
std::string CtcssText(int tenths_hz);          // "CTCSS:67.0"
std::string DcsText(int code, bool inverted);  // code in octal digits: "+DCS:023"
struct ToneValue {
  int type = 0;  // 0 off, 1 CTCSS (code in tenths of Hz), 2 DCS normal, 3 DCS inverted
  int code = 0;  // DCS: the number whose octal digits are the code
  bool operator==(const ToneValue&) const = default;
};
// Strict reading of a tone text; nullopt for anything that is not one.
std::optional<ToneValue> ParseToneText(std::string_view text);

// The grid's 9-character frequency text ("146.52000") of a frequency in Hz
// and back (nullopt for a text that is not a frequency).
std::string GridFrequencyText(std::int64_t hz);
std::optional<std::int64_t> GridFrequencyHz(std::string_view text);

}  // namespace kavir
