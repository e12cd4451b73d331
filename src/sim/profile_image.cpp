#include "profile_image.h"

#include <algorithm>

#include "codec/codec.h"
#include "ini/atomic_file.h"
#include "ini/ini_document.h"
#include "setup/profile_file.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

namespace kavir::sim {

bool BuildImageFromProfile(const std::string& profile, const std::string& program_dir, RadioImage* image,
                           std::string* error) {
  if (KindOfFile(profile) != FileKind::Regular) {
    *error = profile + ": no such profile file";
    return false;
  }
  const WorkingFiles files =
      program_dir.empty() ? WorkingFiles::FromCurrentDirectory() : WorkingFiles::FromDirectory(program_dir);
  // The profile as a started program would show it after opening it.
  const ProgramData data = ProgramData::Load(files);
  IoStatus read;
  const IniDocument doc = ReadIniFile(profile, &read);
  if (!read) {
    *error = read.Message();
    return false;
  }
  if (!HasProfileContent(doc)) {
    *error = IoStatus::BadInput(profile, "不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。")
                 .Message();
    return false;
  }
  const Image built = EncodeImage(data.Resolve(ReadSetupRecord(doc)), data.identity);
  std::copy(built.begin(), built.end(), image->begin());
  return true;
}

}  // namespace kavir::sim
