#pragma once
// Raw radio image files (.img, .bin, the backups): the 768 bytes of a
// radio's memory.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../codec/codec.h"
#include "../profile/io_status.h"

namespace kavir {

class CKAVIRView;

// The image held by a file's bytes: exactly 768 bytes that are not a
// profile file; nullopt otherwise.
std::optional<Image> AsRadioImage(std::string_view bytes);

// The model (entry number of the Type list, from 1) that a backup's file
// name read-<model>-... or write-<model>-... names; 0 when it names none.
int ModelFromBackupName(const std::string& path, const std::vector<std::string>& models);

// Fills the screen as a read of a radio of model `model` holding the image
// would, without touching Read.ini on disk. A model whose file has no
// upper band limit is refused as the read refuses it.
IoStatus LoadImageIntoView(const Image& image, int model, CKAVIRView& view);

struct ScreenImage {
  std::optional<Image> image;          // the bytes a write would send
  std::vector<WriteProblem> problems;  // why there are none
};
// The 768 bytes a write of the screen would send, after the write's check.
ScreenImage BuildScreenImage(const CKAVIRView& view);

}  // namespace kavir
