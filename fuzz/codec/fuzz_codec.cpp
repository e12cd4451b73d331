// Arbitrary frames through the decoder and arbitrary screen values through
// the encoders: nothing crashes, every frame carries its own address, and a
// screen the pre-write check passes encodes channels that decode back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codec/codec.h"
#include "profile/profile_keys.h"
#include "screen/kavir_view.h"

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

const kavir::IniDocument& Kavir() {
  static const kavir::IniDocument doc = kavir::IniDocument::Parse(
      "[TimerOut]\r\n1=a\r\n2=b\r\n[LookA]\r\n1=x\r\n[BatterySupply]\r\n1=0\r\n2=1\r\n");
  return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  // Decoder: any frame, any index.
  std::uint8_t frame[kavir::kFrameSize];
  for (auto& b : frame) b = in.Byte();
  kavir::IniDocument read;
  for (int index = 0; index <= 100; index += 2) kavir::DecodePacket(index, frame, read, Kavir());

  // Encoders: arbitrary values on the screen.
  // One screen per process: every value below is set again on each run.
  static kavir::HeadlessUi ui;
  static kavir::CKAVIRView view(kavir::WorkingFiles::FromDirectory("/nonexistent-kavir-fuzz"), ui);
  for (kavir::ComboBox& c : view.combos()) {
    c.options = {"a", "b", "c"};
    c.selected = static_cast<int>(in.Byte()) - 128;
  }
  view.battery.state = in.Byte() & 1;
  view.band_lower.text = in.Text();
  view.band_upper.text = in.Text();
  kavir::IniDocument write;
  for (int n = 1; n <= 16; ++n) {
    view.ch_box[n - 1].state = in.Byte() & 1;
    view.tx_box[n - 1].state = in.Byte() & 1;
    for (int c = 1; c <= 9; ++c) view.grid.SetText(n, c, in.Text());
  }
  view.StoreInto(write);
  for (int n = 1; n <= kavir::kPacketCount; ++n) {
    const kavir::Frame f = kavir::EncodePacket(n, write, view);
    const int address = 16 * (n - 1);
    if (f[0] != 0x57 || f[1] != address >> 8 || f[2] != (address & 0xFF) || f[3] != 0x10) std::abort();
  }
  if (kavir::CheckBeforeWrite(view).empty()) {
    // Frequencies the check lets through (100 MHz and up) come back as stored.
    const kavir::Image image = kavir::EncodeImage(write, view);
    kavir::IniDocument back;
    kavir::DecodeImage(image, back, Kavir());
    for (int n = 1; n <= 16; ++n) {
      const std::string key = kavir::ChannelKey(n, "RxFreq");
      const std::string stored = write.GetString("Previous", key, "", 20);
      const std::string decoded = back.GetString("Previous", key, "", 20);
      if (stored.find_first_not_of("0123456789.") == std::string::npos && stored.size() == 9 &&
          stored[3] == '.' && stored[0] != '0' && stored != decoded)
        std::abort();
    }
  }
  return 0;
}
