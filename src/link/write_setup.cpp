#include "write_setup.h"

#include "codec/channel_record.h"
#include "codec/image_file.h"
#include "ini/io_status.h"
#include "ini/translate.h"
#include "radio_texts.h"
#include "setup/profile_setup.h"

namespace kavir {

IoStatus KeepForWrite(const WorkingFiles& files, ProgramConfig& config, const Setup& setup) {
  const IoStatus stored = SaveSetupRecord(files.write_ini, setup);
  const IoStatus model = RememberModel(config, setup.model());
  return stored ? model : stored;
}

std::string KeepFailureText(const WorkingFiles& files, const IoStatus& stored) {
  // Write.ini, or KAVIR.ini when the model could not be remembered: the one that failed.
  const std::string& failed = stored.path.empty() ? files.write_ini : stored.path;
  const std::string name = failed.substr(failed.find_last_of("/\\") + 1);
  return ArgText(TrText("Screen", "%1 未能保存，没有写入电台: "), {name}) + stored.Message();
}

std::optional<Setup> RadioSetup(const Image& image, int model, const ProgramData& program) {
  if (!ImageProblem(image).empty()) return std::nullopt;
  // Read as a program just started would show it: its own lists and start model.
  const ProgramData data = ProgramData::Load(program.files, program.config);
  const std::optional<Setup> record = ImageRecord(image, model, data, nullptr);
  if (!record) return std::nullopt;
  return data.Resolve(*record);
}

std::string WrittenStatus(const WriteImageResult& result, bool verify) {
  if (result.ok()) return LinkText(verify ? kVerifiedStatus : kDoneStatus);
  const bool sent = result.outcome == WriteOutcome::VerifyDiffers || result.outcome == WriteOutcome::NotVerified;
  return sent ? TrText("Screen", "写入后校验失败!") : std::string();
}

TransferResult WriteSetup(SerialLink& link, const ProgramData& data, const SetupHolder& holder,
                          const WriteRadioOptions& options, WriteImageResult* details, const TransferThreads& threads) {
  link.BeginTransfer();
  link.set_config(data.config);
  const Setup setup = holder.take();
  const std::string model = setup.model();

  // Nothing that would put wrong bytes into the radio is sent.
  const std::vector<WriteProblem> problems = CheckBeforeWrite(setup, data.channel_lists);
  if (!problems.empty()) {
    link.report.refused = true;
    link.events().Error(DescribeProblems(problems));
    return TransferResult::Failed;
  }
  if (!link.events().ConfirmWrite(model)) return TransferResult::Cancelled;

  WriteImageOptions write;
  // An image restored as it is goes to radios of the model it names.
  write.model = options.own_bytes ? ImageModel(*options.own_bytes) : setup[Setting::Type].index + 1;
  write.model_name = model;
  write.other_model = options.other_model;
  write.verify = options.verify;
  write.keep_radio_image = options.keep_radio_image;
  // Every attempt takes the set-up again; what goes into Write.ini and into
  // the radio is that one set-up. A failure leaves the old Write.ini.
  auto prepare = [&](Image& image) {
    const Setup attempt = holder.take();
    if (!holder.keep(attempt)) return false;
    image = options.own_bytes ? *options.own_bytes : EncodeImage(attempt, data.identity);
    return true;
  };
  if (options.review_changes) {
    write.review_radio = [&](const Image& radio, int radio_model) {
      bool go_on = true;
      RunOn(threads.screen, [&] {
        const std::optional<Setup> held = RadioSetup(radio, radio_model, data);
        // Blank cells listed as what the radio will hold, not as blanks.
        go_on = options.review_changes(held ? &*held : nullptr, AsWritten(holder.take()));
      });
      return go_on;
    };
  }
  write.prepare_attempt = [&](Image& image) {
    bool ready = false;
    RunOn(threads.screen, [&] { ready = prepare(image); });
    return ready;
  };
  WriteImageResult result;
  RunOn(threads.link, [&] { result = WriteImage(link, Image{}, write); });
  if (details) *details = result;
  if (result.outcome == WriteOutcome::NotWanted) return TransferResult::Cancelled;
  return result.ok() ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kavir
