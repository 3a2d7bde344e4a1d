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

// The grid's row commands (editors/frame/row_commands.h) as the presets
// name them ("%1": the presets concerned, "3-5").
inline constexpr Text kInsert{"插入空频道", "Insert empty preset"};
inline constexpr Text kRemove{"删除频道（后面的上移）", "Delete presets (move the rest up)"};
inline constexpr Text kClear{"清除频道", "Clear presets"};
inline constexpr Text kSortFrequency{"按频率排序", "Sort by frequency"};
inline constexpr Text kSortName{"按名称排序", "Sort by name"};
inline constexpr Text kInsertEdit{"在 FM 频道 %1 插入空频道", "Insert an empty preset at %1"};
inline constexpr Text kRemoveEdit{"删除 FM 频道 %1", "Delete presets %1"};
inline constexpr Text kClearEdit{"清除 FM 频道 %1", "Clear presets %1"};
inline constexpr Text kMoveEdit{"移动 FM 频道 %1", "Move presets %1"};
inline constexpr Text kSortEdit{"排序 FM 频道 %1", "Sort presets %1"};
inline constexpr Text kFull{"最后一个频道（16）不是空的：无法插入。", "The last preset (16) is not empty: nothing can be inserted."};
inline constexpr Text kPastEnd{"频道不能移出 1 至 16 的范围。", "Presets cannot move past 1 or 16."};
inline constexpr Text kNotRun{"此操作需要选择连续的频道。", "This needs consecutive presets selected."};

}  // namespace vx::fm_texts
