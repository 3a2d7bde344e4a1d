#pragma once
// Texts of the row commands every grid of items shares, in both languages;
// what names the items (channels, presets) comes with each grid.

#include "image/language.h"

namespace vx::row_commands_text {

inline constexpr Text undo{"撤销", "Undo"};
inline constexpr Text redo{"重做", "Redo"};
inline constexpr Text moveUp{"上移", "Move up"};
inline constexpr Text moveDown{"下移", "Move down"};
inline constexpr Text selectAll{"全选", "Select all"};

}  // namespace vx::row_commands_text
