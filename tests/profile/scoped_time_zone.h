#pragma once
// Kept for tests written against the old place; the helper lives in tests/support.
#include "../support/scoped_time_zone.h"
