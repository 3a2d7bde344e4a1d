#include "editors/channels/channel_codec.h"

namespace vx::channels {

void load_factory_channels(Image& image)
{
    image.fillRows(0, 199);
}

}  // namespace vx::channels
