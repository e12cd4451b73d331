#include "radio_write.h"

#include "link/transfer_summary.h"
#include "link/write_image.h"

namespace kavir {

namespace {

// A message on one line, for a log field.
std::string LogField(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n' || c == '\t' || c == '\r') {
      if (!out.empty() && out.back() != ' ' && out.back() != ';') out += "; ";
    } else {
      out += c;
    }
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == ';')) out.pop_back();
  return out;
}

}  // namespace

RadioWriteResult WriteRadioImage(SerialLink& link, const BatchSetup& setup, const RadioWriteOptions& how) {
  const bool verify = how.verify;
  WriteImageOptions options;
  options.model = setup.model;
  options.model_name = setup.model_name;
  options.other_model = OtherModel::Refuse;  // no question per radio
  options.verify = verify;
  options.backup = false;  // the job keeps the one image every radio gets
  options.keep_radio_image = how.keep_radio_image;
  RadioWriteResult result;
  if (how.keep_radio_image)
    options.review_radio = [&](const Image& radio, int radio_model) {
      result.changed = setup.ChangedSettings(radio, radio_model);
      return true;  // a batch asks no one
    };
  const WriteImageResult written = WriteImage(link, setup.image, options);

  result.radio_model = written.radio_model;
  switch (written.outcome) {
    case WriteOutcome::Done:
      result.outcome = verify ? RadioOutcome::Verified : RadioOutcome::Written;
      break;
    case WriteOutcome::OtherModelRefused:
      result.outcome = RadioOutcome::OtherModel;
      break;
    case WriteOutcome::VerifyDiffers:
      result.outcome = RadioOutcome::VerifyFailed;
      result.reason = std::to_string(written.verify.differences.size()) +
                      (written.verify.differences.size() == 1 ? " byte differs: " : " bytes differ: ") +
                      LogField(DescribeDifferences(written.verify.differences, 3));
      break;
    case WriteOutcome::NotVerified:
      result.outcome = RadioOutcome::VerifyFailed;
      result.reason = "not read back: " + LogField(written.verify.failure);
      break;
    case WriteOutcome::NotWanted:  // a batch asks no one
    case WriteOutcome::Failed: {
      // Said as every write's failure is: the cause, what the radio took and may hold.
      result.outcome = RadioOutcome::Failed;
      TransferReport report = link.report;
      report.backup_path = setup.backup_path;
      result.reason = LogField(
          WriteFailureLine(written.message.empty() ? "no answer" : written.message, TransferResult::Failed, report));
      break;
    }
  }
  if (verify && written.verify.outcome != VerifyResult::Outcome::NoReadBack)
    result.read_back = written.verify.read_back;
  return result;
}

}  // namespace kavir
