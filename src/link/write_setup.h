#pragma once
// Writing a set-up into a radio, whoever holds it: the check that keeps
// wrong bytes out, the confirmation, Write.ini kept at every attempt, the
// image encoded from that same set-up, and what the radio held shown before
// anything is sent when asked. The screen and the command line both write
// through here.
#include <functional>
#include <optional>

#include "codec/codec.h"
#include "serial_link.h"
#include "setup/program_data.h"
#include "transactions.h"
#include "write_image.h"

namespace kavir {

struct WriteRadioOptions {
  bool verify = true;  // read the radio back after the 48th packet and compare
  OtherModel other_model = OtherModel::Ask;
  // Read the radio first and keep what it held in backups/ (WriteImageOptions);
  // the desktop's switch and kavir-cli write turn it on unless told not to.
  bool keep_radio_image = false;
  // A radio image file restored as it is: these 768 bytes are sent instead
  // of the set-up's encoding; the set-up, which holds them decoded, still
  // gets the same check.
  const Image* own_bytes = nullptr;
  // With keep_radio_image: what the radio holds, shown as a read would show
  // it (nullptr when it holds nothing a read could show), beside what is
  // about to be written; false writes nothing, not even Write.ini.
  std::function<bool(const Setup* radio, const Setup& planned)> review_changes = nullptr;
};

// Where the parts of a transfer run. Unset, everything runs on the caller's
// thread; the desktop runs the link's part on a worker thread, and the
// screen's parts in between go back to the window's thread.
struct TransferThreads {
  using Runner = std::function<void(const std::function<void()>&)>;
  Runner link;    // runs the link's part, returns when it is over
  Runner screen;  // called from the link's part: runs fn where the set-up lives
};

// fn through runner, or at once when there is none.
inline void RunOn(const TransferThreads::Runner& runner, const std::function<void()>& fn) {
  if (runner)
    runner(fn);
  else
    fn();
}

// Where the set-up being written lives. take gives it (again at every
// attempt, as a repeated write takes it again); keep stores it as Write.ini
// and remembers its model, or says why it could not and returns false, and
// then nothing is sent.
struct SetupHolder {
  std::function<Setup()> take;
  std::function<bool(const Setup&)> keep;
};

// Write.ini and KAVIR.ini's model as a write keeps them (the model is
// remembered even when Write.ini fails); the first failure.
IoStatus KeepForWrite(const WorkingFiles& files, ProgramConfig& config, const Setup& setup);
// Why nothing was written when keeping failed, naming the file that did.
std::string KeepFailureText(const WorkingFiles& files, const IoStatus& stored);

// What a radio holding image shows after a read on a program just started
// with program's files and configuration, or nullopt when the image is no radio's or
// cannot be read as model's.
std::optional<Setup> RadioSetup(const Image& image, int model, const ProgramData& program);

// The status line once a write's packets went out ("" when none did).
std::string WrittenStatus(const WriteImageResult& result, bool verify);

// A transfer of its own (BeginTransfer). The check of the set-up (a refusal sets link.report.refused and is shown
// with TransferEvents::Error), the confirmation, then WriteImage of the
// image encoded from that set-up with data's identity. Done only when the
// radio holds what was sent (or, without the verify, took every packet);
// Cancelled when no was said to the confirmation or to the review of the
// changes. *details, when given, says how the write ended.
TransferResult WriteSetup(SerialLink& link, const ProgramData& data, const SetupHolder& holder,
                          const WriteRadioOptions& options = {}, WriteImageResult* details = nullptr,
                          const TransferThreads& threads = {});

}  // namespace kavir
