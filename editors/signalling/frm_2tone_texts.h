#pragma once
// Texts of the 2-tone editor window, in both languages. The buttons and end
// texts it shares with the other signalling windows are in
// signalling_texts.h; the settings' captions and the grid headings are
// their rows' labels (two_tone_settings.h).

#include "image/language.h"

namespace vx::two_tone_texts {

inline constexpr Text kTitle{"2 TONE 编解码参数编辑", "2 TONE"};
inline constexpr Text kTabEncode{"编码", "Encode"};
inline constexpr Text kTabDecode{"解码", "Decode"};
inline constexpr Text kFrameEncode{"2 TONE 编码", "2 TONE Encode"};
inline constexpr Text kFrameDecode{"2 TONE 解码", "2 TONE Decode"};
// Frame_Dec_xx: the entry number, with a space before it, then this.
inline constexpr Text kDecodeFrequencies{" 解码信息两音频率", " Decode 2 Tone Frequency"};

// A frequency outside 300..3000 Hz.
inline constexpr Text kRange{"频率范围在 300.0 HZ - 3000.0 HZ 之间  ！", "Frequency range 300Hz to 3000Hz"};

}  // namespace vx::two_tone_texts
