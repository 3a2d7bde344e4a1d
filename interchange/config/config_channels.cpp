#include "interchange/config/config_sections.h"
#include "interchange/config/config_texts.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/frm_option_texts.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"
#include "editors/options/option_settings.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/frm_2tone_texts.h"
#include "editors/signalling/frm_5tone_texts.h"
#include "editors/signalling/frm_dtmf_texts.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/codecs.h"
#include "image/dtmf.h"
#include "image/tones.h"
#include "image/typed_values.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace vx::config {

using namespace channels;
namespace O = options;

// --------------------------------------------------------------- channels

namespace {

// A frequency as a file gives it: the exact decimal MHz, within the range
// the grid's Enter takes, on the raster (nothing cut off or snapped).
std::optional<QString> channelFrequency(const QString& text, const BandLimits& limits)
{
    const auto hz = read_decimal_millionths(text);
    if (!hz || !in_enter_range(double(*hz) / 1e6, limits) || !on_raster_hz(*hz))
        return std::nullopt;
    return frequency_text(Units10Hz(*hz / 10));
}

Refusal setTone(Image& image, int n, field::Tone16le at, const QString& text)
{
    const auto tone = read_tone(text, Acceptance::Refuse);
    if (!tone)
        return text::notTone.str().arg(text);
    at.put(RecordRef(image, record_row(n)), tone->pair);
    return std::nullopt;
}

}  // namespace

Refusal setChannelField(Image& image, int n, const ChannelColumn& column, const QString& text, const BandLimits& limits)
{
    const auto badFrequency = [&] {
        const BandLimits& l = limits;
        return text::notChannelFrequency.str()
            .arg(text)
            .arg(l.aLow)
            .arg(l.aHigh)
            .arg(l.bLow)
            .arg(l.bHigh);
    };
    switch (column.hook) {
    case ColumnHook::Frequency:
        if (column.id == ColRx) {
            const auto f = channelFrequency(text, limits);
            if (!f)
                return badFrequency();
            if (is_empty(image, n)) {
                delete_channel(image, n);
                new_channel(image, n);
                set_rx(image, n, *f);
            } else {
                set_rx_only(image, n, *f);
            }
        } else {
            if (text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
                remove_tx(image, n);
                return std::nullopt;
            }
            const auto f = channelFrequency(text, limits);
            if (!f)
                return badFrequency();
            set_tx(image, n, *f);
        }
        return std::nullopt;
    case ColumnHook::Tone:
        return setTone(image, n, column.id == ColDecode ? ChannelOffsets::decodeTone : ChannelOffsets::encodeTone, text);
    case ColumnHook::Name:
        if (!storable_name(text))
            return text::notChannelName.str().arg(text);
        set_name(image, n, text);
        return std::nullopt;
    case ColumnHook::Power:
    case ColumnHook::Choice:
    case ColumnHook::Number:
    case ColumnHook::Band: break;
    }
    const QStringList entries = choices(column.id);
    const auto it = std::ranges::find_if(entries, [&](const QString& e) { return e.compare(text, Qt::CaseInsensitive) == 0; });
    if (it == entries.end())
        return text::notOneOf.str().arg(text, entries.join(QStringLiteral(", ")));
    set_choice(image, n, column.id, int(it - entries.begin()));
    return std::nullopt;
}

const std::vector<ChannelColumn>& channelFields()
{
    static const std::vector<ChannelColumn> fields = [] {
        std::vector<ChannelColumn> out;
        for (const ChannelColumn& c : kChannelColumns)
            if (c.key)
                out.push_back(c);
        return out;
    }();
    return fields;
}

// A column's text as the configuration writes it.
QString shown(const ChannelTexts& texts, int column)
{
    const QString& t = texts[size_t(column)];
    return column == ColTx && t.isEmpty() ? QStringLiteral("off") : t;
}

// ------------------------------------------------------------- FM presets

QString presetValue(const fm::PresetTexts& texts, PresetField field)
{
    return field == PresetField::Frequency ? texts.frequency : texts.name;
}

Refusal setPreset(Image& image, int p, PresetField field, const QString& text)
{
    const fm::PresetTexts now = fm::decode_preset(image, p);
    if (field == PresetField::Frequency) {
        if (!fm::in_band(text) || fm::frequency_entry(text) != text)
            return text::notPresetFrequency.str().arg(text);
        fm::encode_preset(image, p, text, now.name);
        return std::nullopt;
    }
    if (fm::name_too_long(text) || fm::name_entry(text) != text)
        return text::notPresetName.str().arg(text);
    if (now.frequency.isEmpty())
        return text::presetNameFirst.str();
    fm::encode_preset(image, p, now.frequency, text);
    return std::nullopt;
}


}  // namespace vx::config
