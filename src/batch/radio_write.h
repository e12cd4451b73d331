#pragma once
// One radio's write in a batch: no questions asked. A radio of another
// model is refused before a byte of the image goes out.
#include <functional>
#include <optional>
#include <string>

#include "batch_setup.h"
#include "link/handshake.h"
#include "link/serial_link.h"

namespace kavir {

enum class RadioOutcome {
  Verified,      // written, read back, the same 768 bytes
  Written,       // written, not read back (verify off)
  VerifyFailed,  // written, but the radio holds other bytes
  OtherModel,    // skipped: nothing written
  Failed,        // the write did not go through
};

struct RadioWriteResult {
  RadioOutcome outcome = RadioOutcome::Failed;
  int radio_model = 0;             // model number the radio named (0: none)
  std::optional<Image> read_back;  // what the verify read
  std::string reason;              // why, for Failed and VerifyFailed
  // With keep_radio_image: the settings the write changed (none when what
  // the radio held could not be read as a set-up).
  std::optional<std::size_t> changed;
};

struct RadioWriteOptions {
  bool verify = true;
  // Read the radio first, keep what it held in backups/ and count the
  // settings the write changes; a radio that cannot be read is not written.
  bool keep_radio_image = false;
};

// Handshake, model check, the read first when asked for, 48 packets, and
// the verify when asked for.
RadioWriteResult WriteRadioImage(SerialLink& link, const BatchSetup& setup, const RadioWriteOptions& how);

// How the job writes a radio; tests and benches may put another in.
using RadioWriteFn = std::function<RadioWriteResult(SerialLink&, const BatchSetup&, const RadioWriteOptions&)>;

}  // namespace kavir
