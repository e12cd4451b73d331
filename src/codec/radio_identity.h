#pragma once
// Build-time constants that the write puts into the radio's identification
// block (0x2D0) and signature (0x2E0-0x2FF). Invented for this program.
namespace kavir::radio_identity {

inline constexpr char kModelCode[] = "KVR016";                            // 6 ASCII characters
inline constexpr char kFamilyTag[] = "KVR";                               // 3 ASCII characters
inline constexpr char kSignature[] = "KAVIR RADIO PROGRAMMER V4.0 2026";  // 32 ASCII characters

static_assert(sizeof kModelCode == 7 && sizeof kFamilyTag == 4 && sizeof kSignature == 33);

}  // namespace kavir::radio_identity
