#include "transfer_summary.h"

#include <cstddef>

#include "ini/translate.h"

namespace kavir {

namespace {

constexpr int kPackets = 48;
constexpr int kImageBytes = 768;

std::string FileName(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == '\n' || c == '\t' || c == '\r' || c == ' ';
    if (!blank)
      out += c;
    else if (!out.empty() && out.back() != ' ')
      out += ' ';
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string FailureCause(const std::string& prompt) {
  std::string text = prompt;
  // The prompt may be shown in either language.
  for (const char* question : {KAVIR_TR_NOOP("Link", "需要重试吗"), KAVIR_TR_NOOP("Link", "需要重新校验吗"),
                               KAVIR_TR_NOOP("Link", "仍然要写入吗")})
    for (const std::string& asked : {std::string(question), TrText("Link", question)})
      if (const std::size_t at = text.find(asked); at != std::string::npos) text.erase(at);
  text = OneLine(text);
  while (!text.empty() && (text.back() == '!' || text.back() == ' ')) text.pop_back();
  return text;
}

TransferFailure MakeFailure(TransferFailure::Kind kind, std::string prompt, int packet) {
  TransferFailure failure;
  failure.kind = kind;
  failure.packet = packet;
  failure.cause = FailureCause(prompt);
  failure.prompt = std::move(prompt);
  return failure;
}

TransferFailure LinkFailure(SerialLink& link, TransferFailure::Kind kind, const std::string& prompt, int packet) {
  return MakeFailure(kind, link.TakePortLoss() + prompt, packet);
}

std::string WriteFailureLine(const std::string& cause, TransferResult result, const TransferReport& report) {
  const std::string summary = OneLine(WriteSummary(result, report));
  // A cancel is said by the summary itself.
  std::string why = report.cancelled ? std::string() : FailureCause(cause);
  if (why.empty()) return summary;
  if (summary.empty()) return why;
  // "... packet 10.; Write not completed" reads as a typo.
  for (const std::string stop : {".", "。"})
    if (why.size() >= stop.size() && why.compare(why.size() - stop.size(), stop.size(), stop) == 0)
      why.erase(why.size() - stop.size());
  return why + "; " + summary;
}

std::string ReadSummary(TransferResult result, const TransferReport& report, const Setup& shown,
                        const std::string& model_name) {
  if (result == TransferResult::Cancelled) return {};
  if (result == TransferResult::Failed)
    return report.cancelled      ? TrText("Link", "读出已取消：屏幕上的数据没有改变。")
           : report.not_an_image ? TrText("Link", "读出的不是电台数据：屏幕上的数据没有改变。")
                                 : TrText("Link", "读出没有完成：屏幕上的数据没有改变。");
  int open = 0;
  for (const Channel& c : shown.channels) open += c.enabled ? 1 : 0;
  std::string text = ArgText(TrText("Link", "读出完毕：已读出 16 个信道（其中 %1 个打开），机型 %2。"),
                             {std::to_string(open), model_name.empty() ? TrText("Link", "(未知)") : model_name});
  if (!report.backup_path.empty())
    text += ArgText(TrText("Link", "\n电台数据已备份为 backups/%1。"), {FileName(report.backup_path)});
  return text;
}

bool RadioMayHoldMixedSettings(TransferResult result, const TransferReport& report) {
  return result == TransferResult::Failed && report.packets_written > 0 && report.packets_written < kPackets;
}

namespace {

std::string WriteOutcomeText(TransferResult result, const TransferReport& report) {
  // A refusal before sending has said all there is: one box per event.
  if (result == TransferResult::Cancelled || report.refused) return {};
  const std::string bytes = std::to_string(kImageBytes), packets = std::to_string(kPackets);
  if (result == TransferResult::Done)
    return ArgText(report.verify == TransferReport::Verify::Match
                       ? TrText("Link", "写入完毕：已写入 %1 字节（%2 个数据包），电台逐包确认，读回校验一致。")
                       : TrText("Link", "写入完毕：已写入 %1 字节（%2 个数据包），电台逐包确认。"),
                   {bytes, packets});
  // Every packet went in; what is wrong is what the radio holds.
  if (report.verify == TransferReport::Verify::Differs)
    return ArgText(
        TrText("Link",
               "写入后校验失败：电台中有 %1 个字节与写入的不同（见上一条消息）。\n写入的和读回的数据都保存在 "
               "backups/ 文件夹中。请重新写入；仍然不同时电台可能有故障。"),
        {std::to_string(report.differing_bytes)});
  if (report.verify == TransferReport::Verify::NoReadBack)
    return ArgText(
        report.cancelled
            ? TrText("Link", "数据已写入（%1 个数据包），但读回校验已取消：请再读一次电台确认其中的设置。")
            : TrText("Link", "数据已写入（%1 个数据包），但读回校验没有完成：请再读一次电台确认其中的设置。"),
        {packets});
  std::string text = report.cancelled ? TrText("Link", "写入已取消") : TrText("Link", "写入没有完成");
  if (!RadioMayHoldMixedSettings(result, report))
    return text + TrText("Link", "：电台没有收下任何数据包，其中的设置没有改变。");
  text += ArgText(TrText("Link", "：电台只收下了 %1 / %2 个数据包。\n电台中可能是新旧设置的混合，请重新写入后再使用。"),
                  {std::to_string(report.packets_written), packets});
  if (!report.backup_path.empty())
    text +=
        ArgText(TrText("Link", "\n要写入的数据已备份在 backups/ 文件夹中（%1），每次从电台读出的数据也都保存在那里。"),
                {FileName(report.backup_path)});
  return text;
}

}  // namespace

std::string WriteSummary(TransferResult result, const TransferReport& report) {
  std::string text = WriteOutcomeText(result, report);
  if (!text.empty() && !report.before_write_backup.empty())
    text += ArgText(TrText("Link", "\n写入前电台原有的数据已保存为 backups/%1，可以随时写回。"),
                    {FileName(report.before_write_backup)});
  if (!text.empty() && !report.radio_identity.empty() && report.packets_written > 0)
    text += ArgText(TrText("Link", "\n电台自己的%1与配置的不同, 已原样保留。"), {report.radio_identity});
  return text;
}

}  // namespace kavir
