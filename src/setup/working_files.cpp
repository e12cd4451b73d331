#include "working_files.h"

#include <filesystem>

#include "ini/file_path.h"

namespace kavir {

WorkingFiles WorkingFiles::FromDirectory(std::string dir) {
  WorkingFiles f;
  f.program_dir = std::move(dir);
  f.read_ini = JoinPath(f.program_dir, "Read.ini");
  f.write_ini = JoinPath(f.program_dir, "Write.ini");
  f.kavir_ini = JoinPath(f.program_dir, "KAVIR.ini");
  f.qtdqt_ini = JoinPath(f.program_dir, "QTDQT.ini");
  return f;
}

WorkingFiles WorkingFiles::FromCurrentDirectory() {
  std::error_code ec;
  auto dir = std::filesystem::current_path(ec);
  return FromDirectory(ec ? std::string(".") : Utf8FromPath(dir));
}

std::string WorkingFiles::ModelFile(std::string_view model_name) const {
  return JoinPath(program_dir, std::string(model_name) + ".ini");
}

std::string WorkingFiles::HelpFile() const { return JoinPath(program_dir, "Kavir.hlp"); }

std::string WorkingFiles::InDir(std::string_view file_name) const { return JoinPath(program_dir, file_name); }

namespace {
bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}
}  // namespace

RegistrationSwitch ScanRegistrationSwitch(std::string_view command_line) {
  for (std::size_t i = 0; i < command_line.size(); ++i) {
    if (command_line[i] != '-' && command_line[i] != '/') continue;
    std::string_view rest = command_line.substr(i + 1);
    if (EqualsNoCase(rest, "UnregServer")) return RegistrationSwitch::Unregister;
    if (EqualsNoCase(rest, "RegServer")) return RegistrationSwitch::Register;
  }
  return RegistrationSwitch::None;
}

}  // namespace kavir
