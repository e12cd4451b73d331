#pragma once
// Reading the radio into the screen and writing the screen into the radio.
#include "../screen/kavir_view.h"
#include "serial_link.h"
#include "../codec/codec.h"

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

// Confirmation, check of the screen, store into Write.ini, handshake and
// 48 packets; the image about to be sent is kept in the backups folder
// first. With own_bytes (a radio image file restored as it is) those 768
// bytes are sent instead of the screen's encoding; the screen, which holds
// the image decoded, still gets the same check.
TransferResult OnWriteRadio(CKAVIRView& view, SerialLink& link, const Image* own_bytes = nullptr);

// "%02d" texts of the prompts and status line.
std::string FormatPacketText(const char* format, int n);

}  // namespace kavir
