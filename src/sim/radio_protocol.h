#pragma once
// The radio's side of the programming protocol, as a byte-in, bytes-out
// machine shared by the in-process virtual radio and kavir-radio-sim.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kavir::sim {

inline constexpr int kImageBytes = 768;
using RadioImage = std::array<std::uint8_t, kImageBytes>;

// Faults to inject. Packet numbers are 1 to 48; 0 means "not set" except
// for silent_from, where 0 is the handshake.
struct RadioFaults {
  std::optional<int> silent_from;  // answer nothing from this point on
  int wrong_address_packet = 0;    // this packet with offset + 0x10
  int short_packet = 0;            // this packet with only 12 bytes
  int flood_bytes = 0;             // answer the handshake with this many stray bytes
  std::optional<int> hangup_at;    // the line drops here (0 = handshake)
  bool wrong_handshake = false;    // answer "PX..." instead of "PM..."
  bool once = false;               // faults only in the first session
  // Every completed write stores a wrong byte here (address 0 to 767),
  // as a failing memory cell would; not limited by `once`.
  std::optional<int> corrupt_store;
};

class RadioProtocol {
 public:
  explicit RadioProtocol(const RadioImage& image, int model = 1);

  RadioFaults faults;

  // Takes bytes from the programming program; returns what the radio
  // answers to them (possibly nothing).
  std::vector<std::uint8_t> Receive(const std::uint8_t* bytes, std::size_t count);

  const RadioImage& image() const { return image_; }
  void set_image(const RadioImage& image) { image_ = image; }
  int model() const { return model_; }
  void set_model(int model) { model_ = model; }
  // Sessions begun (each handshake starts one).
  int sessions() const { return sessions_; }
  // Writes that delivered all 48 packets.
  int completed_writes() const { return completed_writes_; }
  // Write handshakes taken, and data packets stored, over every session.
  int write_sessions() const { return write_sessions_; }
  int packets_stored() const { return packets_stored_; }
  // True once a hang-up fault fired: the line is dead.
  bool hung_up() const { return hung_up_; }

 private:
  enum class Mode { Idle, Read, Write };
  bool FaultsActive() const { return !faults.once || sessions_ <= 1; }
  bool Silent(int point) const;
  std::vector<std::uint8_t> HandshakeAnswer();
  std::vector<std::uint8_t> Packet(int n);
  void Parse(std::vector<std::uint8_t>& out);

  RadioImage image_;
  RadioImage incoming_{};
  int model_;
  Mode mode_ = Mode::Idle;
  int next_packet_ = 1;    // read: next packet to send; write: next expected
  bool acked_17_ = false;  // read: "PGood" before packet 17 seen
  std::vector<std::uint8_t> pending_;
  int sessions_ = 0;
  int completed_writes_ = 0;
  int write_sessions_ = 0;
  int packets_stored_ = 0;
  bool hung_up_ = false;
};

}  // namespace kavir::sim
