#pragma once
// Raw radio image files (.img, .bin, the backups): the 768 bytes of a
// radio's memory, and the image a write of a set-up would send.
#include <optional>
#include <string_view>
#include <vector>

#include "codec.h"

namespace kavir {

// The image a file's bytes hold: exactly 768 bytes that are not profile
// text (no [Previous] section, in any letter case). Any other 768 bytes
// are an image, whatever they hold: a backup of a radio that was never
// programmed may be all 0xFF, and it must still open. nullopt otherwise.
std::optional<Image> AsRadioImage(std::string_view bytes);

struct CheckedImage {
  std::optional<Image> image;          // the bytes a write would send
  std::vector<WriteProblem> problems;  // why there are none
};
// The write's check, then the image: what a write of the set-up would send.
CheckedImage ImageForWrite(const Setup& setup, const ChannelLists& channel_lists);

}  // namespace kavir
