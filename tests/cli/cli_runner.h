#pragma once
// Kept for tests written against the old name; the runner lives in tests/support.
#include "../support/process.h"
