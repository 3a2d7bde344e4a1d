#pragma once
// The buttons the editors share, named and captioned in one place. The
// Chinese captions come in two spacings: the wide one of the
// optional-features, signalling and adjustment windows, the narrow one of
// the channel and FM windows.

#include "link/window_descriptor.h"

#include <vector>

namespace vx::frame {

enum class Spacing { Wide, Narrow };

// Read, Write, Clear, Save, Open and Close in either spacing; Default
// (Command_def, "默 认") in the wide one only, the narrow windows name and
// caption theirs themselves.
ButtonSpec button(Command command, Spacing spacing);

// Read, Write, Default, Save, Open and Close, wide: the optional-features
// and signalling windows' row.
std::vector<ButtonSpec> sixButtons();

}  // namespace vx::frame
