#include "program_config.h"

#include "ini/atomic_file.h"

namespace kavir {

namespace {

IoStatus ReadExisting(const std::string& path, IniDocument* doc) {
  IoStatus status;
  *doc = ReadIniFile(path, &status);
  if (status && KindOfFile(path) == FileKind::Missing) status = IoStatus::Fail(path, "is missing");
  return status;
}

}  // namespace

ProgramConfig ProgramConfig::Read(std::string path) {
  ProgramConfig config;
  config.path_ = std::move(path);
  config.status_ = ReadExisting(config.path_, &config.ini_);
  return config;
}

IoStatus ProgramConfig::Change(const std::function<void(IniDocument&)>& change) {
  IniDocument now;
  IoStatus status = ReadExisting(path_, &now);
  if (!status) return status;
  change(now);
  status = WriteIniFile(path_, now);
  if (!status) return status;
  ini_ = std::move(now);
  status_ = IoStatus::Ok();
  return status;
}

}  // namespace kavir
