#include "editors/defaults.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"
#include "link/whole_radio.h"

namespace vx {

// The same order as the start-up steps.
void lay_startup_defaults(Image& image)
{
    image.fill(Image::kFill);
    fm::load_factory_presets(image);
    options::OptionBlock fresh;  // zero, as after a fresh start
    options::lay_down_defaults(image, fresh);
    dtmf::load_defaults(image);
    two_tone::load_defaults(image);
    five_tone::load_defaults(image);
    channels::load_factory_channels(image);
}

// A whole-radio write always carries the constant 5-tone tables.
void installWholeWriteLayers() { setBeforeWholeWrite(five_tone::lay_tables); }

}  // namespace vx
