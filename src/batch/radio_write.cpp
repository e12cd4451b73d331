#include "radio_write.h"

#include <algorithm>

#include "../link/radio_texts.h"
#include "../link/transactions.h"

namespace kavir {

std::optional<int> HandshakeModel(const SerialLink& link) {
  if (link.receive_count < 20 || link.receive_buffer[0] != 'P' || link.receive_buffer[1] != 'M')
    return std::nullopt;
  return static_cast<int>(static_cast<std::int8_t>(link.receive_buffer[3])) + 1;
}

RadioWriteResult WriteRadioImage(SerialLink& link, const BatchSetup& setup, bool verify) {
  (void)verify;
  RadioWriteResult result;
  const Timeouts& t = setup.timeouts;
  link.PollInput();
  link.ClearReceiveBuffer();
  link.ClearTransmitBuffer();
  for (int attempt = 0; attempt < 4 && link.receive_count < 20; ++attempt) {
    link.SendCommand(6, kWriteHandshake, 0x00);
    link.WaitForBytes(20, t.handshake, kHandshakeStatus, kProgressRange, 1);
  }
  const std::optional<int> model = HandshakeModel(link);
  if (!model) {
    result.reason = "no answer to the write handshake";
    return result;
  }
  result.radio_model = *model;
  if (*model != setup.model) {
    result.outcome = RadioOutcome::OtherModel;
    return result;
  }
  for (int n = 1; n <= kPacketCount; ++n) {
    const int address = kPacketDataSize * (n - 1);
    Frame frame{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                0x10};
    std::copy_n(setup.image.begin() + address, kPacketDataSize, frame.begin() + 4);
    link.ClearReceiveBuffer();
    link.SendBytes(frame.data(), frame.size());
    const std::string text = FormatPacketText(kTransferringFormat, n);
    for (int attempt = 0; attempt < 4 && link.receive_count < 5; ++attempt)
      link.WaitForBytes(5, t.transmit, text, kProgressRange, static_cast<short>(n + 1));
    if (link.receive_count < 5) {
      result.reason = "packet " + std::to_string(n) + " not acknowledged";
      return result;
    }
  }
  result.outcome = RadioOutcome::Written;
  return result;
}

}  // namespace kavir
