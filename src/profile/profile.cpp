#include "profile.h"

#include "gbk.h"
#include "profile_keys.h"

namespace kavir {

bool HasProfileContent(const IniDocument& doc) {
  for (const std::string& key : ProfileKeys())
    if (doc.Find(kProfileSection, key)) return true;
  return false;
}

std::vector<LongValue> LongProfileValues(const IniDocument& doc) {
  std::vector<LongValue> long_values;
  for (const std::string& key : ProfileKeys()) {
    auto value = doc.Find(kProfileSection, key);
    if (value && GbkLength(*value) > kValueBuffer - 1) long_values.push_back({key, *value});
  }
  return long_values;
}

void ClearProfileKeys(IniDocument& doc) {
  for (const std::string& key : ProfileKeys()) doc.SetString(kProfileSection, key, "");
}

IoStatus ClearProfile(char which, const std::string& current_file, const WorkingFiles& files) {
  const std::string& path = which == 'R' ? files.read_ini
                            : which == 'W' ? files.write_ini
                                           : current_file;
  IoStatus status;
  IniDocument doc = ReadIniFile(path, &status);
  if (!status) return status;
  ClearProfileKeys(doc);
  return WriteIniFile(path, doc);
}

void PutModelKeys(IniDocument& read_ini, int model, const WorkingFiles& files) {
  const std::string key = std::to_string(model);
  const IniDocument kavir = ReadIniFile(files.kavir_ini);
  const std::string type = kavir.GetString("Type", key, "", kValueBuffer);
  read_ini.SetString(kProfileSection, "Type", type);
  const IniDocument model_file = ReadIniFile(files.ModelFile(type));
  read_ini.SetString(kProfileSection, "Mode", kavir.GetString("Mode", key, "", kValueBuffer));
  read_ini.SetString(kProfileSection, "FreqV",
                     model_file.GetString(kProfileSection, "FreqV", "", kValueBuffer));
  read_ini.SetString(kProfileSection, "Frequ",
                     model_file.GetString(kProfileSection, "Frequ", "", kValueBuffer));
}

int EvaluateHandshakeInto(IniDocument& read_ini, const std::uint8_t* received, std::size_t stored,
                          std::uint32_t count, const WorkingFiles& files) {
  if (count < 20 || stored < 4 || received[0] != 0x50 || received[1] != 0x4D) return -1;
  // 8-bit signed arithmetic: 0x7F..0xFE give negative keys, 0xFF gives 0.
  PutModelKeys(read_ini, static_cast<std::int8_t>(static_cast<std::int8_t>(received[3]) + 1), files);
  return 1;
}

HandshakeResult EvaluateHandshake(char which, const std::uint8_t* received, std::size_t stored,
                                  std::uint32_t count, const WorkingFiles& files) {
  HandshakeResult r;
  if (which != 'R') return r;
  IniDocument doc = ReadIniFile(files.read_ini, &r.status);
  if (!r.status) return r;
  r.result = EvaluateHandshakeInto(doc, received, stored, count, files);
  if (r.result == 1) r.status = WriteIniFile(files.read_ini, doc);
  return r;
}

}  // namespace kavir
