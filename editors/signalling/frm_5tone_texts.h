#pragma once
// Texts of the 5-tone editor window, in both languages. The buttons and end
// texts it shares with the other signalling windows are in
// signalling_texts.h; the settings' captions and the grid headings are
// their rows' labels (five_tone_settings.h).

#include "image/language.h"

namespace vx::five_tone_texts {

inline constexpr Text kTitle{"5音信令编解码参数编辑", "5 Tone Encode/Decode "};
inline constexpr Text kTabStandard{"标准", "Standard"};
inline constexpr Text kTabEncode{"编解码", "Encode"};
inline constexpr Text kFrameStd{"5 TONE 标准频率", "5 TONE Standard Frequency"};
inline constexpr Text kStdName{"标准名称", "Standard Name"};
inline constexpr Text kFrameEncode{"5 TONE 编码", "5 Tone Encode"};
// Over the call and the displayed frames' boxes.
inline constexpr Text kDecodeCall{"5 TONE 解码呼叫帧", "5 TONE Decode Call"};
inline constexpr Text kDecodeDisp{"5 TONE 解码显示帧", "5 TONE Decode Disp"};

// A frame left with 1 to 4 digits.
inline constexpr Text kFiveDigits{"编码位数为 5 位 ！", "Encode Digit is 5 Bits."};

}  // namespace vx::five_tone_texts
