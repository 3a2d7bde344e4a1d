#pragma once
// Texts of the 2-tone editor window, in both languages. The buttons and end
// texts it shares with the other signalling windows are in
// signalling_texts.h.

#include "image/language.h"

namespace vx::two_tone_texts {

inline constexpr Text kTitle{"2 TONE 编解码参数编辑", "2 TONE"};
inline constexpr Text kTabEncode{"编码", "Encode"};
inline constexpr Text kTabDecode{"解码", "Decode"};
inline constexpr Text kFrameEncode{"2 TONE 编码", "2 TONE Encode"};
inline constexpr Text kFirstTone{"发送第 1 个频率时间长度（MS）", "1st Tone Duration(MS)"};
inline constexpr Text kSecondTone{"发送第 2 个频率时间长度（MS）", "2nd Tone Duration(MS)"};
inline constexpr Text kGap{"前后两个频率的间隔时长 （MS）", "Gap of Tone (MS)"};
inline constexpr Text kFrameDecode{"2 TONE 解码", "2 TONE Decode"};
inline constexpr Text kToneA{"A 音（HZ）", "A Tone( HZ )"};
inline constexpr Text kToneB{"B 音（HZ）", "B Tone( HZ )"};
inline constexpr Text kToneC{"C 音（HZ）", "C Tone( HZ )"};
inline constexpr Text kToneD{"D 音（HZ）", "D Tone( HZ )"};
inline constexpr Text kReset{"复位时间（MS）", "Reset_Time (MS)"};
// Frame_Dec_xx: the entry number, with a space before it, then this.
inline constexpr Text kDecodeFrequencies{" 解码信息两音频率", " Decode 2 Tone Frequency"};

// Grid headings: "|" separates columns, "^" centres one.
inline constexpr Text kEncodeHeadings{"^ 信息码 |^ 第 1 个频率(HZ) |^ 第 2 个频率(HZ) ",
                                      "^ Code|^ 1st Frequency(HZ)|^ 2nd Frequency(HZ)"};
inline constexpr Text kDecodeHeadings{
    "^ 信息码|^解码1|^   响 应 方 式  |^提示|^解码2|^   响 应 方 式  |^提示|^解码3|^   响 应 方 式  |^提示|^解码4|^   响 应 方 式  |^提示",
    "^ Code|^Dec_1|^    Response   |^Alert|^Dec_2|^   Response   |^Alert|^Dec_3|^   Response   |^Alert|^Dec_4|^   Response   |^Alert"};

// A frequency outside 300..3000 Hz.
inline constexpr Text kRange{"频率范围在 300.0 HZ - 3000.0 HZ 之间  ！", "Frequency range 300Hz to 3000Hz"};

}  // namespace vx::two_tone_texts
