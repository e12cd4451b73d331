#include "program_config.h"

#include "profile/atomic_file.h"

namespace kavir {

namespace {

IoStatus ReadExisting(const std::string& path, IniDocument* doc, bool* missing) {
  IoStatus status;
  *doc = ReadIniFile(path, &status);
  *missing = KindOfFile(path) == FileKind::Missing;
  if (status && *missing) status = IoStatus::Fail(path, "is missing");
  return status;
}

}  // namespace

ProgramConfig ProgramConfig::Read(std::string path) {
  ProgramConfig config;
  config.path_ = std::move(path);
  config.status_ = ReadExisting(config.path_, &config.ini_, &config.missing_);
  return config;
}

IoStatus ProgramConfig::Change(const std::function<void(IniDocument&)>& change) {
  IniDocument now;
  bool missing = true;
  IoStatus status = ReadExisting(path_, &now, &missing);
  if (!status) return status;
  change(now);
  status = WriteIniFile(path_, now);
  if (!status) return status;
  ini_ = std::move(now);
  status_ = IoStatus::Ok();
  missing_ = false;
  return status;
}

}  // namespace kavir
