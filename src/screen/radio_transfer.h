#pragma once
// Reading the radio into the screen and writing the screen into the radio:
// the screen's side of the link's transactions.
#include <functional>
#include <optional>

#include "link/transactions.h"
#include "link/write_image.h"
#include "link/write_setup.h"
#include "open_setup.h"

namespace kavir {

class CKAVIRView;

// ReadRadio, then the screen shows what was read (one undoable step).
// Compare asks in its own words; the caller gives it a screen of its own.
TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link, const TransferThreads& threads = {},
                           ReadPurpose purpose = ReadPurpose::Load);

// WriteSetup of the screen's set-up, taken again at every attempt; the
// screen shows its page again once the packets went out.
TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const WriteRadioOptions& options = {},
                            WriteImageResult* details = nullptr, const TransferThreads& threads = {});

}  // namespace kavir
