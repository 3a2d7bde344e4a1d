#pragma once
// Texts of the channel editor window, in both languages. The transfer texts
// it shares with other windows are in link/transfer_texts.h.

#include "image/language.h"

namespace vx::chann_texts {

// Window title.
inline constexpr Text kTitle{"信道参数编辑", "Channel Information"};
inline constexpr Text kDefault{"出厂值", "Default"};
// Title of every message but the name-length one.
inline constexpr Text kPromptTitle{"操作提示", "Operate prompt"};
inline constexpr Text kNamePromptTitle{"操作提示", "Operate Prompt"};
// Cell checks.
inline constexpr Text kRxRange{"接收频率超出范围 ！", "Over the range of receive frequency ."};
inline constexpr Text kTxRange{"发射频率超出范围 ！", "Over the range of transmit frequency ."};
inline constexpr Text kRxFirst{"请先输入接收频率 ！", "Please input the receive frequency in advance."};
inline constexpr Text kNameLength{"信道名称的字符个数最大为 6 位 ！", "The letter of channel name max 6 bit . "};
// Transfers.
inline constexpr Text kReadOk{"信道数据读出正常 ！", "Read Channel Data is Ok ！"};
inline constexpr Text kWritingBefore{"正在写入  ", "Writeing  "};
inline constexpr Text kWritingAfter{"  信道", "  Channel"};
inline constexpr Text kWriteOk{"信道数据写入完毕 ！", "Channel Data Written ！"};
// The grid's headings are its columns' rows (channel_columns.h).

// The grid's row commands (editors/frame/row_commands.h) as the channels
// name them.
inline constexpr Text kInsert{"插入空信道", "Insert empty channel"};
inline constexpr Text kRemove{"删除信道（后面的上移）", "Delete channels (move the rest up)"};
inline constexpr Text kClear{"清除信道", "Clear channels"};
inline constexpr Text kSortRx{"按接收频率排序", "Sort by RX frequency"};
inline constexpr Text kSortName{"按名称排序", "Sort by name"};
inline constexpr Text kFind{"查找…", "Find…"};
inline constexpr Text kFindNext{"查找下一个", "Find next"};
inline constexpr Text kFindHint{"名称、频率或亚音", "Name, frequency or tone"};
inline constexpr Text kNotFound{"没有找到“%1”。", "\"%1\" was not found."};
// Their edits, by the channels they concern ("%1": "3-5" or "7").
inline constexpr Text kInsertEdit{"在信道 %1 插入空信道", "Insert an empty channel at %1"};
inline constexpr Text kRemoveEdit{"删除信道 %1", "Delete channels %1"};
inline constexpr Text kClearEdit{"清除信道 %1", "Clear channels %1"};
inline constexpr Text kMoveEdit{"移动信道 %1", "Move channels %1"};
inline constexpr Text kSortEdit{"排序信道 %1", "Sort channels %1"};
inline constexpr Text kSetEdit{"信道 %1 %2", "Channels %1 %2"};
// Refusals.
inline constexpr Text kFull{"最后一个信道（199）不是空的：无法插入。", "The last channel (199) is not empty: nothing can be inserted."};
inline constexpr Text kPastEnd{"信道不能移出 0 至 199 的范围。", "Channels cannot move past 0 or 199."};
inline constexpr Text kNotRun{"此操作需要选择连续的信道。", "This needs consecutive channels selected."};
inline constexpr Text kNotSet{"以下信道没有设置（空信道或没有发射频率）：%1", "Not set on these channels (empty, or no transmit frequency): %1"};

}  // namespace vx::chann_texts
