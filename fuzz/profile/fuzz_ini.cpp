// Any bytes parse; serializing an untouched document gives the bytes back;
// reads and writes on it never fail and a written entry reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ini/ini_document.h"

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
  if (again.GetString("Previous", "Type", "", 20) != doc.GetString("Previous", "Type", "", 20)) std::abort();
  if (!again.Find("New", "k")) std::abort();

  // Entries added one by one are found where a fresh parse of the written
  // file finds them (the look-up index follows every insertion).
  for (std::size_t i = 0; i + 1 < size && i < 64; i += 2) {
    const std::string section = i % 4 ? "Previous" : std::string(1, static_cast<char>('A' + data[i] % 4));
    doc.SetString(section, std::string(1, static_cast<char>('a' + data[i + 1] % 8)), std::to_string(i));
  }
  const kavir::IniDocument fresh = kavir::IniDocument::Parse(doc.Serialize());
  // Bytes that were neither UTF-8 nor GBK can be written over so that what
  // is left reads as UTF-8: encoding detection has no answer for that file.
  if (fresh.encoding() != doc.encoding()) return 0;
  for (const char* section : {"Previous", "A", "B", "C", "D", "New"}) {
    if (doc.Keys(section) != fresh.Keys(section)) std::abort();
    for (const std::string& key : fresh.Keys(section))
      if (doc.Find(section, key) != fresh.Find(section, key)) std::abort();
  }
  return 0;
}
