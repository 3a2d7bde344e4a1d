#pragma once
// Texts of the 5-tone editor window, in both languages. The buttons and end
// texts it shares with the other signalling windows are in
// signalling_texts.h.

#include "image/language.h"

namespace vx::five_tone_texts {

inline constexpr Text kTitle{"5音信令编解码参数编辑", "5 Tone Encode/Decode "};
inline constexpr Text kTabStandard{"标准", "Standard"};
inline constexpr Text kTabEncode{"编解码", "Encode"};
inline constexpr Text kFrameStd{"5 TONE 标准频率", "5 TONE Standard Frequency"};
inline constexpr Text kStdName{"标准名称", "Standard Name"};
inline constexpr Text kFrameEncode{"5 TONE 编码", "5 Tone Encode"};
inline constexpr Text kDelay1{"发送第1组码前的延迟时间（MS）", "Delay 1 (MS) "};
inline constexpr Text kDelay2{"发送第2组码前的延迟时间（MS）", "Delay 2 (MS) "};
inline constexpr Text kDelay3{"发送第3组码前的延迟时间（MS）", "Delay 3 (MS) "};
inline constexpr Text kFirstDigitExtend{"各组码第1个音的拓展时长（MS）", "First Digit Extend Length (MS)"};
inline constexpr Text kDecodeStd{"5 TONE 解码使用标准", "5 TONE Decode Standard "};
inline constexpr Text kDecodeCall{"5 TONE 解码呼叫帧", "5 TONE Decode Call"};
inline constexpr Text kDecodeDisp{"5 TONE 解码显示帧", "5 TONE Decode Disp"};
inline constexpr Text kFrame1{"第 1 帧", "1 frame"};
inline constexpr Text kFrame2{"第 2 帧", "2 frame"};
inline constexpr Text kFrame3{"第 3 帧", "3 frame"};
inline constexpr Text kResetTime{"解码复位时间（MS）", "Decode Reset Time(ms)"};

// Grid headings: "|" separates columns, "^" centres one.
inline constexpr Text kStandardHeadings{"^ 5 TONE 标准|^发送时长(ms)|^ 群 呼 码 |^重 复 码 ",
                                        "^Standard|^Period(ms)|^ Group Tone|^ Repeat Tone "};
inline constexpr Text kEncodeHeadings{"^ 信息码 |^第 1 帧编码|^第 2 帧编码|^第 3 帧编码|^使用标准",
                                      "^ Code |^ Frame 1 |^ Frame 2 |^ Frame 3 |^ Standard "};

// A frame left with 1 to 4 digits.
inline constexpr Text kFiveDigits{"编码位数为 5 位 ！", "Encode Digit is 5 Bits."};

}  // namespace vx::five_tone_texts
