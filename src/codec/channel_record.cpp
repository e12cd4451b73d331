// Channel records: 16 bytes per channel at 0x010 * (n - 1).
#include <cstring>

#include "codec.h"
#include "frequency_raster.h"
#include "profile/conversions.h"
#include "profile/profile_keys.h"
#include "screen/kavir_view.h"

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

}  // namespace

Frame EncodeChannelPacket(int g, const IniDocument& write_ini, const CKAVIRView& view) {
  const int n = g + 1;
  auto key = [&](std::string_view suffix) {
    return write_ini.GetString(kProfileSection, ChannelKey(n, suffix), "", kValueBuffer);
  };
  const std::string upper = write_ini.GetString(kProfileSection, "FreqU", "", kBandBuffer);
  const std::string lower = write_ini.GetString(kProfileSection, "FreqV", "", kBandBuffer);
  const std::string rx = key("RxFreq"), rx_tone = key("Decode"), tx = key("TxFreq"),
                    tx_tone = key("Coding"), busy = key("BusyLock"), power = key("TxPower"),
                    scans = key("ChannelScans"), clock = key("ClockFreq"), wide = key("ZoneWide");
  const bool tx_box = view.tx_box[g].checked();
  const bool ch_box = view.ch_box[g].checked();

  Frame f{};
  f[0] = 0x57;
  f[1] = 0x00;
  f[2] = static_cast<std::uint8_t>(16 * g);
  f[3] = 0x10;
  std::uint8_t* d = f.data() + 4;
  const auto rx_bytes = EncodeFrequencyBytes(rx, ch_box);
  const auto rx_tone_bytes = ToneBytes(rx_tone);
  const auto tx_bytes = EncodeFrequencyBytes(tx, tx_box);
  const auto tx_tone_bytes = ToneBytes(tx_tone);
  std::memcpy(d + 0, rx_bytes.data(), 3);
  std::memcpy(d + 3, rx_tone_bytes.data(), 2);
  std::memcpy(d + 5, tx_bytes.data(), 3);
  std::memcpy(d + 8, tx_tone_bytes.data(), 2);
  d[10] = static_cast<std::uint8_t>(SubBand(rx, lower, upper) * 64 + SubBand(tx, lower, upper) * 16 +
                                    (clock == "是" ? 2 : 0) + (wide == "宽" ? 1 : 0));
  d[11] = static_cast<std::uint8_t>(BusyLockValue(busy) * 16 + (power == "低" ? 0 : 8) +
                                    (scans == "否" ? 0 : 4));
  d[12] = 0x00;
  d[13] = 0x88;
  d[14] = 0x08;
  d[15] = 0x00;
  return f;
}

void DecodeChannelRecord(int n, const std::uint8_t* d, IniDocument& read_ini) {
  auto put = [&](const std::string& key, const std::string& value) {
    read_ini.SetString(kProfileSection, key, value);
  };
  put(ChannelKey(n, "RxFreq"), FrequencyText(d + 0));
  put(ChBoxKey(n), (d[2] & 0x08) ? "1" : "0");
  put(ChannelKey(n, "Decode"), ToneText(d + 3));
  put(ChannelKey(n, "TxFreq"), FrequencyText(d + 5));
  put(TxBoxKey(n), (d[7] & 0x08) ? "1" : "0");
  put(ChannelKey(n, "Coding"), ToneText(d + 8));
  put(ChannelKey(n, "ClockFreq"), (d[10] & 0x02) ? "是" : "否");
  put(ChannelKey(n, "ZoneWide"), (d[10] & 0x01) ? "宽" : "窄");
  put(ChannelKey(n, "BusyLock"), BusyLockText((d[11] >> 4) & 0x3));
  put(ChannelKey(n, "TxPower"), (d[11] & 0x08) ? "高" : "低");
  put(ChannelKey(n, "ChannelScans"), (d[11] & 0x04) ? "是" : "否");
}

}  // namespace kavir
