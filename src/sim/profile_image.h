#pragma once
// A radio image built from a profile file through the set-up and the codec,
// as a write would send it.
#include <string>

#include "radio_protocol.h"

namespace kavir::sim {

// program_dir holds KAVIR.ini, QTDQT.ini and the model files ("" = the
// current directory).
bool BuildImageFromProfile(const std::string& profile, const std::string& program_dir, RadioImage* image,
                           std::string* error);

}  // namespace kavir::sim
