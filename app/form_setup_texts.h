#pragma once
// Captions and messages of the port setup dialog.

#include "image/language.h"

namespace vx::form_setup_text {

inline constexpr Text caption{"通讯端口设置", "Communication Port Setup"};
inline constexpr Text frame{"端口设置", "Port Setup"};
inline constexpr Text ok{"确 定", "Confirm"};
inline constexpr Text cancel{"取 消", "Cancel"};

// The list of the serial devices found.
inline constexpr Text devices{"找到的串口设备：", "Serial devices found:"};
inline constexpr Text noDevices{"没有找到串口设备", "No serial device found"};
inline constexpr Text noComNumber{"无 COM 号", "no COM number"};
inline constexpr Text likelyCable{"  （可能是编程线）", "  (likely programming cable)"};
inline constexpr Text inUse{"  （使用中）", "  (in use)"};
inline constexpr Text usbIds{"USB 编号 %1", "USB ids %1"};
inline constexpr Text unreachedTip{"没有 COM 号可以打开此设备；在 %1 中建立 comN 链接即可使用",
                                   "No COM number opens this device; a comN link in %1 makes one"};

}  // namespace vx::form_setup_text
