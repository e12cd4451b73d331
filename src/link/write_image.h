#pragma once
// A whole write of a given 768-byte image into the radio on a link:
// handshake, model check, 48 packets, then (by default) a read-back that
// compares every byte. Questions go to the link's TransferEvents, so a
// caller without a window answers them its own way (QuietEvents answers
// No: no retries). The write transaction and batch jobs both use it.
#include <functional>
#include <optional>
#include <string>

#include "codec/codec.h"
#include "serial_link.h"
#include "verify_write.h"

namespace kavir {

// What to do when the radio names another model than the image's.
enum class OtherModel {
  Ask,     // ask the user (a window makes No the default button)
  Refuse,  // end without a question; nothing is sent after the handshake
  Accept,  // write anyway
};

struct WriteImageOptions {
  // The model the image is for (entry number of KAVIR.ini's Type list, as
  // the radio's handshake names it); nullopt: any radio.
  std::optional<int> model;
  std::string model_name;  // for the question, messages and backup names
  OtherModel other_model = OtherModel::Ask;
  bool verify = true;  // read the radio back and compare
  bool backup = true;  // keep the image in <program dir>/backups first
  // Read the radio before anything is written and keep what it held in
  // backups/ as before-write-<its model>-<time>.bin; without that copy
  // nothing is written.
  bool keep_radio_image = false;
  // Called at every attempt start before anything is sent; may refresh the
  // image. False ends the write (it has told the user why).
  std::function<bool(Image& image)> prepare_attempt;
  // With keep_radio_image: called once with what the radio held (and the
  // model it named) before anything is written. False ends the write with
  // nothing sent (WriteOutcome::NotWanted).
  std::function<bool(const Image& radio, int radio_model)> review_radio;
};

enum class WriteOutcome {
  Done,               // written, and verified when asked
  Failed,             // not written: refused before sending, or a failure not retried
  OtherModelRefused,  // the radio is another model; no packet was sent
  NotWanted,          // review_radio said no; no packet was sent
  VerifyDiffers,      // written and read back: the radio holds other bytes
  NotVerified,        // written, but the radio could not be read back
};

struct WriteImageResult {
  WriteOutcome outcome = WriteOutcome::Failed;
  int radio_model = 0;              // the model the radio named; 0 without a handshake
  std::string message;              // what went wrong, one paragraph for the user
  VerifyResult verify;              // when the verify ran
  std::string sent_backup;          // images kept in backups/ ("" when none)
  std::string read_back_backup;     // only when the verify found differences
  std::string before_write_backup;  // what the radio held before ("" when not read)
  // The radio's own identity texts, sent back in place of the configured
  // ones that differ from them ("" when they are the same or not read).
  std::string radio_identity;
  bool cancelled = false;  // ended by SerialLink::RequestCancel
  bool ok() const { return outcome == WriteOutcome::Done; }
};

// A transfer of its own (BeginTransfer: link.report tells how it went;
// RequestCancel ends it). Failure prompts (handshake, packet, read-back)
// are asked with TransferEvents::Retry: true starts that stage again. The
// thread runs at time-critical priority until the end. A difference is also
// shown with TransferEvents::Error.
WriteImageResult WriteImage(SerialLink& link, const Image& image, const WriteImageOptions& options = {});

}  // namespace kavir
