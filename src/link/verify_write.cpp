// The read-back after a write: the read's exchange, but into an image only,
// and with a handshake that waits for a radio that is still restarting.
#include "verify_write.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "../codec/image_owner.h"
#include "radio_texts.h"
#include "transactions.h"

namespace kavir {

namespace {

bool IsHandshakeAnswer(const SerialLink& link) {
  return link.receive_count >= 20 && link.receive_buffer[0] == 'P' && link.receive_buffer[1] == 'M';
}

bool AddressIs(const SerialLink& link, int n) {
  const int address = 16 * (n - 1);
  return link.receive_buffer[1] == (address >> 8) && link.receive_buffer[2] == (address & 0xFF);
}

std::string Hex(int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
  return buf;
}

}  // namespace

VerifyResult ReadBackImage(SerialLink& link, const ReadBackProgress& progress, int handshake_ms) {
  VerifyResult result;
  const Timeouts t = link.LoadTimeouts();
  link.ResetOpenErrorReport();
  auto fail = [&](const std::string& why) {
    result.outcome = VerifyResult::Outcome::NoReadBack;
    result.failure = why;
    return result;
  };
  auto arrived = [&](std::uint32_t base) { return link.receive_count - base; };
  auto wait = [&](int n, int timeout) {
    const std::string text = FormatPacketText(kVerifyingFormat, n);
    link.WaitForBytes(20, timeout, text, progress.range, static_cast<short>(progress.first + n));
  };

  // Handshake: again and again until the radio is back, a few seconds at
  // most. Whatever came before a good answer is dropped first.
  link.PollInput();
  link.ClearReceiveBuffer();
  link.ClearTransmitBuffer();
  const std::int64_t deadline = link.clock().NowMs() + handshake_ms;
  for (;;) {
    link.SendCommand(5, kReadHandshake, 0x00);
    // Each try takes some time, or a radio that never answers is asked
    // without pause until the deadline.
    link.WaitForBytes(20, std::max(t.handshake, 20), kVerifyHandshakeStatus, progress.range,
                      progress.first);
    if (IsHandshakeAnswer(link)) break;
    if (link.cancel_requested()) return fail("已取消");
    if (link.clock().NowMs() >= deadline)
      return fail(link.receive_count == 0 ? "电台在 " + std::to_string(handshake_ms / 1000) +
                                                " 秒内没有回答读出握手"
                                          : "电台对读出握手的回答不对");
    if (link.receive_count > 0) link.DrainInput(t.handshake > 0 ? t.handshake : 1, 1000);
  }
  link.ClearReceiveBuffer();

  // Packets 1 to 16 on request. A request is repeated only when nothing
  // came: a partial answer followed by the next packet is not a packet.
  for (int n = 1; n <= 16; ++n) {
    if (link.cancel_requested()) return fail("已取消");
    const std::uint32_t base = link.receive_count;
    link.SendCommand(5, kGood, 0x01);
    wait(n, t.receive);
    for (int attempt = 2; attempt <= 4 && arrived(base) < 20; ++attempt) {
      if (arrived(base) == 0) link.SendCommand(5, kGood, 0x01);
      wait(n, t.receive);
    }
    if (arrived(base) < 20)
      return fail(FormatPacketText("第 %02d 个数据包", n) +
                  (arrived(base) == 0 ? "没有收到" : "不完整 (" + std::to_string(arrived(base)) + " 字节)"));
    if (!AddressIs(link, n)) return fail(FormatPacketText("第 %02d 个数据包的地址不对", n));
    std::memcpy(result.read_back.data() + 16 * (n - 1), link.receive_buffer.data() + 4, 16);
    link.ClearReceiveBuffer();
  }

  // Packets 17 to 48: each acknowledgement brings the next.
  link.SendText(5, kGood);
  for (int n = 17; n <= 48; ++n) {
    if (link.cancel_requested()) return fail("已取消");
    const std::uint32_t base = link.receive_count;
    wait(n, t.receive);
    for (int attempt = 2; attempt <= 4 && arrived(base) < 20; ++attempt) wait(n, t.receive);
    if (arrived(base) < 20)
      return fail(FormatPacketText("第 %02d 个数据包", n) +
                  (arrived(base) == 0 ? "没有收到" : "不完整 (" + std::to_string(arrived(base)) + " 字节)"));
    link.SendText(5, kGood);
    if (!AddressIs(link, n)) return fail(FormatPacketText("第 %02d 个数据包的地址不对", n));
    std::memcpy(result.read_back.data() + 16 * (n - 1), link.receive_buffer.data() + 4, 16);
    link.ClearReceiveBuffer();
  }
  result.outcome = VerifyResult::Outcome::Match;
  return result;
}

std::vector<ImageDifference> CompareImages(const Image& sent, const Image& read_back) {
  std::vector<ImageDifference> out;
  for (int a = 0; a < kImageSize; ++a)
    if (sent[a] != read_back[a]) out.push_back({a, sent[a], read_back[a], ImageAddressOwner(a)});
  return out;
}

VerifyResult VerifyWrite(SerialLink& link, const Image& sent, const ReadBackProgress& progress,
                         int handshake_ms) {
  VerifyResult result = ReadBackImage(link, progress, handshake_ms);
  if (result.outcome == VerifyResult::Outcome::NoReadBack) return result;
  result.differences = CompareImages(sent, result.read_back);
  result.outcome = result.differences.empty() ? VerifyResult::Outcome::Match : VerifyResult::Outcome::Differs;
  return result;
}

std::string DescribeDifferences(const std::vector<ImageDifference>& differences, std::size_t max_lines) {
  std::string out;
  std::size_t shown = 0;
  for (const ImageDifference& d : differences) {
    if (shown == max_lines) {
      out += "... 另有 " + std::to_string(differences.size() - shown) + " 个字节不同\n";
      break;
    }
    out += Hex(d.address, 3) + " " + d.owner + ": 写入 " + Hex(d.sent, 2) + ", 读回 " +
           Hex(d.read_back, 2) + "\n";
    ++shown;
  }
  return out;
}

}  // namespace kavir
