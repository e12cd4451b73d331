#pragma once
// Kept for tests written against the old names; the helpers live in tests/support.
#include "../support/radio_rig.h"

namespace kavir::test {
namespace fs = std::filesystem;
using ProgramFolder = ShippedDir;
using RecordingUi = FakeUi;
}  // namespace kavir::test
