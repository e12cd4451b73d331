#pragma once
// The plan check as kavir-cli check and write run it: the licence given
// with --licence, else the one chosen for the profile; the findings printed
// one a line.
#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "plan/finding.h"
#include "setup/option_lists.h"
#include "setup/program_data.h"
#include "setup/setup.h"

namespace kavir::cli {

struct PlanFindings {
  std::vector<Finding> findings;
  std::string licence_path;  // the licence checked against, "" for none
};

// nullopt with *error when a licence was named (or chosen for profile) but
// cannot be read: a check without it would pass what it forbids.
std::optional<PlanFindings> CheckPlanOf(const CliArgs& args, const std::string& profile, const Setup& setup,
                                        const ProgramData& data, std::string* error);

// The licence line, each finding on a line and the count, on stdout.
void PrintFindings(const PlanFindings& plan);

}  // namespace kavir::cli
