#pragma once
// Whole-profile operations: clearing and the model keys of a read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ini_document.h"
#include "io_status.h"
#include "working_files.h"

namespace kavir {

// True when the document holds at least one profile key in section
// Previous: a radio image or any other file does not.
bool HasProfileContent(const IniDocument& doc);

// A profile value longer than a load keeps (19 GBK bytes).
struct LongValue {
  std::string key;
  std::string value;  // the whole value as stored in the file
};
// The profile keys whose values a load would cut, in clearing order.
std::vector<LongValue> LongProfileValues(const IniDocument& doc);

// Writes every profile key with an empty value into section Previous of the
// document, in clearing order, keeping foreign keys and sections.
void ClearProfileKeys(IniDocument& doc);
// 'R' clears Read.ini, 'W' Write.ini, any other character the given user
// file. One atomic save.
IoStatus ClearProfile(char which, const std::string& current_file, const WorkingFiles& files);

// The keys a read takes from the model the radio names (the entry number of
// KAVIR.ini's Type list): Type and Mode from KAVIR.ini, FreqV and Frequ from
// that model's file.
void PutModelKeys(IniDocument& read_ini, int model, const WorkingFiles& files);

struct HandshakeResult {
  int result = -1;      // 1 passed and keys written, -1 did not pass
  IoStatus status;      // the save of Read.ini
};
// Judges a read handshake answer as the link does (received = bytes since
// the receive buffer was cleared; count may exceed the stored bytes) and,
// when it passes, puts the model keys into Read.ini. The transfers use the
// link's HandshakeModel and PutModelKeys; what holds a model number already
// gives it to PutModelKeys.
HandshakeResult EvaluateHandshake(char which, const std::uint8_t* received, std::size_t stored,
                                  std::uint32_t count, const WorkingFiles& files);
// The same on a document already loaded (no file access for Read.ini).
int EvaluateHandshakeInto(IniDocument& read_ini, const std::uint8_t* received, std::size_t stored,
                          std::uint32_t count, const WorkingFiles& files);

}  // namespace kavir
