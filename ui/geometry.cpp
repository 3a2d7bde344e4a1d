#include "ui/geometry.h"

namespace vx {

QSize childSize(QSize mainPixels, QSize screenPixels, int designW, int designH)
{
    const int w = childTwips(pixelsToTwips(mainPixels.width()), pixelsToTwips(screenPixels.width()), designW);
    const int h = childTwips(pixelsToTwips(mainPixels.height()), pixelsToTwips(screenPixels.height()), designH);
    return {twipsToPixels(w), twipsToPixels(h)};
}

QPoint centredIn(QSize client, QSize size)
{
    return {(client.width() - size.width()) / 2, (client.height() - size.height()) / 2};
}

}  // namespace vx
