#include "image/image_changes.h"

namespace vx {

void ImageChanges::announce(region::Rows rows, const QObject* source) { emit changed(rows.first, rows.last, source); }

ImageChanges& imageChanges()
{
    static ImageChanges changes;
    return changes;
}

}  // namespace vx
