#pragma once
// Build-time constants of the desktop program: the product and its maker.
#include "kavir_version.h"

namespace kavir::app {

inline constexpr const char* kProductName = "KAVIR";
inline constexpr const char* kVersion = KAVIR_VERSION;
// The maker's short name follows the product name in the window caption.
inline constexpr const char* kMakerShortName = "Lanshan";
inline constexpr const char* kMakerDetails = "Lanshan Radio Works";

// "KAVIR" + three spaces + the maker's short name.
inline const char* WindowCaption() { return "KAVIR   Lanshan"; }

}  // namespace kavir::app
