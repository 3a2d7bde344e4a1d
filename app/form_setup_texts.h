#pragma once
// Captions and messages of the port setup dialog.

#include "image/language.h"

namespace vx::form_setup_text {

inline constexpr Text caption{"通讯端口设置", "Communication Port Setup"};
inline constexpr Text frame{"端口设置", "Port Setup"};
inline constexpr Text ok{"确 定", "Confirm"};
inline constexpr Text cancel{"取 消", "Cancel"};

}  // namespace vx::form_setup_text
