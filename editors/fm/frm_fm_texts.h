#pragma once
// Texts of the FM presets window, in both languages. The transfer texts it
// shares with other windows are in link/transfer_texts.h.

#include "image/language.h"

namespace vx::fm_texts {

inline constexpr Text kTitle{"FM 收音机频道编辑", "FM Radio Information"};
inline constexpr Text kDefault{"默认", "Default"};

// The range message and the refusals; the name message and the end reports
// spell the title with a capital P.
inline constexpr Text kPromptTitle{"操作提示", "Operate prompt"};
inline constexpr Text kPromptTitleCapital{"操作提示", "Operate Prompt"};

// Cell checks.
inline constexpr Text kRange{"接收频率超出范围 ！", "Over the range of receive frequency ."};
inline constexpr Text kNameLength{"信道名称的字符个数最大为 6 位 ！", "The letter of channel name max 6 bit . "};

// Transfers.
inline constexpr Text kReadDone{"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
inline constexpr Text kReadOk{" FM 收音机参数读出正常 ！", "Read FM Radio parameters in gear. "};
inline constexpr Text kWriteDone{"向对讲机写入参数完毕 ！", "Complete writing Signal parameters to the transceiver."};
inline constexpr Text kWriteOk{"收音机参数写入完毕 ！", "Complete writing Signal parameters "};

// Grid headings: "|" separates columns, a leading "^" centres one.
inline constexpr Text kHeadings{"^FM 频 道 号|^  接  收  频  率 (MHZ)  |^     电    台    名    称    ",
                                "^FM  Channel|^ Receive Frequency (MHZ)|^ FM Station Name  "};

}  // namespace vx::fm_texts
