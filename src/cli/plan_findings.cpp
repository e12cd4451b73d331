#include "plan_findings.h"

#include <iostream>

#include "ini/ini_document.h"
#include "ini/translate.h"
#include "lang/language_core.h"
#include "plan/licence_choice.h"
#include "plan/plan_check.h"

namespace kavir::cli {

std::optional<PlanFindings> CheckPlanOf(const CliArgs& args, const std::string& profile, const Setup& setup,
                                        const ProgramData& data, std::string* error) {
  PlanFindings plan;
  if (const auto given = args.Option("licence"))
    plan.licence_path = *given;
  else
    plan.licence_path = RememberedLicence(data.config.ini(), profile);
  std::optional<Licence> licence;
  if (!plan.licence_path.empty()) {
    licence = LoadLicenceFile(plan.licence_path, error);
    if (!licence) return std::nullopt;
  }
  plan.findings = CheckPlan(setup, data.channel_lists, licence ? &*licence : nullptr);
  return plan;
}

void PrintFindings(const PlanFindings& plan) {
  if (!plan.licence_path.empty()) std::cout << ArgText(TrText("Cli", "许可证: %1"), {plan.licence_path}) << "\n";
  for (const Finding& f : plan.findings) std::cout << FindingLine(f, &lang::ShownOptions()) << "\n";
  std::cout << SummaryLine(CountFindings(plan.findings)) << "\n";
}

}  // namespace kavir::cli
