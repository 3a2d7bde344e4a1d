#pragma once
// Texts of copy, cut and paste in the channel grid, in both languages.

#include "image/language.h"

namespace vx::channel_clipboard_text {

inline constexpr Text kCopy{"复制", "Copy"};
inline constexpr Text kCut{"剪切", "Cut"};
inline constexpr Text kPaste{"粘贴", "Paste"};
inline constexpr Text kPasteEdit{"粘贴信道 %1-%2", "Paste channels %1-%2"};
inline constexpr Text kNotAList{"剪贴板上不是可以粘贴的信道列表，信道未改动：", "The clipboard holds no channel list that can be pasted; no channel was changed:"};
inline constexpr Text kAdapted{"已粘贴 %1 个信道，有以下调整：", "Pasted %1 channels, with these changes:"};
inline constexpr Text kTitle{"操作提示", "Operate prompt"};

}  // namespace vx::channel_clipboard_text
