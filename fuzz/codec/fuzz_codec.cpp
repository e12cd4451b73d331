// Arbitrary packets through the decoder and arbitrary set-ups through the
// encoder: nothing crashes, every frame carries its own address, and a
// set-up the pre-write check passes encodes channels that decode back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codec/codec.h"
#include "setup/profile_setup.h"

namespace {

// Takes bytes from the input as it goes.
struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() {
    if (!size) return 0;
    --size;
    return *data++;
  }
  std::string Text() {
    std::size_t n = Byte() % 12;
    std::string s;
    while (n-- && size) s += static_cast<char>(Byte());
    return s;
  }
};

const kavir::OptionLists& Lists() {
  static const kavir::OptionLists lists = kavir::ReadOptionLists(
      kavir::IniDocument::Parse("[TimerOut]\r\n1=a\r\n2=b\r\n[LookA]\r\n1=x\r\n[BatterySupply]\r\n1=0\r\n2=1\r\n"));
  return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  // Decoder: any packet data, any packet number.
  std::uint8_t packet[kavir::kPacketDataSize];
  for (auto& b : packet) b = in.Byte();
  kavir::Setup read;
  for (int n = -1; n <= 50; ++n) kavir::DecodePacket(n, packet, Lists(), read);

  // Encoder: arbitrary values.
  kavir::Setup setup;
  for (kavir::Choice& c : setup.settings) {
    c.index = static_cast<int>(in.Byte()) - 128;
    c.text = in.Text();
  }
  setup.battery_saver = in.Byte() & 1;
  setup.band_lower = in.Text();
  setup.band_upper = in.Text();
  for (kavir::Channel& c : setup.channels) {
    c.enabled = in.Byte() & 1;
    c.tx_enabled = in.Byte() & 1;
    for (std::string& f : c.fields) f = in.Text();
  }
  for (int n = 1; n <= kavir::kPacketCount; ++n) {
    const kavir::Frame f = kavir::EncodeFrame(n, setup);
    const int address = 16 * (n - 1);
    if (f[0] != 0x57 || f[1] != address >> 8 || f[2] != (address & 0xFF) || f[3] != 0x10) std::abort();
  }
  if (kavir::CheckBeforeWrite(setup, kavir::ChannelLists{}).empty()) {
    // Frequencies the check lets through (100 MHz and up) come back as stored.
    kavir::Setup back;
    kavir::DecodeImage(kavir::EncodeImage(setup), Lists(), back);
    for (int n = 1; n <= kavir::kChannels; ++n) {
      const std::string stored = kavir::PadFrequency(setup.channel(n)[kavir::ChannelField::RxFreq]);
      const std::string& decoded = back.channel(n)[kavir::ChannelField::RxFreq];
      if (stored.find_first_not_of("0123456789.") == std::string::npos && stored.size() == 9 && stored[3] == '.' &&
          stored[0] != '0' && stored != decoded)
        std::abort();
    }
  }
  return 0;
}
