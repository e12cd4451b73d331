#pragma once
// The prompts, status texts and frames of the programming protocol. The
// texts are translated where they are shown: LinkText(kReadConfirm).
#include <string>

#include "ini/translate.h"
#include "transfer_events.h"

namespace kavir {

inline constexpr const char* kPromptCaption = KAVIR_TR_NOOP("Link", "提示信息!");

inline constexpr const char* kReadConfirm =
    KAVIR_TR_NOOP("Link", "\n\t您一定要进行数据读取吗 \t\t\n\n\t (   Y：是      N：不是   ) ?\n");
inline constexpr const char* kCompareConfirm =
    KAVIR_TR_NOOP("Link",
                  "\n\t与电台比较: 只读出电台的数据, 与屏幕比较 \t\t\n\t屏幕上的数据保持不变, "
                  "电台也不会改变\n\n\t现在读出电台吗 (   Y：是      N：不是   ) ?\n");
inline constexpr const char* kWriteConfirmFormat =
    KAVIR_TR_NOOP("Link", "\n\t您一定要进行机器(%s)数据写入吗? \t\t\n\n\t (   Y：是      N：不是   ) ?\n");

inline constexpr const char* kHandshakeFailed =
    KAVIR_TR_NOOP("Link", "\n\t握手过程发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");
inline constexpr const char* kReadPacketFailedFormat = KAVIR_TR_NOOP(
    "Link", "\n\t接收第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");
inline constexpr const char* kBandFailed =
    KAVIR_TR_NOOP("Link", "\n\t发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");
inline constexpr const char* kWritePacketFailedFormat = KAVIR_TR_NOOP(
    "Link", "\n\t传输第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");

inline constexpr const char* kPortFailedFormat =
    KAVIR_TR_NOOP("Link", "\n\t串口无法打开 (%1) ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");

// Put before a failure's prompt when the port went away during it.
inline constexpr const char* kPortLostFormat =
    KAVIR_TR_NOOP("Link", "\n\t串口在传输中断开了 (编程线被拔出或设备已不存在): %1");
inline constexpr const char* kPortBackFormat = KAVIR_TR_NOOP("Link", "\n\t串口 %1 在传输中断开过, 现在又可以打开了。");

// The question asked when the radio names another model than the screen.
inline constexpr const char* kOtherModelLead = KAVIR_TR_NOOP("Link", "\n\t电台回答的机型是 ");

inline constexpr const char* kHandshakeStatus = KAVIR_TR_NOOP("Link", "正在进行握手， 请稍候.......");
inline constexpr const char* kReceivingFormat = KAVIR_TR_NOOP("Link", "正在接收第 %02d 个数据包， 请稍候.......");
inline constexpr const char* kTransferringFormat = KAVIR_TR_NOOP("Link", "正在传输第 %02d 个数据包， 请稍候.......");
inline constexpr const char* kRefreshStatus = KAVIR_TR_NOOP("Link", "正在进行数据刷新， 请稍候.......");
inline constexpr const char* kDoneStatus = KAVIR_TR_NOOP("Link", "完毕!");
inline constexpr const char* kPortMissingStatus = KAVIR_TR_NOOP("Link", "串口未打开（读出或写入时再试）: ");

// Verify after write.
inline constexpr const char* kVerifyHandshakeStatus =
    KAVIR_TR_NOOP("Link", "正在等待电台重新启动以便校验， 请稍候.......");
inline constexpr const char* kVerifyingFormat = KAVIR_TR_NOOP("Link", "正在校验第 %02d 个数据包， 请稍候.......");
inline constexpr const char* kVerifiedStatus = KAVIR_TR_NOOP("Link", "写入并校验完毕!");
inline constexpr const char* kVerifyReadFailedLead =
    KAVIR_TR_NOOP("Link", "\n\t写入后校验: 读回电台时发生通讯错误/超时连接 (");
inline constexpr const char* kVerifyReadFailedTail = KAVIR_TR_NOOP(
    "Link", ")。\n\t数据已经写入, 但没有校验。需要重新校验吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");
inline constexpr const char* kVerifyFailedLead =
    KAVIR_TR_NOOP("Link", "写入后校验失败: 电台读回的数据与写入的数据不同。");

// Reading the radio before a write, to keep what it held.
inline constexpr const char* kBeforeWriteHandshakeStatus =
    KAVIR_TR_NOOP("Link", "写入前读出电台原有数据: 正在进行握手， 请稍候.......");
inline constexpr const char* kBeforeWriteFormat =
    KAVIR_TR_NOOP("Link", "写入前读出电台原有数据: 第 %02d 个数据包， 请稍候.......");
inline constexpr const char* kBeforeWriteReadFailedLead =
    KAVIR_TR_NOOP("Link", "\n\t写入前读出电台原有数据时发生通讯错误/超时连接 (");
inline constexpr const char* kBeforeWriteReadFailedTail =
    KAVIR_TR_NOOP("Link", ")。\n\t还没有写入。需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n");

// Frames: the text part; SendCommand adds the last byte.
inline constexpr const char* kReadHandshake = "PRead";    // + 0x00
inline constexpr const char* kWriteHandshake = "PWrite";  // + 0x00
inline constexpr const char* kGood = "PGood";             // + 0x01 as a request

inline constexpr short kProgressRange = 49;

inline std::string LinkText(const char* marked) { return TrText("Link", marked); }

// The read's confirmation: a compare says it only reads and compares.
inline std::string ReadConfirmText(ReadPurpose purpose) {
  return LinkText(purpose == ReadPurpose::Compare ? kCompareConfirm : kReadConfirm);
}
// The write's confirmation with the model filled in.
inline std::string WriteConfirmText(const std::string& model) {
  std::string out = LinkText(kWriteConfirmFormat);
  out.replace(out.find("%s"), 2, model);
  return out;
}

}  // namespace kavir
