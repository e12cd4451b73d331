#pragma once
// Where each radio-wide setting lives in the image, as tables.
#include <cstdint>

#include "setup/setting_catalogue.h"

namespace kavir::settings_map {

// How a drop-down's 0-based index becomes its field.
enum class Encode {
  RangeOrZero,  // the index when it is 0..limit, else 0
  LowBits,      // the index's low bits
  Byte,         // the whole byte: index + offset
  Timer,        // 0 for index 0, else index + 2
  Warning,      // 0 for index 0, else index + 9
};

struct EncodedField {
  Setting setting;
  int block;  // 16 function A, 17 function B, 18 programmable keys
  int byte;
  int shift;
  int width;  // bits
  Encode rule;
  int param;  // limit of RangeOrZero, offset of Byte
};

// How the decoder turns a field into an entry number of the key's list.
enum class Decode {
  Fixed,    // always the fixed text
  PlusOne,  // field + 1
  LookA,    // byte - 4
  Timer,    // 0 or 255 -> 1; 1, 2 -> 2; t -> t - 1
  Warning,  // 0 -> 1; 1..8 -> 2; p -> p - 8
};

struct DecodedField {
  Setting setting;
  int byte;
  int shift;
  int width;
  Decode rule;
  const char* text;  // fixed text, or the default when the list lacks the entry
};

// Function block A (0x100), B (0x110) and the programmable keys (0x120),
// each in the order the decoder writes its keys.
extern const DecodedField kBlockA[19];
extern const DecodedField kBlockB[6];
// The battery saver box: bit 3 of byte 3 of block B, entry field + 1 of
// KAVIR.ini's BatterySupply list.
inline constexpr int kBatteryByte = 3, kBatteryShift = 3;
extern const DecodedField kKeys[2];
// Every encoded drop-down field of blocks A, B and the keys.
extern const EncodedField kEncoded[27];

// Fixed bytes of function block B, bytes 5..15.
extern const std::uint8_t kBlockBTail[11];
extern const std::uint8_t kBlock2A0[16];
// The identification block's fixed bytes: 6 to 8, then 12 to 15.
extern const std::uint8_t kIdentityFixed[7];

}  // namespace kavir::settings_map
