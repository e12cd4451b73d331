#include "io_status.h"

#include <string_view>
#include <utility>

#include "translate.h"

namespace kavir {

std::string UserMessage(const IoStatus& status) {
  static const std::pair<std::string_view, const char*> kReasons[] = {
      {"is read-only; nothing was written (make it writable or save under another name)",
       KAVIR_TR_NOOP("Screen", "是只读文件，没有写入（请去掉只读属性，或另存为其他文件名）")},
      {"holds no option lists (no [Type] list)", KAVIR_TR_NOOP("Screen", "其中没有选项列表（缺少 [Type] 列表）")},
      {"is missing", KAVIR_TR_NOOP("Screen", "文件不存在")},
      {"no such file", KAVIR_TR_NOOP("Screen", "文件不存在")},
      {"is a folder, not a file", KAVIR_TR_NOOP("Screen", "是文件夹，不是文件")},
      {"is a device, not a file", KAVIR_TR_NOOP("Screen", "是设备，不是文件")},
      {"the file is read-only", KAVIR_TR_NOOP("Screen", "文件是只读的")},
      {"no file name given", KAVIR_TR_NOOP("Screen", "没有给出文件名")},
      {"a file of that name exists", KAVIR_TR_NOOP("Screen", "已有同名文件")},
      {"no room to write: the disk is full or a file-size limit was reached (",
       KAVIR_TR_NOOP("Screen", "没有空间写入：磁盘已满或已到文件大小的上限（")},
      {"the folder ", KAVIR_TR_NOOP("Screen", "文件夹 ")},
      {" cannot be written (", KAVIR_TR_NOOP("Screen", " 不能写入（")},
      {"read error", KAVIR_TR_NOOP("Screen", "读取错误")},
      {"; nothing was written", KAVIR_TR_NOOP("Screen", "；没有写入")},
      {"; the file may be open in another program: ", KAVIR_TR_NOOP("Screen", "；文件可能正被其他程序打开: ")},
      {"is too large for this program (more than ", KAVIR_TR_NOOP("Screen", "太大，本程序无法处理（超过 ")},
      {"is too large for this program (", KAVIR_TR_NOOP("Screen", "太大，本程序无法处理（")},
  };
  std::string text = status.Message();
  for (const auto& [english, marked] : kReasons) {
    const std::string shown = TrText("Screen", marked);
    for (std::size_t at = text.find(english); at != std::string::npos; at = text.find(english, at + shown.size()))
      text.replace(at, english.size(), shown);
  }
  return text;
}

}  // namespace kavir
