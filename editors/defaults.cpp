#include "editors/defaults.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"

namespace vx {

void lay_startup_defaults(Image& image)
{
    image.fill(Image::kFill);
    fm::load_factory_presets(image);
    // The option defaults keep the working copy's bytes where they have
    // none: zero, as after a fresh start.
    options::working_copy() = options::OptionBlock();
    options::lay_down_defaults(image, options::working_copy());
    dtmf::load_defaults(image);
    two_tone::load_defaults(image);
    five_tone::load_defaults(image);
    channels::load_factory_channels(image);
}

region::Rows prepare_whole_write(Image& image)
{
    five_tone::lay_tables(image);
    return five_tone::kTableRows;
}

}  // namespace vx
