#pragma once
// Reading the radio into the screen and writing the screen into the radio:
// the screen's side of the link's transactions.
#include <functional>
#include <optional>

#include "link/transactions.h"
#include "link/write_image.h"
#include "kavir_view.h"
#include "open_setup.h"

namespace kavir {

struct WriteRadioOptions {
  bool verify = true;  // read the radio back after the 48th packet and compare
  OtherModel other_model = OtherModel::Ask;
  // Read the radio first and keep what it held in backups/ (WriteImageOptions);
  // the desktop's switch and kavir-cli write turn it on unless told not to.
  bool keep_radio_image = false;
  // A radio image file restored as it is: these 768 bytes are sent instead
  // of the screen's encoding; the screen, which holds them decoded, still
  // gets the same check.
  const Image* own_bytes = nullptr;
  // With keep_radio_image: what the radio holds, shown as a read would show
  // it (nullptr when it holds nothing a read could show), beside what is
  // about to be written; false writes nothing, not even Write.ini.
  std::function<bool(const Setup* radio, const Setup& planned)> review_changes = nullptr;
};

// What a radio holding image would show on this screen after a read, or
// nullopt when the image is no radio's or cannot be read as model's.
std::optional<Setup> RadioSetup(const CKAVIRView& view, const Image& image, int model);

// Where the parts of a transfer run. Unset, everything runs on the caller's
// thread; the desktop runs the link's part on a worker thread, and the
// screen's parts in between go back to the window's thread.
struct TransferThreads {
  using Runner = std::function<void(const std::function<void()>&)>;
  Runner link;    // runs the link's part, returns when it is over
  Runner screen;  // called from the link's part: runs fn where the screen lives
};

// ReadRadio, then the screen shows what was read (one undoable step).
// Compare asks in its own words; the caller gives it a screen of its own.
TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link, const TransferThreads& threads = {},
                           ReadPurpose purpose = ReadPurpose::Load);

// Check of the screen's set-up, confirmation, then WriteImage of the image
// encoded from that set-up; Write.ini holds the same set-up at every
// attempt. Done only when the radio holds what was sent (or, without the
// verify, took every packet); Cancelled when no was said to the
// confirmation or to the review of the changes. *details, when given, says how it ended.
TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const WriteRadioOptions& options = {},
                            WriteImageResult* details = nullptr, const TransferThreads& threads = {});

}  // namespace kavir
