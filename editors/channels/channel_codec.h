#pragma once
// Channel records (image rows 0..199) and channel names (rows 256..455).

#include "image/image.h"

namespace vx::channels {

// The factory channel set: records 0-199 emptied, channels 0-6 and 199 laid
// down; names are not touched.
void load_factory_channels(Image& image);

}  // namespace vx::channels
