#pragma once
// Texts of the about box.

#include "image/language.h"

namespace vx::about_texts {

inline constexpr Text kCaption{"关于", "About"};
inline constexpr Text kProduct{"UV 双段车载电台编程软件", "Dual-Band Mobile Transceiver Programming Software"};
// Followed by the program version.
inline constexpr Text kVersionWord{"版本 ", "Version "};
inline constexpr Text kRights{"版权所有，保留一切权利。", "Copyright. All rights reserved."};
inline constexpr Text kDesigner{"本软件由产品开发组设计。", "Software designed by the product team."};
inline constexpr Text kWarning{
    "警告：本软件受著作权法和国际条约保护。未经授权擅自复制或传播本软件的全部或部分，"
    "将依法承担民事和刑事责任。",
    "Warning: this program is protected by copyright law and international treaties. "
    "Unauthorised copying or distribution of this program, or any part of it, may result "
    "in civil and criminal penalties."};
inline constexpr Text kConfirm{"确定", "Confirm"};
inline constexpr Text kSystemInfo{"系统信息(&S)...", "System Information(&S)..."};
// Shown in both languages, without title or icon.
inline constexpr const char* kNoSystemInfo = "此时系统信息不可用";

// The box sits this far above the centre of the main window's client area.
inline constexpr int kRaiseTwips = 500;

}  // namespace vx::about_texts
