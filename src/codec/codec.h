#pragma once
// The radio image codec: a set-up and the radio's 768 bytes, moved as 48
// packets of 16 bytes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "setup/option_lists.h"
#include "setup/radio_identity.h"
#include "setup/setup.h"

namespace kavir {

inline constexpr int kPacketCount = 48;
inline constexpr int kPacketDataSize = 16;
inline constexpr int kFrameSize = 20;
inline constexpr int kImageSize = kPacketCount * kPacketDataSize;  // 768

using Frame = std::array<std::uint8_t, kFrameSize>;
using Image = std::array<std::uint8_t, kImageSize>;

// The address of packet n (1..48) in the image.
constexpr int PacketAddress(int n) { return kPacketDataSize * (n - 1); }

// The 16 data bytes of packet n (1..48) as a write sends them, into data;
// the identification block and signature carry the identity's texts.
void EncodePacket(int n, const Setup& setup, std::uint8_t* data, const RadioIdentity& identity = {});
// Frame of packet n as a write sends it: 'W', address, 0x10, data.
Frame EncodeFrame(int n, const Setup& setup, const RadioIdentity& identity = {});
Image EncodeImage(const Setup& setup, const RadioIdentity& identity = {});

// The identification block and signature (0x2D0 to 0x2FF): what a radio
// keeps as its own.
inline constexpr int kIdentityAddress = 0x2D0;
// The model code, tag and signature an image holds, as texts (bytes that
// are no printable ASCII shown as '?').
RadioIdentity IdentityOf(const Image& image);
// to takes from's identification block and signature.
void CopyIdentity(const Image& from, Image& to);

// Puts what packet n's 16 data bytes hold into the set-up as a read stores
// it: option texts from the lists (a field past its list gives the field's
// default text), frequencies as "ddd.ddddd". Packets without settings
// change nothing.
void DecodePacket(int n, const std::uint8_t* data, const OptionLists& lists, Setup& setup);
// Every packet of the image into `setup` (model, mode and band are not in
// the packets: they come from the radio's answer and its model file).
void DecodeImage(const Image& image, const OptionLists& lists, Setup& setup);

// The profile keys whose values packet n carries ("" entries: none).
std::vector<std::string> PacketKeys(int n);

// The model an image's band block names (entry number of the Type list,
// from 1); 0 when the block is not one a write makes.
int ImageModel(const Image& image);

// A reason the write must not go ahead, in words for the user, and what it
// is about (the plan check lists these beside its own findings).
struct WriteProblem {
  std::string message;               // where, value and reason: "CH03 接收频率 \"480\": 超出..."
  int channel = 0;                   // 1..16; 0 for a radio-wide value
  std::string field;                 // the form's caption of the value
  std::optional<std::string> value;  // as the form holds it; none when not named
  std::string reason;                // the message without where and value
};
// Everything in the set-up that would put wrong bytes into the radio;
// tones are checked against the grid's tone lists. Empty when the write
// may go ahead.
std::vector<WriteProblem> CheckBeforeWrite(const Setup& setup, const ChannelLists& channel_lists);
// The problems joined as lines, for a message box or stderr.
std::string DescribeProblems(const std::vector<WriteProblem>& problems);

}  // namespace kavir

#include <optional>

#include "ini/io_status.h"
#include "setup/program_data.h"

namespace kavir {

// The set-up a read of a radio of model n holding the image would give,
// as Read.ini would hold it (texts, not yet resolved against the lists).
// nullopt with *why when model n is not in the Type list, or its file
// gives no upper band limit (a read refuses such a radio too).
std::optional<Setup> ImageRecord(const Image& image, int model, const ProgramData& data, IoStatus* why);

}  // namespace kavir
