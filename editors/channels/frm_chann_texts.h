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

}  // namespace vx::chann_texts
