#pragma once
// The radio image codec: 48 packets of 16 bytes, 768 bytes in all.
// Encoders build the 20-byte data frame of a write; the decoder turns a
// received frame into profile keys of Read.ini.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../profile/ini_document.h"

namespace kavir {

class CKAVIRView;

inline constexpr int kPacketCount = 48;
inline constexpr int kPacketDataSize = 16;
inline constexpr int kFrameSize = 20;
inline constexpr int kImageSize = kPacketCount * kPacketDataSize;  // 768

using Frame = std::array<std::uint8_t, kFrameSize>;
using Image = std::array<std::uint8_t, kImageSize>;

// Block g (0..15): the record of channel g + 1, from Write.ini's channel keys
// and the screen's CH and TX boxes.
Frame EncodeChannelPacket(int g, const IniDocument& write_ini, const CKAVIRView& view);
// g 0..15: block 16 + g; g 20..35: block 32 + (g - 20); from the screen.
Frame EncodeSettingsPacket(int g, const CKAVIRView& view);
// Frame of packet n (1..48) as a write sends it.
Frame EncodePacket(int n, const IniDocument& write_ini, const CKAVIRView& view);

// Writes the keys of the packet with decode index 2n into Read.ini's
// document, looking option texts up in KAVIR.ini. frame holds 20 bytes.
void DecodePacket(int index, const std::uint8_t* frame, IniDocument& read_ini,
                  const IniDocument& kavir_ini);

// Whole-image views: data of packet n at 16 * (n - 1).
Image EncodeImage(const IniDocument& write_ini, const CKAVIRView& view);
void DecodeImage(const Image& image, IniDocument& read_ini, const IniDocument& kavir_ini);

// A reason the write must not go ahead, in words for the user.
struct WriteProblem {
  std::string message;
};
// Everything on the screen that would put wrong bytes into the radio.
// Empty when the write may go ahead.
std::vector<WriteProblem> CheckBeforeWrite(const CKAVIRView& view);
// The problems joined as lines, for a message box or stderr.
std::string DescribeProblems(const std::vector<WriteProblem>& problems);

}  // namespace kavir
