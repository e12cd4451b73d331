#pragma once
// Whole-profile operations: clearing and the model keys of a read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ini/ini_document.h"
#include "ini/io_status.h"
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
}  // namespace kavir
