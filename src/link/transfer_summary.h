#pragma once
// The message that ends a read or a write: what happened, in words a
// technician can act on.
#include <string>

#include "serial_link.h"
#include "setup/setup.h"
#include "transactions.h"

namespace kavir {

// "" when nothing happened (No at the confirmation). shown: the set-up on
// show after the read; model_name: the model the screen names.
std::string ReadSummary(TransferResult result, const TransferReport& report, const Setup& shown,
                        const std::string& model_name);
std::string WriteSummary(TransferResult result, const TransferReport& report);

// A message box's text on one line: every run of line breaks, tabs and
// spaces is one space, none at either end.
std::string OneLine(const std::string& text);

// What a failure prompt says went wrong, on one line and without its
// question: "传输第 26 个数据包时发生通讯错误/超时连接". Other texts on one line.
std::string FailureCause(const std::string& prompt);
// A failure whose cause is its prompt's.
TransferFailure MakeFailure(TransferFailure::Kind kind, std::string prompt, int packet = 0);
// The same, led by the port when it went away during the stage: a pulled
// cable is named at the first failure, not only after a retry.
TransferFailure LinkFailure(SerialLink& link, TransferFailure::Kind kind, const std::string& prompt, int packet = 0);
// A failed write in one line (command line, batch log): the cause, then
// what the radio took and may hold and where the image is kept, as the
// desktop program's message says it.
std::string WriteFailureLine(const std::string& cause, TransferResult result, const TransferReport& report);

// True when a write ended part-way: the radio took some packets, not all.
bool RadioMayHoldMixedSettings(TransferResult result, const TransferReport& report);

}  // namespace kavir
