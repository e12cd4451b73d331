#pragma once
// Reading the radio into the screen and writing the screen into the radio.
#include "../screen/kavir_view.h"
#include "serial_link.h"
#include "write_image.h"

namespace kavir {

enum class TransferResult {
  Done,       // the whole transfer went through
  Cancelled,  // No at the confirmation: nothing sent, nothing changed
  Failed,     // No at a failure prompt, or refused before anything was sent
};

// Confirmation, handshake, 48 packets into Read.ini, band check, screen
// load; every failure asks whether to start again. After a successful read
// the radio's image is kept in the backups folder.
TransferResult OnReadRadio(CKAVIRView& view, SerialLink& link);

struct WriteRadioOptions {
  bool verify = true;  // read the radio back after the 48th packet and compare
  OtherModel other_model = OtherModel::Ask;
  // A radio image file restored as it is: these 768 bytes are sent instead
  // of the screen's encoding; the screen, which holds them decoded, still
  // gets the same check.
  const Image* own_bytes = nullptr;
};

// Confirmation, check of the screen, store into Write.ini, handshake and
// 48 packets, then the verify; the image about to be sent is kept in the
// backups folder first. Done only when the radio holds what was sent (or,
// without the verify, took every packet). *details, when given, says how
// it ended.
TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const WriteRadioOptions& options = {},
                            WriteImageResult* details = nullptr);

// Where a failed read leaves what it got (Read.ini keeps the last complete read).
std::string PartialReadPath(const WorkingFiles& files);

// "%02d" texts of the prompts and status line.
std::string FormatPacketText(const char* format, int n);

}  // namespace kavir
