#pragma once
// Texts the three signalling editors share, in both languages. The transfer
// texts every window shares are in link/transfer_texts.h, the button
// captions in editors/frame/editor_buttons.h.

#include "image/language.h"

namespace vx::signalling_texts {

// The message after a read.
inline constexpr Text kReadDone{"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};

// The 2-tone and 5-tone windows' end texts.
inline constexpr Text kReadOk{"信令参数读出正常 ！", "Read Signal parameters in gear. "};
inline constexpr Text kWriteDone{"向对讲机写入信令参数完毕 ！", "Complete writing Signal parameters to the transceiver."};
inline constexpr Text kWriteOk{"信令参数写入完毕 ！", "Complete writing Signal parameters "};

// Title of the 2-tone range message and the 5-tone digit-count message: in
// English the word pair is followed by a double-quote character.
inline constexpr Text kQuotedTitle{"操作提示", "Operate Prompt\""};

}  // namespace vx::signalling_texts
