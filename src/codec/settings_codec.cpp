// Radio-wide settings: function blocks A and B, the programmable keys, the
// band and model block and the fixed blocks.
#include <cstring>

#include "codec.h"
#include "frequency_raster.h"
#include "radio_identity.h"
#include "settings_map.h"
#include "profile/conversions.h"
#include "profile/profile_keys.h"
#include "screen/kavir_view.h"

namespace kavir {
namespace {

using namespace settings_map;

int SelectedIndex(const CKAVIRView& view, const char* key) {
  const ComboBox* c = view.Combo(key);
  return c ? c->selected : -1;
}

int FieldValue(const EncodedField& f, int index) {
  switch (f.rule) {
    case Encode::RangeOrZero: return index >= 0 && index <= f.param ? index : 0;
    case Encode::LowBits: return index;
    case Encode::Byte: return index + f.param;
    case Encode::Timer: return index == 0 ? 0 : index + 2;
    case Encode::Warning: return index == 0 ? 0 : index + 9;
  }
  return 0;
}

void EncodeBlock(int block, const CKAVIRView& view, std::uint8_t* d) {
  for (const EncodedField& f : kEncoded) {
    if (f.block != block) continue;
    const int mask = (1 << f.width) - 1;
    const int value = FieldValue(f, SelectedIndex(view, f.key)) & mask;
    d[f.byte] = static_cast<std::uint8_t>(d[f.byte] | (value << f.shift));
  }
}

void PutLe32(std::uint8_t* d, std::int64_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) d[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

int EntryNumber(const DecodedField& f, const std::uint8_t* d) {
  const int field = (d[f.byte] >> f.shift) & ((1 << f.width) - 1);
  switch (f.rule) {
    case Decode::Fixed: return 0;
    case Decode::PlusOne: return field + 1;
    case Decode::LookA: return field - 4;
    case Decode::Timer: return field == 0 || field == 255 ? 1 : field <= 2 ? 2 : field - 1;
    case Decode::Warning: return field == 0 ? 1 : field <= 8 ? 2 : field - 8;
  }
  return 0;
}

template <std::size_t N>
void DecodeBlock(const DecodedField (&fields)[N], const std::uint8_t* d, IniDocument& read_ini,
                 const IniDocument& kavir_ini) {
  for (const DecodedField& f : fields) {
    std::string text = f.text;
    if (f.rule != Decode::Fixed)
      text = kavir_ini.GetString(f.key, std::to_string(EntryNumber(f, d)), f.text, kValueBuffer);
    read_ini.SetString(kProfileSection, f.key, text);
  }
}

Frame Header(int page, int offset) {
  Frame f{};
  f[0] = 0x57;
  f[1] = static_cast<std::uint8_t>(page);
  f[2] = static_cast<std::uint8_t>(offset);
  f[3] = 0x10;
  return f;
}

}  // namespace

Frame EncodeSettingsPacket(int g, const CKAVIRView& view) {
  const bool page1 = g >= 0 && g <= 15;
  Frame f = page1 ? Header(1, 16 * g) : Header(2, 16 * (g - 20));
  std::uint8_t* d = f.data() + 4;
  switch (g) {
    case 0: EncodeBlock(16, view, d); break;
    case 1:
      EncodeBlock(17, view, d);
      if (view.battery.checked()) d[3] |= 0x08;
      std::memcpy(d + 5, kBlockBTail, sizeof kBlockBTail);
      break;
    case 2: EncodeBlock(18, view, d); break;
    case 29: {
      PutLe32(d + 0, FrequencyValue(view.band_lower.text));
      PutLe32(d + 4, FrequencyValue(view.band_upper.text));
      const int type = SelectedIndex(view, "Type");
      d[10] = static_cast<std::uint8_t>(type + 1);
      d[11] = static_cast<std::uint8_t>(type);
      const std::uint8_t marker[4] = {0xAA, 0x55, 0x55, 0xAA};
      std::memcpy(d + 12, marker, 4);
      break;
    }
    case 30: std::memcpy(d, kBlock2A0, 16); break;
    case 32: std::memset(d, 0x38, 16); break;
    case 33: {
      std::memcpy(d, radio_identity::kModelCode, 6);
      d[6] = 0x64, d[7] = 0x01, d[8] = 0x00;
      std::memcpy(d + 9, radio_identity::kFamilyTag, 3);
      d[12] = 0x20, d[13] = 0x05, d[14] = 0x06, d[15] = 0x18;
      break;
    }
    case 34: std::memcpy(d, radio_identity::kSignature, 16); break;
    case 35: std::memcpy(d, radio_identity::kSignature + 16, 16); break;
    default: break;  // blocks of zeros
  }
  return f;
}

Frame EncodePacket(int n, const IniDocument& write_ini, const CKAVIRView& view) {
  if (n <= 16) return EncodeChannelPacket(n - 1, write_ini, view);
  if (n <= 32) return EncodeSettingsPacket(n - 17, view);
  return EncodeSettingsPacket(n - 13, view);
}

void DecodePacket(int index, const std::uint8_t* frame, IniDocument& read_ini,
                  const IniDocument& kavir_ini) {
  const std::uint8_t* d = frame + 4;
  if (index >= 2 && index <= 32)
    DecodeChannelRecord(index / 2, d, read_ini);
  else if (index == 34)
    DecodeBlock(kBlockA, d, read_ini, kavir_ini);
  else if (index == 36)
    DecodeBlock(kBlockB, d, read_ini, kavir_ini);
  else if (index == 38)
    DecodeBlock(kKeys, d, read_ini, kavir_ini);
}

Image EncodeImage(const IniDocument& write_ini, const CKAVIRView& view) {
  Image image{};
  for (int n = 1; n <= kPacketCount; ++n) {
    const Frame f = EncodePacket(n, write_ini, view);
    std::memcpy(image.data() + kPacketDataSize * (n - 1), f.data() + 4, kPacketDataSize);
  }
  return image;
}

void DecodeImage(const Image& image, IniDocument& read_ini, const IniDocument& kavir_ini) {
  for (int n = 1; n <= kPacketCount; ++n) {
    const int address = kPacketDataSize * (n - 1);
    Frame f = Header(address >> 8, address & 0xFF);
    std::memcpy(f.data() + 4, image.data() + address, kPacketDataSize);
    DecodePacket(2 * n, f.data(), read_ini, kavir_ini);
  }
}

}  // namespace kavir
