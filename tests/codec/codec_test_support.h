#pragma once
// Kept for tests written against the old name; the helpers live in tests/support.
#include "codec/codec.h"
#include "../support/support.h"
