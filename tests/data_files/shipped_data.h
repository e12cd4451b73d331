#pragma once
// The shipped data files, copied into a fresh temporary folder once per test
// program, and helpers shared by the data checks.
#include <string>
#include <string_view>
#include <vector>

#include "profile/ini_document.h"
#include "profile/working_files.h"

namespace kavir::data_test {

// The temporary copy of data/ (created on first use, removed at exit).
const WorkingFiles& Files();
// Raw bytes of a file in the copy; fails the current test when unreadable.
std::string RawBytes(const std::string& path);
// Parsed copy of KAVIR.ini / QTDQT.ini / a model file.
const IniDocument& Kavir();
const IniDocument& Qtdqt();
IniDocument Load(const std::string& path);
// Every *.ini file of the copy.
std::vector<std::string> IniFiles();

// An option list of KAVIR.ini (entries "1".. up to 200).
std::vector<std::string> SettingList(std::string_view key);
bool Contains(const std::vector<std::string>& list, std::string_view text);

// The screen's choice of an option for a stored text: the first option that
// begins with it (ASCII case ignored), searched from the second option to the
// last and then the first. -1 when none.
int SelectedIndex(const std::vector<std::string>& list, std::string_view stored);

// The keys FillOptionLists fills, in its order.
const std::vector<std::string>& SettingKeys();

}  // namespace kavir::data_test
