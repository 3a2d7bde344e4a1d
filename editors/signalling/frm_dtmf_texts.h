#pragma once
// Texts of the DTMF editor window, in both languages.

#include "image/language.h"

namespace vx::dtmf_texts {

inline constexpr Text kTitle{"DTMF 编解码参数编辑", "DTMF Encode/Decode "};
inline constexpr Text kFrameEncode{"DTMF 编码", "DTMF Encode"};
inline constexpr Text kEncodeNumber{"编码码组", "Number"};
inline constexpr Text kEncodeCode{"发送编码", " Code "};
inline constexpr Text kOnTime{"发码持续时间（MS）", "DTMF Speed (On Time)"};
inline constexpr Text kOffTime{"发码间断时间（MS）", "DTMF Speed (Off Time)"};
inline constexpr Text kGroupCode{"群呼码", "Group Code"};
inline constexpr Text kFrameState{"本机状态", "State"};
inline constexpr Text kRxDisable{"接收禁止", "RX Disable"};
inline constexpr Text kTxDisable{"发射禁止", "TX Disable"};
inline constexpr Text kFrameDecode{"DTMF 解码", "DTMF Decode"};
inline constexpr Text kInspection{"巡 查 码", "Inspection"};
inline constexpr Text kMonitor{"监 听 码", "Monitor"};
inline constexpr Text kAlarm{"报 警 码", "Alarm"};
inline constexpr Text kStun{"遥 晕 码", "Stun"};
inline constexpr Text kKill{"遥 毙 码", "Kill"};
inline constexpr Text kRevive{"开 机 码", "Revive"};
inline constexpr Text kFrameCtrl{"控制ID码及控制权限", "Control ID code and control right"};
// Column headings over the rights boxes; English takes two staggered lines.
inline constexpr Text kRightsHeading1{"巡查      监听     遥晕     遥毙      开机 ", "              Monitor                Kill"};
inline constexpr Text kRightsHeading2{"", "      Inspection             Stun                 Revive "};
inline constexpr Text kControlEnable{"接受主副ID控制", "Function Control by master and vice ID code"};
inline constexpr Text kMasterId{"主控ID码", "Master Control ID"};
inline constexpr Text kViceId{"副控ID码", "Vice Control ID"};
inline constexpr Text kSpaceCode{"码组间隔码", "Space Code"};
inline constexpr Text kResetTime{"复位时间(ms)", "Reset Time(ms)"};
inline constexpr Text kProcDelay{"收码结束延迟处理时间(ms)", "Delay processing time (ms)"};

// Transfers.
inline constexpr Text kReadOk{"DTMF 信令参数读出正常 ！", "Read DTMF Signal parameters in gear. "};
inline constexpr Text kWriteDone{"向对讲机写入 DTMF 信令参数完毕 ！", "Complete writing DTMF Signal parameters to the transceiver."};
inline constexpr Text kWriteOk{"DTMF 信令参数写入完毕 ！", "Complete writing DTMF Signal parameters "};

}  // namespace vx::dtmf_texts
