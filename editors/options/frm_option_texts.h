#pragma once
// Texts of the optional-features editor and its VFO panels, in both
// languages. The list entries are in option_lists.h; the transfer texts it
// shares with other windows in link/transfer_texts.h.

#include "image/language.h"

namespace vx::option_texts {

inline constexpr Text kTitle{"可选参数编辑", "Optional Features"};

// The lists', check boxes' and text fields' captions are their rows' labels
// (option_settings.h).

// The ANI check.
inline constexpr Text kAniTitle{"操作提示", "Operate Prompt"};
inline constexpr Text kAniLength{"身份码长度为 3 - 5 位 ！", "ANI ID code length is 3 to 5 digit."};
inline constexpr Text kAniRange{" 身份码的有效数字为 00000 - 99999 ", " Available ANI ID code from 00000 to 99999. "};

// Transfers.
inline constexpr Text kReadOk{"可选参数读出正常 ！", "Read optional parameters in gear. "};
inline constexpr Text kReadDone{"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
inline constexpr Text kWriteOk{"可选参数写入完毕 ！", "Complete writing optional parameters "};
inline constexpr Text kWriteDone{"向对讲机写入可选参数完毕 ！", "Complete writing optional parameters to the transceiver."};

// ---------------------------------------------------------------- VFO panels

inline constexpr Text kPanelA{"Ａ段频率模式", "A Band Frequency Mode"};
inline constexpr Text kPanelB{"Ｂ段频率模式", "B Band Frequency Mode"};

// The panels' captions are their rows' labels (vfo_settings.h).

// Frequency messages.
inline constexpr Text kFrequencyTitle{"操作提示", "Operate prompt"};
inline constexpr Text kFrequencyTooLong{"频率超出范围 ！", "Over the range of  frequency ."};
// Shown as it is in both languages.
inline constexpr Text kWorkingTitle{"操作提示", "操作提示"};
inline constexpr Text kWorkingRange{"当前工作频率超出范围 ！", "当前工作频率超出范围 ！"};

}  // namespace vx::option_texts
