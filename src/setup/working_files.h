#pragma once
// The program directory and the working files, fixed once at start-up.
#include <string>
#include <string_view>

#include "ini/file_path.h"

namespace kavir {

struct WorkingFiles {
  std::string program_dir;
  std::string read_ini;   // Read.ini
  std::string write_ini;  // Write.ini
  std::string kavir_ini;  // KAVIR.ini
  std::string qtdqt_ini;  // QTDQT.ini

  // Forms the four paths, in the order Read, Write, KAVIR, QTDQT.
  static WorkingFiles FromDirectory(std::string dir);
  // The process's current directory, read once.
  static WorkingFiles FromCurrentDirectory();

  // dir/<name>.ini, the model file of a model name (".ini" alone for "").
  std::string ModelFile(std::string_view model_name) const;
  // dir/Kavir.hlp.
  std::string HelpFile() const;
  // dir/<file name>.
  std::string InDir(std::string_view file_name) const;
};

enum class RegistrationSwitch { None, Register, Unregister };
// Every '-' or '/' starts a candidate; the rest of the command line is
// compared without regard to case with "UnregServer", then "RegServer";
// the first candidate from the left that matches wins.
RegistrationSwitch ScanRegistrationSwitch(std::string_view command_line);

}  // namespace kavir
