#include "image_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "image_owner.h"
#include "ini/translate.h"

namespace kavir {

namespace {

// The first address where the image differs from the bytes every radio of
// the family holds (0x2A0 to 0x2CF, the identification block's fixed
// bytes); -1 when it holds them all. Model code, tag and signature are the
// radio's own and may be any text.
int FixedBytesDiffer(const Image& image) {
  static const Image fixed = EncodeImage(Setup{});
  auto fixed_byte = [](int a) {
    if (a < kIdentityAddress) return true;
    const int byte = a - kIdentityAddress;
    return (byte >= 6 && byte <= 8) || (byte >= 12 && byte <= 15);
  };
  for (int a = PacketAddress(43); a < kIdentityAddress + kPacketDataSize; ++a)
    if (fixed_byte(a) && image[a] != fixed[a]) return a;
  return -1;
}

bool AllBytes(const Image& image, std::uint8_t value) {
  return std::all_of(image.begin(), image.end(), [value](std::uint8_t b) { return b == value; });
}

std::string Hex(int address) {
  char buf[16];
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
  const std::string wrong = ImageProblem(image);
  if (wrong.empty()) return image;
  if (why) *why = ArgText(TrText("Codec", "有 768 字节, 但不是电台数据: %1"), {wrong});
  return std::nullopt;
}

std::string ImageProblem(const Image& image) {
  if (AllBytes(image, 0xFF)) return TrText("Codec", "768 个字节都是 FF, 电台从未写入过数据");
  if (AllBytes(image, 0x00)) return TrText("Codec", "768 个字节都是 00");
  if (ImageModel(image) == 0) return TrText("Codec", "0x290 起的机型与频段块没有电台数据的标记");
  if (const int at = FixedBytesDiffer(image); at >= 0)
    return ArgText(TrText("Codec", "%1 (%2) 不是每份电台数据都有的固定字节"), {Hex(at), ImageAddressOwner(at)});
  return {};
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

CheckedImage ImageForWrite(const Setup& setup, const ChannelLists& channel_lists, const RadioIdentity& identity) {
  CheckedImage out;
  out.problems = CheckBeforeWrite(setup, channel_lists);
  if (out.problems.empty()) out.image = EncodeImage(setup, identity);
  return out;
}

}  // namespace kavir
