// Channel records: 16 bytes per channel at 0x010 * (n - 1).
#include "channel_record.h"

#include <cstring>

#include "ini/gbk.h"
#include "setup/conversions.h"
#include "setup/frequency.h"
#include "setup/option_search.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"

namespace kavir {
namespace {

// A blank cell (a channel not in use may hold them) goes in as the bits of
// an empty record, as a blank frequency does: zero, never a value nobody chose.
std::uint8_t BusyLockValue(std::string_view text) {
  if (text.empty() || text == "禁止") return 0;
  if (text == "载波控制") return 2;
  return 3;
}

const char* BusyLockText(int value) {
  if (value == 0) return "禁止";
  if (value == 2) return "载波控制";
  return "CTC/DCS控制";
}

// 0, 1 or 2: where the frequency lies within the band.
int SubBand(Frequency f, const RecordBand& band) {
  const std::int64_t l = band.lower.tens(), h = band.upper.tens();
  const std::int64_t mid = l + (h - l) / 2;
  const std::int64_t q1 = l + (mid - l) / 2;
  const std::int64_t q3 = mid + (h - mid) / 2;
  if (f.tens() < q1) return 0;
  if (f.tens() < q3) return 1;
  return 2;
}

// A frequency as a store writes it (padded to nine characters) and a
// profile gives it back.
Frequency StoredFrequency(const std::string& text) {
  return Frequency::FromText(StoredText(PadFrequency(text), kValueBuffer));
}

}  // namespace

std::string_view StoredText(std::string_view text, std::size_t buffer) {
  const std::string_view trimmed = TrimBlanks(text);
  return trimmed.substr(0, GbkPrefixLength(trimmed, buffer - 1));
}

RecordBand RecordBand::Of(const Setup& setup) {
  return {Frequency::FromText(StoredText(setup.band_lower, kBandBuffer)),
          Frequency::FromText(StoredText(setup.band_upper, kBandBuffer))};
}

bool HighPower(const Channel& c) {
  const std::string_view power = StoredText(c[ChannelField::TxPower], kValueBuffer);
  return !power.empty() && power != "低";
}
bool WideBand(const Channel& c) { return StoredText(c[ChannelField::Bandwidth], kValueBuffer) == "宽"; }

void EncodeChannelRecord(const Channel& c, const RecordBand& band, std::uint8_t* d) {
  using F = ChannelField;
  auto field = [&](F f) { return StoredText(c[f], kValueBuffer); };
  auto tone = [&](F f) { return ToneBytes(field(f).empty() ? std::string_view("关") : field(f)); };
  const Frequency rx = StoredFrequency(c[F::RxFreq]), tx = StoredFrequency(c[F::TxFreq]);
  const auto rx_bytes = rx.Bytes(c.enabled);
  const auto rx_tone = tone(F::RxTone);
  const auto tx_bytes = tx.Bytes(c.tx_enabled);
  const auto tx_tone = tone(F::TxTone);
  std::memcpy(d + 0, rx_bytes.data(), 3);
  std::memcpy(d + 3, rx_tone.data(), 2);
  std::memcpy(d + 5, tx_bytes.data(), 3);
  std::memcpy(d + 8, tx_tone.data(), 2);
  d[10] = static_cast<std::uint8_t>(SubBand(rx, band) * 64 + SubBand(tx, band) * 16 +
                                    (field(F::ClockShift) == "是" ? 2 : 0) + (WideBand(c) ? 1 : 0));
  d[11] = static_cast<std::uint8_t>(BusyLockValue(field(F::BusyLock)) * 16 + (HighPower(c) ? 8 : 0) +
                                    (field(F::Scan).empty() || field(F::Scan) == "否" ? 0 : 4));
  d[12] = 0x00;
  d[13] = 0x88;
  d[14] = 0x08;
  d[15] = 0x00;
}

void DecodeChannelRecord(const std::uint8_t* d, Channel& c) {
  using F = ChannelField;
  c[F::RxFreq] = Frequency::FromBytes(d + 0).Text();
  c.enabled = (d[2] & 0x08) != 0;
  c[F::RxTone] = ToneText(d + 3);
  c[F::TxFreq] = Frequency::FromBytes(d + 5).Text();
  c.tx_enabled = (d[7] & 0x08) != 0;
  c[F::TxTone] = ToneText(d + 8);
  c[F::ClockShift] = (d[10] & 0x02) ? "是" : "否";
  c[F::Bandwidth] = (d[10] & 0x01) ? "宽" : "窄";
  c[F::BusyLock] = BusyLockText((d[11] >> 4) & 0x3);
  c[F::TxPower] = (d[11] & 0x08) ? "高" : "低";
  c[F::Scan] = (d[11] & 0x04) ? "是" : "否";
}

Setup AsWritten(const Setup& setup) {
  Setup out = setup;
  const RecordBand band = RecordBand::Of(setup);
  for (int n = 1; n <= kChannels; ++n) {
    Channel& c = out.channel(n);
    std::uint8_t record[16];
    EncodeChannelRecord(c, band, record);
    Channel held = c;
    DecodeChannelRecord(record, held);
    for (int f = 0; f < kChannelFieldCount; ++f)
      if (TrimBlanks(c[ChannelField(f)]).empty()) c[ChannelField(f)] = held[ChannelField(f)];
  }
  return out;
}

}  // namespace kavir
