#pragma once
// The choice lists of the optional features, in both languages (see
// image/choices.h for their form).

#include "image/choices.h"

#include <QStringList>

namespace vx::options {

using vx::Choices;
using vx::fixed_list;
using vx::number_list;

namespace lists {

inline constexpr Choices onOff = fixed_list({{"关闭", "OFF"}, {"开启", "ON"}});
inline constexpr Choices squelch = number_list(10, 0);
inline constexpr Choices timeOut = number_list(40, 15, 15);
inline constexpr Choices apo = number_list(10, 30, 30, {{"关闭", "OFF"}});
inline constexpr Choices backLightTime = number_list(50, 1, 1, {{"关", "OFF"}});
inline constexpr Choices dtmfSideTone = fixed_list({{"关闭", "OFF All "},
                                                   {"按键侧音", "KB DTMF Side Tone"},
                                                   {"发身份码侧音", "Send ANI DTMF Side Tone"},
                                                   {"按键侧音+发身份码侧音", "KB DTMFST + Send ANI DTMFST"}});
inline constexpr Choices channel = [] {
    Choices c = number_list(200, 0);
    c.prefix = "CH-";
    c.digits = 3;
    return c;
}();
inline constexpr Choices scanResume = fixed_list({{"时间", "TO"}, {"载波", "CO"}, {"搜索", "SE"}});
inline constexpr Choices pttId = fixed_list({{"关", "OFF"}, {"按下发码", "BOT"}, {"松开发码", "EOT"}, {"两者均发", "BOTH"}});
inline constexpr Choices pttDelay = number_list(31, 0);
inline constexpr Choices alarmType = fixed_list({{"现场", "Alarm"}, {"远程", "Transpond"}, {"现场+远程", "Both"}});
inline constexpr Choices ringTime = number_list(10, 1, 1, {{"关", "OFF"}});
inline constexpr Choices channelDisplay =
    fixed_list({{"频率+信道号", "Channel+Frequency"}, {"信道号", "Channel"}, {"信道名称+信道号", "Channel+Name"}});
inline constexpr Choices powerOnDisplay = fixed_list({{"满屏", "Full"}, {"显示字符", "MSG"}, {"电池电压", "BATT"}});
inline constexpr Choices backLightColour = fixed_list({{"关", "OFF"}, {"蓝色", "Blue"}, {"橙色", "Orange"}, {"紫色", "Purple"}});
inline constexpr Choices aniLength = number_list(3, 3);
inline constexpr Choices relaySignal =
    fixed_list({{"1000Hz", "1000Hz"}, {"1450Hz", "1450Hz"}, {"1750Hz", "1750Hz"}, {"2100Hz", "2100Hz"}});
inline constexpr Choices relayCondition =
    fixed_list({{"关", "OFF"}, {"CARRI", "CARRI"}, {"CTDCS", "CTDCS"}, {"TONE", "TONE"}, {"DTMF", "DTMF"}});
inline constexpr Choices dualWatchReturn = number_list(50, 1, 1, {{"关", "OFF"}});
inline constexpr Choices repeaterTail = number_list(10, 1, 1, {{"关闭", "OFF"}});

// The VFO panels.
inline constexpr Choices band = fixed_list({{"VHF", "VHF"}, {"UHF", "UHF"}});
inline constexpr Choices power = fixed_list({{"高功率", "HIGH"}, {"低功率", "LOW"}});
inline constexpr Choices bandwidth = fixed_list({{"宽带", "WIDE"}, {"窄带", "NARROW"}});
inline constexpr Choices shiftDirection = fixed_list({{"关", "OFF"}, {"加频", "+"}, {"减频", "-"}});
inline constexpr Choices step = fixed_list({{"2.50 KHZ", "2.50 KHZ"},
                                           {"5.00 KHZ", "5.00 KHZ"},
                                           {"6.25 KHZ", "6.25 KHZ"},
                                           {"10.00 KHZ", "10.00 KHZ"},
                                           {"12.50 KHZ", "12.50 KHZ"},
                                           {"25.00 KHZ", "25.00 KHZ"}});
inline constexpr Choices optionalSignal = fixed_list({{"关", "OFF"}, {"DTMF", "DTMF"}, {"2TONE", "2TONE"}, {"5TONE", "5TONE"}});
inline constexpr Choices signalCode = number_list(15, 1);
inline constexpr Choices speakerMute =
    fixed_list({{"哑音", "QT/DQT"}, {"哑音与可选信令", "QT/DQT AND OPTSIG"}, {"哑音或可选信令", "QT/DQT OR OPTSIG"}});
inline constexpr Choices scrambler = fixed_list({{"关闭", "OFF"}, {"开启", "ON"}});
// The first entry of the VFO tone lists; the others are the tone list's.
inline constexpr Text toneOff{"关", "OFF"};

}  // namespace lists

// The 2000 offset labels, "00.000MHZ" .. "99.950MHZ", and the VFO tone
// lists (first entry "关" or "OFF", then tone list entries 1..260), built
// once; the language's first tone entry is picked when asked for.
const QStringList& offset_labels();
QStringList vfo_tone_entries(bool inChinese);
// The channel list "CH-000" .. "CH-199" of both languages, built once.
const QStringList& channel_entries();

// Builds the lists above ahead of their first use (start-up).
void build_option_constants();

}  // namespace vx::options
