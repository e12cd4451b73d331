#include "image_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "image_owner.h"
#include "profile/translate.h"

namespace kavir {

namespace {

// The first address from 0x2A0 on where the image differs from the fixed
// blocks a write puts there; -1 when it holds them all.
int FixedBytesDiffer(const Image& image) {
  static const Image fixed = EncodeImage(Setup{});
  for (int a = PacketAddress(43); a < kImageSize; ++a)
    if (image[a] != fixed[a]) return a;
  return -1;
}

std::string Hex(int address) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%03X", address);
  return buf;
}

}  // namespace

std::optional<Image> AsRadioImage(std::string_view bytes, std::string* why) {
  if (why) why->clear();
  if (bytes.size() != static_cast<std::size_t>(kImageSize)) return std::nullopt;
  // A sparse profile can be 768 bytes long too; it names its section.
  std::string lower(bytes);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (lower.find("[previous]") != std::string::npos) return std::nullopt;
  Image image;
  std::memcpy(image.data(), bytes.data(), image.size());
  // Any 768 bytes are not a radio's memory: a write of them would put
  // nonsense into the radio.
  std::string wrong;
  if (ImageModel(image) == 0)
    wrong = TrText("Codec", "0x290 起的机型与频段块没有电台数据的标记");
  else if (const int at = FixedBytesDiffer(image); at >= 0)
    wrong = ArgText(TrText("Codec", "%1 (%2) 不是每份电台数据都有的固定字节"), {Hex(at), ImageAddressOwner(at)});
  if (wrong.empty()) return image;
  if (why) *why = ArgText(TrText("Codec", "有 768 字节, 但不是电台数据: %1"), {wrong});
  return std::nullopt;
}

int ImageOpenModel(const Image& image, int asked, int named_by_file, bool force, std::string* why) {
  const int own = ImageModel(image);
  const int given = asked != 0 ? asked : named_by_file;
  if (given == 0 || given == own) return own;
  if (force) return given;
  *why = ArgText(asked != 0 ? TrText("Codec", "数据中写明的机型是第 %1 号, 而指定的是第 %2 号")
                            : TrText("Codec", "数据中写明的机型是第 %1 号, 而文件名中的是第 %2 号"),
                 {std::to_string(own), std::to_string(given)});
  return 0;
}

CheckedImage ImageForWrite(const Setup& setup, const ChannelLists& channel_lists) {
  CheckedImage out;
  out.problems = CheckBeforeWrite(setup, channel_lists);
  if (out.problems.empty()) out.image = EncodeImage(setup);
  return out;
}

}  // namespace kavir
