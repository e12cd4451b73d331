// Channel records: 16 bytes per channel at 0x010 * (n - 1).
#include "channel_record.h"

#include <cstring>

#include "profile/conversions.h"
#include "profile/gbk.h"
#include "profile/profile_keys.h"
#include "setup/frequency.h"
#include "setup/option_search.h"
#include "setup/profile_setup.h"

namespace kavir {
namespace {

std::uint8_t BusyLockValue(const std::string& text) {
  if (text == "禁止") return 0;
  if (text == "载波控制") return 2;
  return 3;
}

const char* BusyLockText(int value) {
  if (value == 0) return "禁止";
  if (value == 2) return "载波控制";
  return "CTC/DCS控制";
}

// 0, 1 or 2: where the frequency lies within the band lo..hi.
int SubBand(const std::string& freq, Frequency lo, Frequency hi) {
  if (freq.empty()) return 0;
  const std::int64_t l = lo.tens(), h = hi.tens(), f = Frequency::FromText(freq).tens();
  const std::int64_t mid = l + (h - l) / 2;
  const std::int64_t q1 = l + (mid - l) / 2;
  const std::int64_t q3 = mid + (h - mid) / 2;
  if (f < q1) return 0;
  if (f < q3) return 1;
  return 2;
}

}  // namespace

std::string StoredText(std::string_view text, std::size_t buffer) {
  return ClipToGbkBytes(TrimBlanks(text), buffer - 1);
}

void EncodeChannelRecord(const Channel& c, const std::string& band_lower, const std::string& band_upper,
                         std::uint8_t* d) {
  using F = ChannelField;
  auto field = [&](F f) { return StoredText(c[f], kValueBuffer); };
  auto frequency = [&](F f) { return StoredText(PadFrequency(c[f]), kValueBuffer); };
  const std::string rx = frequency(F::RxFreq), tx = frequency(F::TxFreq);
  const Frequency lo = Frequency::FromText(StoredText(band_lower, kBandBuffer));
  const Frequency hi = Frequency::FromText(StoredText(band_upper, kBandBuffer));

  const auto rx_bytes = Frequency::FromText(rx).Bytes(c.enabled);
  const auto rx_tone = ToneBytes(field(F::RxTone));
  const auto tx_bytes = Frequency::FromText(tx).Bytes(c.tx_enabled);
  const auto tx_tone = ToneBytes(field(F::TxTone));
  std::memcpy(d + 0, rx_bytes.data(), 3);
  std::memcpy(d + 3, rx_tone.data(), 2);
  std::memcpy(d + 5, tx_bytes.data(), 3);
  std::memcpy(d + 8, tx_tone.data(), 2);
  d[10] = static_cast<std::uint8_t>(SubBand(rx, lo, hi) * 64 + SubBand(tx, lo, hi) * 16 +
                                    (field(F::ClockShift) == "是" ? 2 : 0) +
                                    (field(F::Bandwidth) == "宽" ? 1 : 0));
  d[11] = static_cast<std::uint8_t>(BusyLockValue(field(F::BusyLock)) * 16 +
                                    (field(F::TxPower) == "低" ? 0 : 8) +
                                    (field(F::Scan) == "否" ? 0 : 4));
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

}  // namespace kavir
