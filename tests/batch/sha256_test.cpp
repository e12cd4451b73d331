// SHA-256 against published test vectors, whole and fed in pieces.
#include <gtest/gtest.h>

#include <string>

#include "batch/sha256.h"

namespace kavir {
namespace {

std::string Hex(const std::string& text) {
  return Sha256Hex(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(Sha256, KnownVectors) {
  const struct {
    std::string input;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      // 55, 56 and 64 bytes: the padding's edge cases.
      {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
      {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(c.input), c.digest) << c.input.size() << " bytes";
}

TEST(Sha256, PiecesGiveTheSameDigest) {
  std::string text;
  for (int i = 0; i < 768; ++i) text += static_cast<char>(i * 37 + 11);
  const std::string whole = Hex(text);
  for (std::size_t cut : {1u, 63u, 64u, 65u, 700u}) {
    Sha256 sha;
    sha.Update(reinterpret_cast<const std::uint8_t*>(text.data()), cut);
    sha.Update(reinterpret_cast<const std::uint8_t*>(text.data()) + cut, text.size() - cut);
    std::string hex;
    for (std::uint8_t b : sha.Finish()) {
      char buf[3];
      std::snprintf(buf, sizeof buf, "%02x", b);
      hex += buf;
    }
    EXPECT_EQ(hex, whole) << "cut at " << cut;
  }
}

}  // namespace
}  // namespace kavir
