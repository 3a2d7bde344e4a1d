#pragma once
// Texts of the DTMF editor window, in both languages. The settings'
// captions are their rows' labels (dtmf_settings.h).

#include "image/language.h"

namespace vx::dtmf_texts {

inline constexpr Text kTitle{"DTMF 编解码参数编辑", "DTMF Encode/Decode "};
inline constexpr Text kFrameEncode{"DTMF 编码", "DTMF Encode"};
inline constexpr Text kEncodeNumber{"编码码组", "Number"};
inline constexpr Text kEncodeCode{"发送编码", " Code "};
inline constexpr Text kFrameState{"本机状态", "State"};
inline constexpr Text kFrameDecode{"DTMF 解码", "DTMF Decode"};
inline constexpr Text kFrameCtrl{"控制ID码及控制权限", "Control ID code and control right"};
// Column headings over the rights boxes; English takes two staggered lines.
inline constexpr Text kRightsHeading1{"巡查      监听     遥晕     遥毙      开机 ", "              Monitor                Kill"};
inline constexpr Text kRightsHeading2{"", "      Inspection             Stun                 Revive "};

// Transfers.
inline constexpr Text kReadOk{"DTMF 信令参数读出正常 ！", "Read DTMF Signal parameters in gear. "};
inline constexpr Text kWriteDone{"向对讲机写入 DTMF 信令参数完毕 ！", "Complete writing DTMF Signal parameters to the transceiver."};
inline constexpr Text kWriteOk{"DTMF 信令参数写入完毕 ！", "Complete writing DTMF Signal parameters "};

}  // namespace vx::dtmf_texts
