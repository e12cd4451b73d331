#pragma once
// How the option texts of the data files (高/低, 关, 信道1, ...) are shown in
// another language. Profiles, Read.ini, Write.ini and CSV keep the stored
// (Chinese) text; only what the screen and the report show changes. A text
// with no translation is shown as it is.
#include <string>
#include <unordered_map>

#include "ini/io_status.h"

namespace kavir {

class OptionTexts {
 public:
  // The catalogue file beside the data files: "stored=shown" lines in UTF-8,
  // ';' or '#' starts a comment line. A missing file is an empty catalogue.
  static OptionTexts Load(const std::string& path, IoStatus* status = nullptr);

  void Add(const std::string& stored, const std::string& shown);
  const std::string& Shown(const std::string& stored) const;
  // The stored text a shown one stands for (what a user typed in English).
  const std::string& Stored(const std::string& shown) const;
  bool empty() const { return shown_.empty(); }

 private:
  std::unordered_map<std::string, std::string> shown_;
  std::unordered_map<std::string, std::string> stored_;
};

// The catalogue of a language beside the data files: options_<lang>.txt.
std::string OptionTextsFile(const std::string& program_dir, const std::string& lang);

}  // namespace kavir
