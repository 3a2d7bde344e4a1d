#include "interchange/config/config_sections.h"

#include "editors/signalling/dtmf_settings.h"
#include "editors/signalling/entry_column.h"
#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/two_tone_settings.h"
#include "interchange/config/config_texts.h"

namespace vx::config {

namespace {

using signalling::EntryColumn;

// Why entry setting `s` does not take `text`, in the language in force.
QString refusal(const vx::Setting& s, const QString& text)
{
    if (s.kind == SettingKind::List && s.list)
        return text::signallingNotOneOf.str().arg(text, listedValues(s.list->entries(false)));
    return text::signallingNotValue.str().arg(text, s.values(chinese()).remove(QLatin1Char('`')));
}

// Entry i of a column: the column's setting moved down to the entry.
Key entryKey(const EntryColumn& c, int i, region::Rows rows)
{
    const vx::Setting s = signalling::entry_setting(c, i);
    return {signalling::entry_key(c, i),
            [s, rows](const Image& image) { return s.value(RecordView(image, rows)); },
            [s, rows](Image& image, const QString& text, const BandLimits&) -> Refusal {
                if (s.setValue(RecordRef(image, rows), text))
                    return std::nullopt;
                return refusal(s, text);
            },
            s.values(false), signalling::entry_old_key(c, i),
            [&c, i](bool inChinese) { return asLabel(signalling::entry_label(c, i, inChinese)); }};
}

template <size_t N>
void addRows(std::vector<Key>& out, const vx::Setting (&rows)[N], region::Rows region)
{
    for (const vx::Setting& s : rows)
        out.push_back(settingKey(s, region));
}

// A grid's cells entry by entry, each entry's in column order.
template <size_t N>
void addColumns(std::vector<Key>& out, const EntryColumn (&columns)[N], region::Rows region)
{
    for (int i = 0; i < columns[0].entries; ++i)
        for (const EntryColumn& c : columns)
            out.push_back(entryKey(c, i, region));
}

}  // namespace

std::vector<Key> dtmfKeys()
{
    std::vector<Key> out;
    addRows(out, dtmf::kSettings, dtmf::kRegion);
    return out;
}

std::vector<Key> twoToneKeys()
{
    std::vector<Key> out;
    addColumns(out, two_tone::kTransmitColumns, two_tone::kRegion);
    addColumns(out, two_tone::kReceiveColumns, two_tone::kRegion);
    addRows(out, two_tone::kSettings, two_tone::kRegion);
    return out;
}

std::vector<Key> fiveToneKeys()
{
    std::vector<Key> out;
    addColumns(out, five_tone::kStandardColumns, five_tone::kRegion);
    addColumns(out, five_tone::kEncodeColumns, five_tone::kRegion);
    addRows(out, five_tone::kSettings, five_tone::kRegion);
    return out;
}

}  // namespace vx::config
