#pragma once
// The shipped data files as values: the program data a started program
// reads, and each model's set-up as it shows it. No screen, no copies.
#include <string>

#include "ini/ini_document.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace kavir::test {

struct ShippedSetups {
  ProgramData data = ProgramData::Load(WorkingFiles::FromDirectory(KAVIR_DATA_DIR));

  // The model file as a started program shows it once opened.
  Setup Model(const std::string& name) const {
    return data.Resolve(ReadSetupRecord(ReadIniFile(data.files.ModelFile(name))));
  }
  // Model number n (from 1) of the Type list.
  int Number(const std::string& name) const {
    for (std::size_t i = 0; i < data.models().size(); ++i)
      if (data.models()[i] == name) return static_cast<int>(i) + 1;
    return 0;
  }
};

}  // namespace kavir::test
