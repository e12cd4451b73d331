// kavir-cli decode IMAGE --model N [--out FILE]: Read.ini as a read of a
// radio holding IMAGE leaves it.
#include <cstdint>
#include <cstring>

#include "codec/codec.h"
#include "commands.h"
#include "open_screen.h"
#include "profile/atomic_file.h"
#include "profile/option_list.h"
#include "profile/profile.h"

namespace kavir::cli {

int RunDecode(const CliArgs& args) {
  const auto model = args.Option("model");
  if (args.positional.size() != 1 || !model)
    return Fail(kExitBadInput, "usage: kavir-cli decode IMAGE --model N [--out FILE]");

  const int types = static_cast<int>(
      ReadOptionList(ReadIniFile(args.files.kavir_ini), "Type", kSettingListLimit).size());
  const int n = LeadingInt(*model, 0);
  if (std::to_string(n) != *model || n < 1 || n > 127 || n > types)
    return Fail(kExitBadInput, "--model must be a model number from 1 to " + std::to_string(types) +
                                   " of " + args.files.kavir_ini + " (got '" + *model + "')");

  IoStatus status;
  const std::string bytes = ReadWholeFile(args.positional[0], &status);
  if (!status) return Fail(kExitBadInput, status.Message());
  if (bytes.size() != static_cast<std::size_t>(kImageSize))
    return Fail(kExitBadInput, args.positional[0] + ": " + std::to_string(bytes.size()) +
                                   " bytes, a radio image has " + std::to_string(kImageSize));
  Image image;
  std::memcpy(image.data(), bytes.data(), image.size());

  IniFile read(args.files.read_ini);
  if (!read.load_status()) return Fail(kExitFailed, read.load_status().Message());
  ClearProfileKeys(read.doc());
  std::uint8_t answer[20] = {'P', 'M', 0, static_cast<std::uint8_t>(n - 1)};
  EvaluateHandshakeInto(read.doc(), answer, sizeof answer, sizeof answer, args.files);
  DecodeImage(image, read.doc(), ReadIniFile(args.files.kavir_ini));
  if (const IoStatus saved = read.Save(); !saved) return Fail(kExitFailed, saved.Message());

  if (const auto out = args.Option("out")) {
    OpenScreen screen(args.files);
    screen.view.LoadProfile(args.files.read_ini);
    std::string error;
    if (!screen.SaveAs(*out, &error)) return Fail(kExitFailed, error);
  }
  return kExitOk;
}

}  // namespace kavir::cli
