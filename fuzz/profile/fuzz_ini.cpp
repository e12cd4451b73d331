// Any bytes parse; serializing an untouched document gives the bytes back;
// reads and writes on it never fail and a written entry reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  kavir::IniDocument doc = kavir::IniDocument::Parse(bytes);
  if (doc.Serialize() != bytes) std::abort();
  (void)doc.GetString("Previous", "Type", "d", 20);
  (void)doc.GetInt("WaitFor", "Rx", 80);
  for (const std::string& key : doc.Keys("Previous")) (void)doc.GetString("Previous", key, "", 20);
  doc.SetString("Previous", "Type", "值");
  doc.SetString("New", "k", "");
  const kavir::IniDocument again = kavir::IniDocument::Parse(doc.Serialize());
  if (again.GetString("Previous", "Type", "", 20) != doc.GetString("Previous", "Type", "", 20))
    std::abort();
  if (!again.Find("New", "k")) std::abort();
  return 0;
}
