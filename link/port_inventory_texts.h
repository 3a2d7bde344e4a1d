#pragma once
// Words of the port inventory, as the command line's port list and the port
// setup window show them.

#include "image/language.h"

namespace vx::port_inventory_text {

// The columns of a COM number's line.
inline constexpr Text linked{"链接", "link "};
inline constexpr Text fromTable{"端口表", "table"};
inline constexpr Text present{"存在", "present"};
inline constexpr Text absent{"不存在", "absent"};
// The marks of a present device.
inline constexpr Text likelyCable{"编程线?", "cable?"};
inline constexpr Text inUse{"使用中", "in-use"};
// Its name.
inline constexpr Text serialNumber{"序列号 %1", "serial %1"};

}  // namespace vx::port_inventory_text
