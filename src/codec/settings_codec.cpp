// Radio-wide settings: function blocks A and B, the programmable keys, the
// band and model block and the fixed blocks; and the whole image.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "channel_record.h"
#include "codec.h"
#include "settings_map.h"
#include "setup/frequency.h"
#include "setup/profile_keys.h"

namespace kavir {
namespace {

using namespace settings_map;

constexpr int kBandBlock = 0x290;
constexpr std::uint8_t kBandMarker[4] = {0xAA, 0x55, 0x55, 0xAA};

int FieldValue(const EncodedField& f, int index) {
  switch (f.rule) {
    case Encode::RangeOrZero:
      return index >= 0 && index <= f.param ? index : 0;
    case Encode::LowBits:
      return index;
    case Encode::Byte:
      return index + f.param;
    case Encode::Timer:
      return index == 0 ? 0 : index + 2;
    case Encode::Warning:
      return index == 0 ? 0 : index + 9;
  }
  return 0;
}

void EncodeBlock(int block, const Setup& setup, std::uint8_t* d) {
  for (const EncodedField& f : kEncoded) {
    if (f.block != block) continue;
    const int mask = (1 << f.width) - 1;
    const int value = FieldValue(f, setup[f.setting].index) & mask;
    d[f.byte] = static_cast<std::uint8_t>(d[f.byte] | (value << f.shift));
  }
}

void PutLe32(std::uint8_t* d, std::int64_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) d[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// A text of the identity into its field, spaces after a short one.
void PutText(std::uint8_t* d, std::string_view text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) d[i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
}

int Field(int byte_value, int shift, int width) { return (byte_value >> shift) & ((1 << width) - 1); }

int EntryNumber(const DecodedField& f, const std::uint8_t* d) {
  const int field = Field(d[f.byte], f.shift, f.width);
  switch (f.rule) {
    case Decode::Fixed:
      return 0;
    case Decode::PlusOne:
      return field + 1;
    case Decode::LookA:
      return field - 4;
    case Decode::Timer:
      return field == 0 || field == 255 ? 1 : field <= 2 ? 2 : field - 1;
    case Decode::Warning:
      return field == 0 ? 1 : field <= 8 ? 2 : field - 8;
  }
  return 0;
}

template <std::size_t N>
void DecodeBlock(const DecodedField (&fields)[N], const std::uint8_t* d, const OptionLists& lists, Setup& setup) {
  for (const DecodedField& f : fields) {
    Choice& c = setup[f.setting];
    const std::vector<std::string>& options = lists[f.setting];
    const int entry = f.rule == Decode::Fixed ? 0 : EntryNumber(f, d);
    // The position the radio names is kept, so nothing has to find it again by its text.
    const bool listed = entry >= 1 && entry <= static_cast<int>(options.size());
    c = listed ? Choice{entry - 1, options[entry - 1]} : Choice{-1, std::string(f.text)};
  }
}

void EncodeSettings(int n, const Setup& setup, const RadioIdentity& identity, std::uint8_t* d) {
  switch (n) {
    case 17:
      EncodeBlock(16, setup, d);
      break;
    case 18:
      EncodeBlock(17, setup, d);
      if (setup.battery_saver) d[kBatteryByte] |= 1 << kBatteryShift;
      std::memcpy(d + 5, kBlockBTail, sizeof kBlockBTail);
      break;
    case 19:
      EncodeBlock(18, setup, d);
      break;
    case 42: {
      PutLe32(d + 0, Frequency::FromText(setup.band_lower).tens());
      PutLe32(d + 4, Frequency::FromText(setup.band_upper).tens());
      const int type = setup[Setting::Type].index;
      d[10] = static_cast<std::uint8_t>(type + 1);
      d[11] = static_cast<std::uint8_t>(type);
      std::memcpy(d + 12, kBandMarker, 4);
      break;
    }
    case 43:
      std::memcpy(d, kBlock2A0, 16);
      break;
    case 45:
      std::memset(d, 0x38, 16);
      break;
    case 46: {
      PutText(d, identity.model_code, RadioIdentity::kModelCodeLength);
      std::memcpy(d + 6, kIdentityFixed, 3);
      PutText(d + 9, identity.tag, RadioIdentity::kTagLength);
      std::memcpy(d + 12, kIdentityFixed + 3, 4);
      break;
    }
    case 47:
      PutText(d, identity.signature, 16);
      break;
    case 48:
      PutText(d, std::string_view(identity.signature).substr(std::min<std::size_t>(16, identity.signature.size())), 16);
      break;
    default:
      break;  // blocks of zeros
  }
}

}  // namespace

void EncodePacket(int n, const Setup& setup, std::uint8_t* data, const RadioIdentity& identity) {
  std::memset(data, 0, kPacketDataSize);
  if (n >= 1 && n <= kChannels)
    EncodeChannelRecord(setup.channel(n), RecordBand::Of(setup), data);
  else
    EncodeSettings(n, setup, identity, data);
}

Frame EncodeFrame(int n, const Setup& setup, const RadioIdentity& identity) {
  const int address = PacketAddress(n);
  Frame f{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF), 0x10};
  EncodePacket(n, setup, f.data() + 4, identity);
  return f;
}

Image EncodeImage(const Setup& setup, const RadioIdentity& identity) {
  Image image{};
  const RecordBand band = RecordBand::Of(setup);
  for (int n = 1; n <= kChannels; ++n) EncodeChannelRecord(setup.channel(n), band, image.data() + PacketAddress(n));
  for (int n = kChannels + 1; n <= kPacketCount; ++n)
    EncodeSettings(n, setup, identity, image.data() + PacketAddress(n));
  return image;
}

void DecodePacket(int n, const std::uint8_t* d, const OptionLists& lists, Setup& setup) {
  if (n >= 1 && n <= kChannels) {
    DecodeChannelRecord(d, setup.channel(n));
  } else if (n == 17) {
    DecodeBlock(kBlockA, d, lists, setup);
  } else if (n == 18) {
    DecodeBlock(kBlockB, d, lists, setup);
    // The box takes the text the list gives its field, as a profile holds it.
    const int entry = Field(d[kBatteryByte], kBatteryShift, 1) + 1;
    const std::string text = entry <= static_cast<int>(lists.battery.size()) ? lists.battery[entry - 1] : "0";
    setup.battery_saver = !text.empty() && text[0] != '0';
  } else if (n == 19) {
    DecodeBlock(kKeys, d, lists, setup);
  }
}

void DecodeImage(const Image& image, const OptionLists& lists, Setup& setup) {
  for (int n = 1; n <= kPacketCount; ++n) DecodePacket(n, image.data() + PacketAddress(n), lists, setup);
}

std::vector<std::string> PacketKeys(int n) {
  std::vector<std::string> keys;
  if (n >= 1 && n <= kChannels) {
    for (int f = 0; f < kChannelFieldCount; ++f) keys.push_back(ChannelKey(n, FieldKeySuffix(ChannelField(f))));
    keys.push_back(ChBoxKey(n));
    keys.push_back(TxBoxKey(n));
  }
  auto add = [&](const auto& fields) {
    for (const DecodedField& f : fields) keys.push_back(Info(f.setting).key);
  };
  if (n == 17) add(kBlockA);
  if (n == 18) add(kBlockB), keys.push_back("BatterySupply");
  if (n == 19) add(kKeys);
  return keys;
}

int ImageModel(const Image& image) {
  const std::uint8_t* d = image.data() + kBandBlock;
  if (std::memcmp(d + 12, kBandMarker, 4) != 0 || d[10] != static_cast<std::uint8_t>(d[11] + 1)) return 0;
  return d[10];
}

RadioIdentity IdentityOf(const Image& image) {
  auto text = [&](int address, std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint8_t b = image[address + i];
      out += b >= 0x20 && b <= 0x7E ? static_cast<char>(b) : '?';
    }
    return out;
  };
  return {text(kIdentityAddress, RadioIdentity::kModelCodeLength),
          text(kIdentityAddress + 9, RadioIdentity::kTagLength),
          text(kIdentityAddress + 16, RadioIdentity::kSignatureLength)};
}

void CopyIdentity(const Image& from, Image& to) {
  std::copy(from.begin() + kIdentityAddress, from.end(), to.begin() + kIdentityAddress);
}

}  // namespace kavir
