#include "finding.h"

#include "ini/translate.h"
#include "setup/setup.h"

namespace kavir {

std::string SeverityName(Severity severity) {
  return severity == Severity::Error ? TrText("Plan", "错误") : TrText("Plan", "警告");
}

std::string RuleName(Rule rule) {
  switch (rule) {
    case Rule::WriteCheck:
      return TrText("Plan", "写入检查");
    case Rule::Licence:
      return TrText("Plan", "许可证");
    case Rule::Pmr446:
      return "PMR446";
    case Rule::TxOff:
      return TrText("Plan", "发射关闭");
    case Rule::SameChannels:
      return TrText("Plan", "相同信道");
    case Rule::SameReceive:
      return TrText("Plan", "同收异发");
    case Rule::OneWayTone:
      return TrText("Plan", "单向亚音");
  }
  return {};
}

std::string FindingLine(const Finding& finding, const OptionTexts* shown) {
  std::string line = SeverityName(finding.severity) + " [" + RuleName(finding.rule) + "]";
  if (finding.channel) line += " " + ChannelLabel(finding.channel);
  if (!finding.field.empty()) line += " " + finding.field;
  if (finding.value) line += " \"" + (shown ? shown->Shown(*finding.value) : *finding.value) + "\"";
  return line + ": " + finding.detail;
}

FindingCount CountFindings(const std::vector<Finding>& findings) {
  FindingCount count;
  for (const Finding& f : findings) ++(f.severity == Severity::Error ? count.errors : count.warnings);
  return count;
}

std::string SummaryLine(const FindingCount& count) {
  if (count.errors == 0 && count.warnings == 0) return TrText("Plan", "没有发现问题");
  return ArgText(TrText("Plan", "错误: %1, 警告: %2"), {std::to_string(count.errors), std::to_string(count.warnings)});
}

}  // namespace kavir
