#pragma once
// The shipped data files, loaded once per fuzzing process.
#include <cstdlib>

#include "setup/profile_file.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace kavir::fuzz {

inline const ProgramData& Data() {
  static const ProgramData data = [] {
    ProgramData d = ProgramData::Load(WorkingFiles::FromDirectory(KAVIR_DATA_DIR));
    if (!d.lists_status.ok) std::abort();
    return d;
  }();
  return data;
}

// What the form shows before a file is opened over it.
inline const Setup& Baseline() {
  static const Setup setup = Data().Resolve(ReadSetupRecord(ReadIniFile(Data().files.ModelFile("KV16V"))));
  return setup;
}

}  // namespace kavir::fuzz
