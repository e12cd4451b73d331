#include "image_file.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace kavir {

std::optional<Image> AsRadioImage(std::string_view bytes) {
  if (bytes.size() != static_cast<std::size_t>(kImageSize)) return std::nullopt;
  // A sparse profile can be 768 bytes long too; it names its section.
  std::string lower(bytes);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (lower.find("[previous]") != std::string::npos) return std::nullopt;
  Image image;
  std::memcpy(image.data(), bytes.data(), image.size());
  return image;
}

CheckedImage ImageForWrite(const Setup& setup, const ChannelLists& channel_lists) {
  CheckedImage out;
  out.problems = CheckBeforeWrite(setup, channel_lists);
  if (out.problems.empty()) out.image = EncodeImage(setup);
  return out;
}

}  // namespace kavir
