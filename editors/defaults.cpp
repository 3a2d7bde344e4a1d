#include "editors/defaults.h"

#include "editors/channels/channel_codec.h"
#include "link/whole_radio.h"

namespace vx {

void lay_startup_defaults(Image& image)
{
    image.fill(Image::kFill);
    channels::load_factory_channels(image);
}

void installWholeWriteLayers() { setBeforeWholeWrite(nullptr); }

}  // namespace vx
