#pragma once
// The prompts, status texts and frames of the programming protocol.
namespace kavir {

inline constexpr const char* kPromptCaption = "提示信息!";

inline constexpr const char* kReadConfirm =
    "\n\t您一定要进行数据读取吗 \t\t\n\n\t (   Y：是      N：不是   ) ?\n";
inline constexpr const char* kWriteConfirmFormat =
    "\n\t您一定要进行机器(%s)数据写入吗? \t\t\n\n\t (   Y：是      N：不是   ) ?\n";

inline constexpr const char* kHandshakeFailed =
    "\n\t握手过程发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";
inline constexpr const char* kReadPacketFailedFormat =
    "\n\t接收第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";
inline constexpr const char* kBandFailed =
    "\n\t发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";
inline constexpr const char* kWritePacketFailedFormat =
    "\n\t传输第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";

inline constexpr const char* kPortFailedLead = "\n\t串口无法打开 (";
inline constexpr const char* kPortFailedTail =
    ") ! 需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";

// The question asked when the radio names another model than the screen.
inline constexpr const char* kOtherModelLead = "\n\t电台回答的机型是 ";

inline constexpr const char* kHandshakeStatus = "正在进行握手， 请稍候.......";
inline constexpr const char* kReceivingFormat = "正在接收第 %02d 个数据包， 请稍候.......";
inline constexpr const char* kTransferringFormat = "正在传输第 %02d 个数据包， 请稍候.......";
inline constexpr const char* kRefreshStatus = "正在进行数据刷新， 请稍候.......";
inline constexpr const char* kDoneStatus = "完毕!";
inline constexpr const char* kPortMissingStatus = "串口未打开（读出或写入时再试）: ";

// Verify after write.
inline constexpr const char* kVerifyHandshakeStatus = "正在等待电台重新启动以便校验， 请稍候.......";
inline constexpr const char* kVerifyingFormat = "正在校验第 %02d 个数据包， 请稍候.......";
inline constexpr const char* kVerifiedStatus = "写入并校验完毕!";
inline constexpr const char* kVerifyReadFailedLead = "\n\t写入后校验: 读回电台时发生通讯错误/超时连接 (";
inline constexpr const char* kVerifyReadFailedTail =
    ")。\n\t数据已经写入, 但没有校验。需要重新校验吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";
inline constexpr const char* kVerifyFailedLead = "写入后校验失败: 电台读回的数据与写入的数据不同。";

// Reading the radio before a write, to keep what it held.
inline constexpr const char* kBeforeWriteHandshakeStatus = "写入前读出电台原有数据: 正在进行握手， 请稍候.......";
inline constexpr const char* kBeforeWriteFormat = "写入前读出电台原有数据: 第 %02d 个数据包， 请稍候.......";
inline constexpr const char* kBeforeWriteReadFailedLead = "\n\t写入前读出电台原有数据时发生通讯错误/超时连接 (";
inline constexpr const char* kBeforeWriteReadFailedTail =
    ")。\n\t还没有写入。需要重试吗 \t\t\n\n\t (   Y：重试      N：返回   ) ?\n";

// Frames: the text part; SendCommand adds the last byte.
inline constexpr const char* kReadHandshake = "PRead";    // + 0x00
inline constexpr const char* kWriteHandshake = "PWrite";  // + 0x00
inline constexpr const char* kGood = "PGood";             // + 0x01 as a request

inline constexpr short kProgressRange = 49;

}  // namespace kavir
