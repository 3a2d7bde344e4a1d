#pragma once
// Captions and messages of the port setup dialog.

#include "image/language.h"

namespace vx::form_setup_text {

inline constexpr Text caption{"通讯端口设置", "Communication Port Setup"};
inline constexpr Text frame{"端口设置", "Port Setup"};
inline constexpr Text ok{"确 定", "Confirm"};
inline constexpr Text cancel{"取 消", "Cancel"};

// The main window's port message, shown here only when there is no main
// window whose identification would show it.
inline constexpr Text promptTitle{"操作提示", "Operate Prompt"};
inline constexpr Text portError{"通讯端口打开错误，请正确设置通讯端口 ！", "Communication Port Open Error ！"};

}  // namespace vx::form_setup_text
