#pragma once
// Reading a radio back after a write and comparing what it holds with what
// was sent. Used by the write transaction and by anyone who writes images.
#include <string>
#include <vector>

#include "codec/codec.h"
#include "radio_texts.h"
#include "serial_link.h"

namespace kavir {

// How long the read-back's handshake keeps trying: a radio restarts after
// it has been programmed and does not answer at once.
inline constexpr int kVerifyHandshakeMs = 5000;

struct ImageDifference {
  int address = 0;
  std::uint8_t sent = 0;
  std::uint8_t read_back = 0;
  std::string owner;  // the channel or setting the byte belongs to
};

struct VerifyResult {
  enum class Outcome {
    Match,       // the radio holds every byte that was sent
    Differs,     // read back completely, and some bytes differ
    NoReadBack,  // the radio could not be read back; nothing is known
  };
  Outcome outcome = Outcome::NoReadBack;
  std::vector<ImageDifference> differences;  // in address order
  Image read_back{};                         // valid unless NoReadBack
  std::string failure;                       // why the read-back failed
  int radio_model = 0;                       // what the handshake named; 0 without one
  bool ok() const { return outcome == Outcome::Match; }
};

struct ReadBackProgress {
  short range = 49;  // progress bar range
  short first = 1;   // position of the handshake; packet n is first + n
  const char* handshake_text = kVerifyHandshakeStatus;
  const char* packet_format = kVerifyingFormat;  // "%02d": the packet
};

// A fresh read session (handshake, 48 packets) into an image, without
// touching Read.ini or the screen. The handshake is repeated for up to
// handshake_ms; each packet gets the read's usual four waits. A radio
// whose handshake names another model than expected_model (when not 0) is
// not the one written: nothing is read from it.
VerifyResult ReadBackImage(SerialLink& link, const ReadBackProgress& progress = {},
                           int handshake_ms = kVerifyHandshakeMs, int expected_model = 0);

// Every byte where the two images differ, with its owner.
std::vector<ImageDifference> CompareImages(const Image& sent, const Image& read_back);

// ReadBackImage, then CompareImages against what was sent.
VerifyResult VerifyWrite(SerialLink& link, const Image& sent, const ReadBackProgress& progress = {},
                         int handshake_ms = kVerifyHandshakeMs, int expected_model = 0);

// "0x064 信道 07 CH07.Decode: 写入 0x12, 读回 0x13", one line per
// difference, at most max_lines of them and a count of the rest.
std::string DescribeDifferences(const std::vector<ImageDifference>& differences, std::size_t max_lines = 12);

}  // namespace kavir
