#pragma once
// Texts of the main window's identification.

#include "image/language.h"

namespace vx::identification_texts {

inline constexpr Text kStatLabel{"状态:", "Stat:"};                        // panel 3
inline constexpr Text kFault{"联机故障 ！", "Communication fault."};       // panel 4

}  // namespace vx::identification_texts
