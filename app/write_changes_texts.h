#pragma once
// Texts of the change-only write window, in both languages.

#include "image/language.h"

namespace vx::write_changes_text {

inline constexpr Text caption{"向对讲机写入改动", "Write changes to radio"};

}  // namespace vx::write_changes_text
