#pragma once
// Keeping restore points from the window program: after every whole read
// and write and before every change-only write. A store that cannot be
// written is said once a document and never stops a transfer.

#include "image/radio_document.h"
#include "interchange/restore_points.h"

#include <optional>

namespace vx {

// Keeps `image` as the newest point of the document's radio. With
// `rowsChanged` < 0 the rows of `rows` that differ from the radio's point
// before are counted (unknown when it has none).
std::optional<restore::Point> keep_restore_point(RadioDocument& doc, const Image& image, restore::Kind kind,
                                                 region::Rows rows, int rowsChanged = -1);

}  // namespace vx
