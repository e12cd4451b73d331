#include "program_data.h"

#include "ini/atomic_file.h"
#include "ini/gbk.h"
#include "ini/ini_document.h"
#include "setup/conversions.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"

namespace kavir {

ProgramData ProgramData::Load(const WorkingFiles& files) { return Load(files, ProgramConfig::Read(files.kavir_ini)); }

ProgramData ProgramData::Load(const WorkingFiles& files, ProgramConfig config) {
  ProgramData data;
  data.files = files;
  data.config = std::move(config);
  const IniDocument& ini = data.config.ini();
  data.lists = ReadOptionLists(ini);
  data.lists_status = ListsStatus(data.config, data.lists);
  data.channel_lists = ReadChannelLists(ReadIniFile(files.qtdqt_ini));
  data.identity = ReadRadioIdentity(ini);

  const std::string model = PreviousModel(ini);
  const std::string start_file = files.ModelFile(model);
  IoStatus status;
  const IniDocument doc = ReadIniFile(start_file, &status);
  if (status) data.start = ResolveChoices(ReadSetupRecord(doc), data.lists, Setup{});
  if (status && KindOfFile(start_file) != FileKind::Missing && !HasProfileContent(doc))
    status = IoStatus::BadInput(start_file, "holds no [Previous] settings");
  data.start_status = status;
  const int type = FindOption(data.lists[Setting::Type], model);
  if (type >= 0) data.start[Setting::Type] = {type, data.lists[Setting::Type][type]};
  return data;
}

IoStatus ListsStatus(const ProgramConfig& config, const OptionLists& lists) {
  if (config.status() && lists[Setting::Type].empty())
    return IoStatus::Fail(config.path(), "holds no option lists (no [Type] list)");
  return config.status();
}

std::string PreviousModel(const IniDocument& kavir_ini) {
  return kavir_ini.GetString("PreviousType", "1", "", kValueBuffer);
}

IoStatus RememberModel(ProgramConfig& config, const std::string& model) {
  return config.Change([&](IniDocument& ini) { ini.SetString("PreviousType", "1", model); });
}

Setup ModelRecord(int model, const ProgramData& data) {
  // The entry named by the number itself, as the radio gives it (0 and
  // negative numbers included), not a position in the list.
  const IniDocument& kavir_ini = data.config.ini();
  const std::string key = std::to_string(model);
  Setup record;
  record[Setting::Type].text = kavir_ini.GetString("Type", key, "", kValueBuffer);
  record[Setting::Mode].text = kavir_ini.GetString("Mode", key, "", kValueBuffer);
  const IniDocument model_file = ReadIniFile(data.files.ModelFile(record.model()));
  record.band_lower = model_file.GetString(kProfileSection, "FreqV", "", kValueBuffer);
  record.band_upper = model_file.GetString(kProfileSection, "Frequ", "", kValueBuffer);
  return record;
}

bool HasBand(const Setup& record) { return LeadingInt(ClipToGbkBytes(record.band_upper, 9), 0) != 0; }

}  // namespace kavir
