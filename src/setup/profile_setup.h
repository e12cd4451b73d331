#pragma once
// A set-up and the [Previous] section of a profile file: what a load reads,
// how its texts become choices, and what a store writes.
#include <string>
#include <utility>
#include <vector>

#include "ini/ini_document.h"
#include "ini/io_status.h"
#include "option_lists.h"
#include "setup.h"

namespace kavir {

// The values of a profile document as a load reads them: each at most 19
// bytes, without trailing blanks, a missing drop-down key as its default.
// Choices carry the stored text only (index -1): see ResolveChoices.
Setup ReadSetupRecord(const IniDocument& doc);

// One drop-down's choice after loading `record` over `before`: the option
// the record names by position when its text is that option's (a read),
// else the option equal to its text (or starting with it), else `before`.
Choice ResolveChoice(const std::vector<std::string>& options, const Choice& record, const Choice& before);

// What the form shows after loading `record` over `shown`: a text that is
// no option of its list (not even as a prefix) leaves the earlier choice;
// a channel that is off does not transmit.
Setup ResolveChoices(const Setup& record, const OptionLists& lists, const Setup& shown);

// Writes every profile key of the set-up into the document, in the order a
// store writes them (frequencies padded to nine characters). Other
// sections and keys stay as they are.
void StoreSetup(const Setup& setup, IniDocument& doc);

// The value every profile key gets from StoreSetup, in clearing order
// (209 pairs).
std::vector<std::pair<std::string, std::string>> StoredValues(const Setup& setup);

// Stores the set-up into the file at path and saves it atomically: its other
// sections and keys are kept, and with ClearedFirst every profile key is
// cleared before the store (one write: a failed save leaves the old file
// whole). A file that cannot be read is left alone; a pipe or device is
// written without being read.
enum class StoredKeys { ClearedFirst, OverOld };
IoStatus StoreSetupFile(const std::string& path, const Setup& setup, StoredKeys keys);
// A file holding the set-up as a record (a profile, Read.ini, Write.ini):
// StoreSetupFile with every profile key cleared first.
IoStatus SaveSetupRecord(const std::string& path, const Setup& setup);

// The frequency cells that hold no frequency in megahertz, each named as
// "CH04 接收频率 \"430.1.2\": ..." (blank cells are not named here).
std::vector<std::string> FrequencyTextProblems(const Setup& setup);

// A frequency as a store writes it: padded with '0' to nine characters, whole
// megahertz given their point first ("145" -> "145.00000").
std::string PadFrequency(std::string text);

}  // namespace kavir
