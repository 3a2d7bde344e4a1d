#include "interchange/config/config_sections.h"
#include "interchange/config/config_texts.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/frm_option_texts.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"
#include "editors/options/option_settings.h"
#include "editors/options/vfo_settings.h"
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

// ------------------------------------------------------- keyed sections

QString trimmedEn(const Text& t) { return QString::fromUtf8(t.en).trimmed(); }

// A value of `entries`, found without regard to case or surrounding spaces.
std::optional<int> entryOf(const QStringList& entries, const QString& text)
{
    const auto it = std::ranges::find_if(entries, [&](const QString& e) { return e.trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0; });
    return it == entries.end() ? std::nullopt : std::optional<int>(int(it - entries.begin()));
}

// The values of a list for messages and the reference: all of a short one,
// the ends of a long one.
QString listed(const QStringList& entries) { return listedValues(entries); }

Refusal notOneOf(const QString& text, const QStringList& entries) { return text::notOneOf.str().arg(text, listed(entries)); }

// A list stored as its position through `put`, read through `get`.
Key listKey(const QString& key, std::function<QStringList()> entries, std::function<int(const Image&)> get,
            std::function<void(Image&, int)> put)
{
    return {key, [entries, get](const Image& image) { return entries().value(get(image)).trimmed(); },
            [entries, put](Image& image, const QString& text, const BandLimits&) -> Refusal {
                const auto p = entryOf(entries(), text);
                if (!p)
                    return notOneOf(text, entries());
                put(image, *p);
                return std::nullopt;
            },
            listed(entries())};
}

QString asLabel(QString caption)
{
    if (!caption.isEmpty() && QStringLiteral("^<>").contains(caption[0]))
        caption.remove(0, 1);
    caption = caption.simplified();
    while (caption.endsWith(QLatin1Char(':')) || caption.endsWith(QChar(0xFF1A)))
        caption.chop(1);
    return caption.trimmed();
}

QString label_of(const vx::Setting& s, bool inChinese)
{
    const QString own = asLabel(s.label.in(inChinese));
    return s.group ? asLabel(s.group->in(inChinese)) + QLatin1Char(' ') + own : own;
}

// A setting of a row (image/setting.h), in the record laid over `rows`.
Key settingKey(const vx::Setting& s, region::Rows rows)
{
    return {QLatin1String(s.key),
            [&s, rows](const Image& image) { return s.value(RecordView(image, rows)); },
            [&s, rows](Image& image, const QString& text, const BandLimits&) -> Refusal {
                if (s.setValue(RecordRef(image, rows), text))
                    return std::nullopt;
                switch (s.kind) {
                case SettingKind::List: return notOneOf(text, s.list->entries(false));
                case SettingKind::OnOff: return text::notOnOff.str().arg(text);
                case SettingKind::Text: break;
                }
                return text::notValue.str().arg(text, s.values(chinese()).remove(QLatin1Char('`')));
            },
            s.values(false), s.oldKey ? QLatin1String(s.oldKey) : QString(),
            [&s](bool inChinese) { return label_of(s, inChinese); }};
}

std::vector<Key> optionKeys()
{
    std::vector<Key> out;
    for (const vx::Setting& s : O::kSettings)
        out.push_back(settingKey(s, O::kBlockRows));
    return out;
}

// The panel's rows that are settings of the record; the band and the range
// follow from the frequency.
std::vector<Key> vfoKeys(O::Vfo v)
{
    const region::Rows rows = O::vfo_rows(v);
    const auto named = [](Key k, const vx::Setting& s) {
        k.oldKey = s.oldKey ? QLatin1String(s.oldKey) : QString();
        k.label = [&s](bool inChinese) { return label_of(s, inChinese); };
        return k;
    };
    const auto tone = [v](const O::VfoSetting& row) {
        const field::Tone16le f = O::vfo_tone_field(row);
        Key k = listKey(QLatin1String(row.row.key), [] { return O::vfo_tone_entries(false); }, [](const Image&) { return 0; },
                        [v, f](Image& image, int p) { f.put(O::vfo_ref(image, v), O::encode_vfo_tone(p)); });
        k.get = [v, f](const Image& image) {
            const TonePair p = f.pair(O::vfo_view(image, v));
            const O::VfoTone t = O::decode_vfo_tone(p.low, p.high);
            return t.position >= 0 ? O::vfo_tone_entries(false).value(t.position) : t.text;
        };
        return k;
    };
    const auto frequency = [v](const O::VfoSetting& row) -> Key {
        return {QLatin1String(row.row.key), [v](const Image& image) { return O::vfo_frequency(image, v); },
                [v](Image& image, const QString& text, const BandLimits& band) -> Refusal {
                    const auto millionths = read_decimal_millionths(text);
                    const double mhz = millionths ? double(*millionths) / 1e6 : 0;
                    const O::VfoLimits limits = O::vfo_limits(mhz < 300, band);
                    const O::VfoEntry entry = O::vfo_frequency_entry(text, limits);
                    if (!millionths || entry.outOfRange || mhz < limits.lower || mhz > limits.upper)
                        return text::notVfoFrequency.str().arg(text);
                    O::encode_vfo_frequency(image, v, entry.text);
                    return std::nullopt;
                },
                QStringLiteral("MHz within band A's or band B's limits, stored on the panel's 250 Hz grid")};
    };
    const auto offset = [v](const O::VfoSetting& row) {
        return listKey(QLatin1String(row.row.key), [] { return O::offset_labels(); },
                       [v](const Image& image) { return O::vfo_offset(image, v); },
                       [v](Image& image, int p) { O::encode_offset(image, v, O::offset_label(p)); });
    };
    std::vector<Key> out;
    for (const O::VfoSetting& row : O::kVfoSettings) {
        switch (row.hook) {
        case O::VfoHook::None: out.push_back(settingKey(row.row, rows)); break;
        case O::VfoHook::Frequency: out.push_back(named(frequency(row), row.row)); break;
        case O::VfoHook::Tone: out.push_back(named(tone(row), row.row)); break;
        case O::VfoHook::Offset: out.push_back(named(offset(row), row.row)); break;
        case O::VfoHook::Band:
        case O::VfoHook::Range: break;
        }
    }
    return out;
}

// The sections that are maps of labels, in document order.
const std::vector<MapSection>& mapSections()
{
    static const std::vector<MapSection> sections{
        {QStringLiteral("options"), optionKeys()},
        {QStringLiteral("vfo a"), vfoKeys(O::Vfo::A)},
        {QStringLiteral("vfo b"), vfoKeys(O::Vfo::B)},
        {QStringLiteral("dtmf"), dtmfKeys()},
        {QStringLiteral("2-tone"), twoToneKeys()},
        {QStringLiteral("5-tone"), fiveToneKeys()},
    };
    return sections;
}

}  // namespace vx::config
