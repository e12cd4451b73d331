// kavir-cli encode FILE IMAGE: the 768 bytes a write of FILE would send.
#include <iostream>

#include "codec/image_file.h"
#include "commands.h"
#include "ini/atomic_file.h"
#include "link/write_setup.h"
#include "setup_command.h"

namespace kavir::cli {

int RunEncode(const CliArgs& args) {
  if (args.positional.size() != 2) return UsageError("encode");
  SetupCommand command(args);
  if (!command.ListsUsable()) return Fail(kExitBadInput, "not encoded: " + command.OptionListsRefusal());
  std::string error;
  if (!command.OpenFile(args.positional[0], &error)) return Fail(command.exit_code, error);

  // As a write does: one set-up goes into Write.ini and into the image.
  const IoStatus stored = KeepForWrite(args.files, command.data.config, command.setup);
  if (!stored) return Fail(ExitCodeFor(stored.bad_input), stored.Message());
  const CheckedImage checked = ImageForWrite(command.setup, command.data.channel_lists, command.data.identity);
  if (!checked.image) {
    for (const WriteProblem& p : checked.problems) std::cerr << "kavir-cli: " << p.message << "\n";
    return Fail(kExitFailed, "not encoded: the settings above would put wrong bytes into a radio");
  }
  const Image& image = *checked.image;
  const IoStatus written = WriteFileAtomically(
      args.positional[1], std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
  if (!written) return Fail(ExitCodeFor(written.bad_input), written.Message());
  return kExitOk;
}

}  // namespace kavir::cli
