#pragma once
// KAVIR.ini as the program holds it: read once at start and changed only
// through Change, which writes the file
// and this value together. Everything else takes the value; nothing reads
// the file behind it.
#include <functional>
#include <string>

#include "ini/ini_document.h"
#include "ini/io_status.h"

namespace kavir {

class ProgramConfig {
 public:
  ProgramConfig() = default;  // no file: every setting at its default
  static ProgramConfig Read(std::string path);

  const std::string& path() const { return path_; }
  const IniDocument& ini() const { return ini_; }
  // Ok when the file was there and could be read; a missing file reads as
  // empty but fails here, since it would hold no option lists.
  const IoStatus& status() const { return status_; }

  // The one writer. The file is read again first, so a setting another
  // window stored meanwhile is kept; a file that is missing or cannot be
  // read is left alone (a stub would lack every option list). On success
  // this value is the file as written.
  IoStatus Change(const std::function<void(IniDocument&)>& change);

 private:
  std::string path_;
  IniDocument ini_;
  IoStatus status_ = IoStatus::Fail("", "was not read");
};

}  // namespace kavir
