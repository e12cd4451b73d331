// kavir-cli decode IMAGE --model N [--out FILE] [--force]: Read.ini as a read of a
// radio holding IMAGE leaves it.
#include <cstring>
#include <optional>

#include "codec/codec.h"
#include "codec/image_file.h"
#include "commands.h"
#include "ini/atomic_file.h"
#include "setup/option_lists.h"
#include "setup/profile_file.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"
#include "setup_command.h"

namespace kavir::cli {

int RunDecode(const CliArgs& args) {
  const auto model = args.Option("model");
  if (args.positional.size() != 1 || !model) return UsageError("decode");

  // The program directory read once, for the decode and for --out.
  ProgramData data = ProgramData::Load(args.files);
  const ProgramConfig& config = data.config;
  const int types = static_cast<int>(data.models().size());
  // Without the model list no model number can be right: say why, not "from 1 to 0".
  if (!config.status() || types == 0)
    return Fail(kExitBadInput, args.files.kavir_ini + " " +
                                   (!config.status() ? config.status().reason : "holds no model list ([Type])") +
                                   ": nothing decoded (put the program's KAVIR.ini there, or name the "
                                   "program directory with --dir)");
  const int n = LeadingInt(*model, 0);
  if (std::to_string(n) != *model || n < 1 || n > 127 || n > types)
    return Fail(kExitBadInput, "--model must be a model number from 1 to " + std::to_string(types) + " of " +
                                   args.files.kavir_ini + " (got '" + *model + "')");

  IoStatus status;
  const std::string bytes = ReadWholeFile(args.positional[0], &status);
  if (!status) return Fail(ExitCodeFor(status.bad_input), status.Message());
  if (bytes.size() != static_cast<std::size_t>(kImageSize))
    return Fail(kExitBadInput, args.positional[0] + ": " + std::to_string(bytes.size()) + " bytes, a radio image has " +
                                   std::to_string(kImageSize));
  std::string refused;
  const std::optional<Image> image = AsRadioImage(bytes, &refused);
  if (!image)
    return Fail(kExitBadInput,
                args.positional[0] + ": " + (refused.empty() ? "profile text, not a radio image" : refused));
  if (ImageOpenModel(*image, n, 0, args.Flag("force"), &refused) == 0)
    return Fail(kExitBadInput, args.positional[0] + ": " + refused + " (--force decodes it as model " + *model + ")");

  IoStatus why;
  // A model without a band is refused as a read refuses such a radio.
  const std::optional<Setup> record = ImageRecord(*image, n, data, &why);
  if (!record) return Fail(kExitBadInput, why.Message() + ": nothing decoded");

  // Read.ini as a read leaves it: every profile key, the decoded values.
  if (const IoStatus saved = SaveSetupRecord(args.files.read_ini, *record); !saved)
    return Fail(ExitCodeFor(saved.bad_input), saved.Message());

  if (const auto out = args.Option("out")) {
    SetupCommand command(std::move(data));
    command.ShowRecord(*record);
    std::string error;
    if (!command.SaveAs(*out, &error)) return Fail(command.exit_code, error);
  }
  return kExitOk;
}

}  // namespace kavir::cli
