#pragma once
// The message that ends a read or a write: what happened, in words a
// technician can act on.
#include <string>

#include "../screen/kavir_view.h"
#include "serial_link.h"
#include "transactions.h"

namespace kavir {

// "" when nothing happened (No at the confirmation).
std::string ReadSummary(TransferResult result, const TransferReport& report,
                        const CKAVIRView& view);
std::string WriteSummary(TransferResult result, const TransferReport& report);

// True when a write ended part-way: the radio took some packets, not all.
bool RadioMayHoldMixedSettings(TransferResult result, const TransferReport& report);

}  // namespace kavir
