#pragma once
// SHA-256, for the batch log: the fingerprint of the image read back from
// each radio, so identical radios show identical hashes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kavir {

class Sha256 {
 public:
  Sha256();
  void Update(const std::uint8_t* bytes, std::size_t count);
  // The 32-byte digest; the object is spent afterwards.
  std::array<std::uint8_t, 32> Finish();

 private:
  void Block(const std::uint8_t* p);

  std::array<std::uint32_t, 8> h_;
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
  std::uint64_t total_ = 0;
};

// Lower-case hexadecimal digest of the bytes.
std::string Sha256Hex(const std::uint8_t* bytes, std::size_t count);

}  // namespace kavir
