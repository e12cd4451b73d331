#pragma once
// The texts every radio of the family carries in its identification block
// (0x2D0: model code and tag) and its maker's signature (0x2E0-0x2FF). A
// radio keeps its own: a write that read the radio first sends them back.
// These are what goes into a radio whose own are not known. The defaults
// are this program's own stand-ins; the radios' documentation gives the
// real texts, set in KAVIR.ini's [RadioIdentity] section.
#include <string>
#include <vector>

#include "ini/ini_document.h"

namespace kavir {

struct RadioIdentity {
  static constexpr std::size_t kModelCodeLength = 6;
  static constexpr std::size_t kTagLength = 3;
  static constexpr std::size_t kSignatureLength = 32;

  std::string model_code = "KVR016";
  std::string tag = "KVR";
  std::string signature = "KAVIR RADIO PROGRAMMER V4.0 2026";

  bool operator==(const RadioIdentity&) const = default;
};

// [RadioIdentity] ModelCode, Tag and Signature; a missing key keeps its
// default. A text that is not printable ASCII of its exact length keeps
// the default too, and is named in *problems (when given).
RadioIdentity ReadRadioIdentity(const IniDocument& kavir_ini, std::vector<std::string>* problems = nullptr);

}  // namespace kavir
