// The read-back after a write: the read's exchange, but into an image only,
// and with a handshake that waits for a radio that is still restarting.
#include "verify_write.h"

#include <algorithm>
#include <cstdio>

#include "codec/image_owner.h"
#include "handshake.h"
#include "packet_reader.h"
#include "radio_texts.h"
#include "transactions.h"

namespace kavir {

namespace {

std::string Describe(const PacketFailure& failure) {
  using Kind = PacketFailure::Kind;
  if (failure.kind == Kind::Cancelled) return TrText("Link", "已取消");
  const std::string packet = FormatPacketText(KAVIR_TR_NOOP("Link", "第 %02d 个数据包"), failure.packet);
  if (failure.kind == Kind::WrongAddress) return packet + TrText("Link", "的地址不对");
  return packet + (failure.arrived == 0
                       ? TrText("Link", "没有收到")
                       : ArgText(TrText("Link", "不完整 (%1 字节)"), {std::to_string(failure.arrived)}));
}

std::string Hex(int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
  return buf;
}

}  // namespace

VerifyResult ReadBackImage(SerialLink& link, const ReadBackProgress& progress, int handshake_ms, int expected_model) {
  VerifyResult result;
  const Timeouts t = link.LoadTimeouts();
  link.SuppressOpenErrorBox();  // the failure below names the port
  auto fail = [&](const std::string& why) {
    result.outcome = VerifyResult::Outcome::NoReadBack;
    result.failure = why;
    return result;
  };

  // Handshake: again and again until the radio is back, a few seconds at
  // most. Whatever came before a good answer is dropped first.
  link.PollInput();
  link.ClearReceiveBuffer();
  link.ClearTransmitBuffer();
  const std::int64_t deadline = link.clock().NowMs() + handshake_ms;
  // Each try takes some time, or a radio that never answers is asked
  // without pause until the deadline.
  const HandshakeWaits once{std::max(t.handshake, 20), LinkText(progress.handshake_text), progress.range,
                            progress.first, 1};
  for (;;) {
    SendHandshake(link, kReadHandshake, once);
    if (const std::optional<int> model = HandshakeModel(link)) {
      result.radio_model = *model;
      // Another radio on the line would "verify" bytes it never received.
      if (expected_model != 0 && *model != expected_model)
        return fail(ArgText(TrText("Link", "读回时回答的电台是第 %1 号机型, 写入的电台是第 %2 号: 不是写入的那台电台"),
                            {std::to_string(*model), std::to_string(expected_model)}));
      break;
    }
    if (link.cancel_requested()) return fail(TrText("Link", "已取消"));
    if (link.clock().NowMs() >= deadline) {
      if (!link.transport().IsOpen())
        return fail(ArgText(TrText("Link", "串口无法打开: %1"), {link.last_open_error()}));
      if (link.receive_count > 0) return fail(TrText("Link", "电台对读出握手的回答不对"));
      const std::string wait = handshake_ms >= 1000
                                   ? ArgText(TrText("Link", "%1 秒"), {std::to_string(handshake_ms / 1000)})
                                   : ArgText(TrText("Link", "%1 毫秒"), {std::to_string(handshake_ms)});
      return fail(ArgText(TrText("Link", "电台在 %1内没有回答读出握手"), {wait}));
    }
    if (link.receive_count > 0) link.DrainInput(t.handshake > 0 ? t.handshake : 1, 1000);
  }

  const PacketWaits waits{t.receive, progress.range, progress.first, progress.packet_format, progress.packet_format};
  const std::optional<PacketFailure> failure = ReceivePackets(link, waits, result.read_back);
  if (failure) return fail(Describe(*failure));
  result.outcome = VerifyResult::Outcome::Match;
  return result;
}

std::vector<ImageDifference> CompareImages(const Image& sent, const Image& read_back) {
  std::vector<ImageDifference> out;
  for (int a = 0; a < kImageSize; ++a)
    if (sent[a] != read_back[a]) out.push_back({a, sent[a], read_back[a], ImageAddressOwner(a)});
  return out;
}

VerifyResult VerifyWrite(SerialLink& link, const Image& sent, const ReadBackProgress& progress, int handshake_ms,
                         int expected_model) {
  VerifyResult result = ReadBackImage(link, progress, handshake_ms, expected_model);
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
      out += ArgText(TrText("Link", "... 另有 %1 个字节不同\n"), {std::to_string(differences.size() - shown)});
      break;
    }
    out += ArgText(TrText("Link", "%1 %2: 写入 %3, 读回 %4\n"),
                   {Hex(d.address, 3), d.owner, Hex(d.sent, 2), Hex(d.read_back, 2)});
    ++shown;
  }
  return out;
}

}  // namespace kavir
