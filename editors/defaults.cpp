#include "editors/defaults.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"

#include <algorithm>

namespace vx {

namespace {

// The option defaults keep the working copy's bytes where they have none:
// zero, as after a fresh start.
void layDefaults(Image& image, options::OptionBlock& copy)
{
    image.fill(Image::kFill);
    fm::load_factory_presets(image);
    copy = options::OptionBlock();
    options::lay_down_defaults(image, copy);
    dtmf::load_defaults(image);
    two_tone::load_defaults(image);
    five_tone::load_defaults(image);
    channels::load_factory_channels(image);
}

}  // namespace

void lay_startup_defaults(Image& image)
{
    options::OptionBlock copy;
    layDefaults(image, copy);
}

void lay_startup_defaults(RadioDocument& doc)
{
    Image image;
    layDefaults(image, doc.part<options::OptionBlock>());
    doc.start(image);
}

region::Rows prepare_whole_write(Image& image)
{
    five_tone::lay_tables(image);
    return five_tone::kTableRows;
}

void prepare_whole_write(RadioDocument& doc, const QObject* source)
{
    doc.edit(edits::writeTables(), five_tone::kTableRows, [](Image& image) { prepare_whole_write(image); }, source);
}

std::vector<int> rows_not_held(const Image& file, const Image& radio)
{
    Image laid = file;
    const region::Rows tables = prepare_whole_write(laid);
    std::vector<int> out;
    for (int r = region::wholeWrite.first; r <= region::wholeWrite.last; ++r) {
        const bool held = std::ranges::equal(radio.row(r), file.row(r))
                          || (r >= tables.first && r <= tables.last && std::ranges::equal(radio.row(r), laid.row(r)));
        if (!held)
            out.push_back(r);
    }
    return out;
}

std::vector<int> rows_to_write(const Image& file, const Image& radio)
{
    Image laid = file;
    prepare_whole_write(laid);
    std::vector<int> out;
    for (int r = region::wholeWrite.first; r <= region::wholeWrite.last; ++r)
        if (!std::ranges::equal(radio.row(r), laid.row(r)))
            out.push_back(r);
    return out;
}

}  // namespace vx
