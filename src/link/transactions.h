#pragma once
// Reading a radio's set-up; the write of an image is in write_image.h.
#include "serial_link.h"
#include "setup/program_data.h"
#include "write_image.h"

namespace kavir {

enum class TransferResult {
  Done,       // the whole transfer went through
  Cancelled,  // No at the confirmation: nothing sent, nothing changed
  Failed,     // No at a failure prompt, or refused before anything was sent
};

struct ReadOutcome {
  TransferResult result = TransferResult::Failed;
  // After a complete read: the radio's set-up as Read.ini now holds it
  // (texts as stored; the screen resolves them against its lists).
  Setup record;
};

// Confirmation (in the words of purpose), handshake, 48 packets, band
// check; every failure asks whether to start again. A complete read is kept as the radio's image in
// the backups folder and as Read.ini; a failed one leaves what it got in
// Read.partial.ini. Option texts come from data's lists, the band from the
// model file of the model the radio names.
ReadOutcome ReadRadio(SerialLink& link, const ProgramData& data, ReadPurpose purpose = ReadPurpose::Load);

// Where a failed read leaves what it got (Read.ini keeps the last complete read).
std::string PartialReadPath(const WorkingFiles& files);

// "%02d" texts of the prompts and status line.
std::string FormatPacketText(const char* format, int n);

}  // namespace kavir
