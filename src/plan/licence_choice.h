#pragma once
// Which licence file goes with which profile. A dealer keeps one licence per
// customer; it is chosen once for the customer's profile and then used by
// every check of it, on the desktop and in kavir-cli alike. KAVIR.ini keeps
// the choice under [Licence], the profile's path as the key.
#include <optional>
#include <string>

#include "ini/ini_document.h"
#include "licence.h"

namespace kavir {

// The licence file chosen for profile ("" when none was chosen).
std::string RememberedLicence(const IniDocument& kavir_ini, const std::string& profile);

// Keeps licence ("" forgets the choice) for profile. False when the path
// cannot be a key of an INI file (it holds '=' or a line break, or starts
// with '[' or ';'): nothing is kept then.
bool RememberLicence(IniDocument& kavir_ini, const std::string& profile, const std::string& licence);

// Reads and checks the licence file at path; nullopt with *error saying
// which file and, for a bad one, the line and column.
std::optional<Licence> LoadLicenceFile(const std::string& path, std::string* error);

}  // namespace kavir
