#include "image_owner.h"

#include <cstdio>

#include "codec.h"
#include "ini/translate.h"
#include "settings_map.h"

namespace kavir {
namespace {

struct ByteOwner {
  int first, last;  // data bytes of a channel record
  const char* keys;
};

// The channel record's bytes and the grid columns they carry, named as the
// grid's headers name them.
constexpr ByteOwner kChannelBytes[] = {
    {0, 2, KAVIR_TR_NOOP("Codec", "接收频率")},
    {3, 4, KAVIR_TR_NOOP("Codec", "接收信令")},
    {5, 7, KAVIR_TR_NOOP("Codec", "发射频率")},
    {8, 9, KAVIR_TR_NOOP("Codec", "发射信令")},
    {10, 10, KAVIR_TR_NOOP("Codec", "时钟拍频/宽带/子频段")},
    {11, 11, KAVIR_TR_NOOP("Codec", "繁忙锁定/发射功率/信道扫描")},
    {12, 15, KAVIR_TR_NOOP("Codec", "固定字节")},
};

struct BlockOwner {
  int first, last;  // addresses
  const char* name;
};

// Blocks without drop-down fields.
constexpr BlockOwner kFixedBlocks[] = {
    {0x130, 0x28F, KAVIR_TR_NOOP("Codec", "空白区 (应为 0)")},
    {0x290, 0x297, KAVIR_TR_NOOP("Codec", "频段范围")},
    {0x298, 0x29F, KAVIR_TR_NOOP("Codec", "机型")},
    {0x2A0, 0x2CF, KAVIR_TR_NOOP("Codec", "固定字节")},
    {0x2D0, 0x2DF, KAVIR_TR_NOOP("Codec", "机型标识")},
    {0x2E0, 0x2FF, KAVIR_TR_NOOP("Codec", "厂家签名")},
};

std::string SettingsOwner(int block, int byte) {
  std::string keys;
  for (const settings_map::EncodedField& f : settings_map::kEncoded) {
    if (f.block != block || f.byte != byte) continue;
    if (!keys.empty()) keys += '/';
    keys += SettingCaption(f.setting);
  }
  if (block == 17 && byte == 3) keys += (keys.empty() ? "" : "/") + TrText("Codec", "电池省电使能");
  static const char* const kNames[] = {KAVIR_TR_NOOP("Codec", "功能设置"), KAVIR_TR_NOOP("Codec", "功能设置"),
                                       KAVIR_TR_NOOP("Codec", "按键设置")};
  return TrText("Codec", kNames[block - 16]) + " " + (keys.empty() ? TrText("Codec", "固定字节") : keys);
}

}  // namespace

std::string ImageAddressOwner(int address) {
  if (address < 0 || address >= kImageSize) return {};
  if (address < 0x100) {
    const int channel = address / kPacketDataSize + 1;
    const int byte = address % kPacketDataSize;
    char label[32];
    std::snprintf(label, sizeof label, "CH%02d ", channel);
    for (const ByteOwner& o : kChannelBytes)
      if (byte >= o.first && byte <= o.last) return std::string(label) + TrText("Codec", o.keys);
  }
  if (address < 0x130) return SettingsOwner(16 + (address - 0x100) / 16, address % 16);
  for (const BlockOwner& o : kFixedBlocks)
    if (address >= o.first && address <= o.last) return TrText("Codec", o.name);
  return {};
}

}  // namespace kavir
