#include "interchange/config/config_sections.h"

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

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <QRegularExpression>

namespace vx::config {

using namespace channels;
namespace O = options;

QString reference()
{
    QString out;
    out += QStringLiteral("**channels**: a list of maps, each with `number` (0-199) and either `empty: true` or any of:\n\n");
    out += QStringLiteral("| key | values |\n|---|---|\n");
    for (const ChannelColumn& f : channelFields()) {
        QString v;
        switch (f.id) {
        case ColRx: v = QStringLiteral("MHz within the band limits, on the 2.5 or 6.25 kHz raster (`145.60000`)"); break;
        case ColTx: v = QStringLiteral("MHz as `receive`, or `off` (no transmit frequency)"); break;
        case ColDecode:
        case ColEncode: v = QStringLiteral("`OFF`, a CTCSS tone of 60.0 to 259.9 Hz (`88.5`), a DCS code `D023N` ... `D754I`"); break;
        case ColName: v = QStringLiteral("up to six letters and digits"); break;
        default: v = listed(choices(f.id)); break;
        }
        out += QStringLiteral("| `%1` | %2 |\n").arg(QLatin1String(f.key), v);
    }
    out += QStringLiteral("\n**fm presets**: a list of maps, each with `preset` (1-16) and either `empty: true` or "
                          "`frequency` (87.00000 to 108.00000 MHz) and `name` (up to six characters).\n\n");
    const QString intro[] = {
        QStringLiteral("a map of the labels the optional-features window shows"),
        QStringLiteral("a map of the labels the VFO A panel shows"),
        QStringLiteral("the same for the VFO B panel"),
        QStringLiteral("a map of the labels the DTMF window shows"),
        QStringLiteral("a map of the 2-tone window's settings, the grid cells by entry and column heading"),
        QStringLiteral("a map of the 5-tone window's settings, the grid cells by standard or entry and column heading (the "
                       "constant frequency tables are not settings)"),
    };
    // Keys that differ only in an entry number are one row: "code_N" with
    // the numbers it takes. A number stands between spaces or underscores.
    static const QRegularExpression number(QStringLiteral("(?<![^ _])(\\d+)(?![^ _])"));
    const auto patternOf = [](const QString& key, const QString& n) {
        if (n.isEmpty())
            return key;
        const QRegularExpression at(QStringLiteral("(?<![^ _])%1(?![^ _])").arg(n));
        const QRegularExpressionMatch m = at.match(key);
        return m.hasMatch() ? QString(key).replace(m.capturedStart(), m.capturedLength(), QStringLiteral("N")) : key;
    };
    for (size_t i = 0; i < mapSections().size(); ++i) {
        const MapSection& section = mapSections()[i];
        out += QStringLiteral("\n**%1**: %2:\n\n| key | values |\n|---|---|\n").arg(section.name, intro[i]);
        struct Row {
            QString key, pattern, values, oldKey, oldPattern;
            QList<int> numbers;
        };
        std::vector<Row> rows;
        for (const Key& k : section.keys) {
            const QRegularExpressionMatch m = number.match(k.key);
            const QString n = m.hasMatch() ? m.captured(1) : QString();
            const QString pattern = patternOf(k.key, n);
            const QString oldPattern = patternOf(k.oldKey, n);
            auto it = std::ranges::find_if(rows, [&](const Row& r) {
                return m.hasMatch() && r.pattern == pattern && r.values == k.values && r.oldPattern == oldPattern;
            });
            if (it == rows.end()) {
                rows.push_back({k.key, pattern, k.values, k.oldKey, oldPattern, {}});
                it = rows.end() - 1;
            }
            if (m.hasMatch())
                it->numbers << n.toInt();
        }
        for (const Row& r : rows) {
            if (r.numbers.size() > 1 && !r.oldKey.isEmpty())
                out += QStringLiteral("| `%1` (N = %2-%3, earlier `%4`) | %5 |\n")
                           .arg(r.pattern).arg(r.numbers.first()).arg(r.numbers.last()).arg(r.oldPattern, r.values);
            else if (r.numbers.size() > 1)
                out += QStringLiteral("| `%1` (N = %2-%3) | %4 |\n").arg(r.pattern).arg(r.numbers.first()).arg(r.numbers.last()).arg(r.values);
            else if (!r.oldKey.isEmpty())
                out += QStringLiteral("| `%1` (earlier `%2`) | %3 |\n").arg(r.key, r.oldKey, r.values);
            else
                out += QStringLiteral("| `%1` | %2 |\n").arg(r.key, r.values);
        }
    }
    return out;
}


}  // namespace vx::config
