#include "codec.h"

namespace kavir {

std::optional<Setup> ImageRecord(const Image& image, int model, const ProgramData& data, IoStatus* why) {
  auto fail = [&](IoStatus status) {
    if (why) *why = std::move(status);
    return std::nullopt;
  };
  if (model < 1 || model > static_cast<int>(data.models().size()))
    return fail(IoStatus::Fail(data.files.kavir_ini, "model " + std::to_string(model) + " is not in the Type list"));
  Setup record = ModelRecord(model, data);
  DecodeImage(image, data.lists, record);
  if (!HasBand(record))
    return fail(IoStatus::Fail(data.files.ModelFile(record.model()), "the model file gives no upper band limit"));
  return record;
}

}  // namespace kavir
