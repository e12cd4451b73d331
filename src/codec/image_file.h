#pragma once
// Raw radio image files (.img, .bin, the backups): the 768 bytes of a
// radio's memory, and the image a write of a set-up would send.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec.h"

namespace kavir {

// The image a file's bytes hold: exactly 768 bytes that are not profile
// text (no [Previous] section, in any letter case) and that hold the fixed
// bytes every image of the family holds (ImageProblem). nullopt otherwise; *why (when given) then says
// what is wrong with 768 bytes that are not profile text ("" for any other
// file, which may still be a profile).
std::optional<Image> AsRadioImage(std::string_view bytes, std::string* why = nullptr);
// What makes 768 bytes no radio's image, in words for the user; "" when
// they hold the bytes every radio of the family holds: the band block's
// marker and model pair, 0x2A0 to 0x2CF, and the identification block's
// fixed bytes. The radio's own model code, tag and signature may be any.
std::string ImageProblem(const Image& image);

// The model an image opens as: the one its band block names. A model asked
// for (asked, from --model) or named by a backup's file name
// (named_by_file) that contradicts it is refused, 0 with *why, unless
// force: then the one asked for (else named) wins. 0 means "not given".
int ImageOpenModel(const Image& image, int asked, int named_by_file, bool force, std::string* why);

struct CheckedImage {
  std::optional<Image> image;          // the bytes a write would send
  std::vector<WriteProblem> problems;  // why there are none
};
// The write's check, then the image: what a write of the set-up would send
// to a radio whose own identity is not known.
CheckedImage ImageForWrite(const Setup& setup, const ChannelLists& channel_lists, const RadioIdentity& identity);

}  // namespace kavir
