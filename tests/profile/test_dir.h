#pragma once
// Kept for tests written against the old name; the helpers live in tests/support.
#include "../support/support.h"

namespace kavir::testing {
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
}  // namespace kavir::testing
