// What differs between two images, by setting and then by raw row, as the
// command line prints it (by key) and as the windows list it (by name).
#include "interchange/config/config.h"

#include "interchange/config/config_sections.h"
#include "interchange/config/config_texts.h"

#include <algorithm>
#include <map>

namespace vx::config {

namespace {

using Values = std::vector<std::pair<QString, QString>>;
using Item = std::pair<QString, int>;

// The settings of an image by item, (section, item) with its keys and
// values, in document order.
std::vector<std::pair<Item, Values>> byItem(const std::vector<Setting>& all)
{
    std::vector<std::pair<Item, Values>> items;
    for (const Setting& s : all) {
        if (items.empty() || items.back().first != Item{s.section, s.item})
            items.push_back({{s.section, s.item}, {}});
        items.back().second.push_back({s.key, s.value});
    }
    return items;
}

bool isEmptyItem(const Values& v) { return v.size() == 1 && v[0].first == u"empty"; }

QString hexRow(const Image& image, int row)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(image.row(row).data()), Image::kRowBytes).toHex(' ').toUpper());
}

bool isItemSection(const QString& section) { return section == kChannelSection || section == kPresetSection; }

}  // namespace

Difference compare_images(const Image& a, const Image& b, const BandLimits& limits)
{
    Difference d;
    const auto sa = byItem(settings_of(a)), sb = byItem(settings_of(b));
    // Both sides list the same items in the same order.
    for (size_t i = 0; i < std::min(sa.size(), sb.size()); ++i) {
        const auto& [item, va] = sa[i];
        const Values& vb = sb[i].second;
        if (item.second >= 0 && (isEmptyItem(va) || isEmptyItem(vb))) {
            if (isEmptyItem(va) != isEmptyItem(vb)) {
                Change c{item.first, item.second, {}, {}, {}, isEmptyItem(va) ? vb : va};
                QStringList parts;
                for (const auto& [key, value] : c.filled)
                    parts << key + QLatin1Char(' ') + value;
                (isEmptyItem(va) ? c.before : c.after) = QStringLiteral("empty");
                (isEmptyItem(va) ? c.after : c.before) = parts.join(QStringLiteral(", "));
                d.settings.push_back(std::move(c));
            }
            continue;
        }
        std::map<QString, QString> other(vb.begin(), vb.end());
        for (const auto& [key, value] : va) {
            const auto it = other.find(key);
            const QString now = it == other.end() ? QStringLiteral("(none)") : it->second;
            if (now != value)
                d.settings.push_back({item.first, item.second, key, value, now});
            if (it != other.end())
                other.erase(it);
        }
        for (const auto& [key, value] : other)
            d.settings.push_back({item.first, item.second, key, QStringLiteral("(none)"), value});
    }
    // Bytes no named setting explains: a with every setting of b applied
    // still differs from b there.
    Image explained = a;
    const Applied applied = apply_config(export_config(b), explained, limits);
    for (int r = 0; r < Image::kRows; ++r) {
        if (std::ranges::equal(a.row(r), b.row(r)))
            continue;
        if (applied.ok() && std::ranges::equal(explained.row(r), b.row(r)))
            continue;
        d.rawRows.push_back(r);
    }
    return d;
}

QStringList diff_lines(const Difference& d, const Image& a, const Image& b)
{
    QStringList out;
    for (const Change& c : d.settings) {
        QString where;
        if (c.section == kChannelSection)
            where = QStringLiteral("channel %1").arg(c.item);
        else if (c.section == kPresetSection)
            where = QStringLiteral("fm preset %1").arg(c.item);
        if (c.key.isEmpty())
            out << QStringLiteral("%1: %2 -> %3").arg(where, c.before, c.after);
        else if (isItemSection(c.section))
            out << QStringLiteral("%1 %2: %3 -> %4").arg(where, c.key, c.before, c.after);
        else
            out << QStringLiteral("%1.%2: %3 -> %4").arg(c.section, c.key, c.before, c.after);
    }
    for (int r : d.rawRows)
        out << QStringLiteral("row %1: %2 -> %3").arg(r).arg(hexRow(a, r), hexRow(b, r));
    return out;
}

QStringList diff_images(const Image& a, const Image& b, const BandLimits& limits)
{
    return diff_lines(compare_images(a, b, limits), a, b);
}

QString setting_label(const QString& section, const QString& key, bool inChinese)
{
    if (section == kChannelSection) {
        for (const channels::ChannelColumn& f : channelFields())
            if (key == QLatin1String(f.key))
                return channels::channel_heading(inChinese, f.id);
    } else if (section == kPresetSection) {
        if (key == u"frequency")
            return text::presetFrequencyLabel.in(inChinese);
        if (key == u"name")
            return text::presetNameLabel.in(inChinese);
    } else {
        // Settings that share a caption (the message's two lines) are told
        // apart by the number their key ends in.
        for (const MapSection& m : mapSections()) {
            if (m.name != section)
                continue;
            const auto it = std::ranges::find_if(m.keys, [&](const Key& k) { return k.key == key; });
            if (it == m.keys.end() || !it->label)
                break;
            const QString label = it->label(inChinese);
            const bool shared = std::ranges::count_if(m.keys, [&](const Key& k) { return k.label && k.label(inChinese) == label; }) > 1;
            const QString number = key.section(QLatin1Char('_'), -1);
            bool numbered = false;
            number.toInt(&numbered);
            return shared && numbered ? label + QLatin1Char(' ') + number : label;
        }
    }
    return key;
}

namespace {

QString areaTitle(const QString& section, int item, bool inChinese)
{
    if (section == kChannelSection)
        return text::channelArea.in(inChinese).arg(item);
    if (section == kPresetSection)
        return text::presetArea.in(inChinese).arg(item);
    for (const auto& [name, title] : text::kAreas)
        if (section == QLatin1String(name))
            return title.in(inChinese);
    return section;
}

// A value as a line shows it: text that shows nothing is said to be blank.
QString shownValue(const QString& value, bool inChinese)
{
    if (value == u"(none)")
        return text::noValue.in(inChinese);
    return value.trimmed().isEmpty() ? text::blankValue.in(inChinese) : value;
}

}  // namespace

std::vector<Area> named_changes(const Difference& d, const Image& a, const Image& b, bool inChinese)
{
    std::vector<Area> out;
    const QString arrow = QStringLiteral(" → ");
    for (const Change& c : d.settings) {
        const QString title = areaTitle(c.section, c.item, inChinese);
        if (out.empty() || out.back().title != title)
            out.push_back({title, {}});
        QString line;
        if (c.key.isEmpty()) {
            QStringList parts;
            for (const auto& [key, value] : c.filled)
                parts << setting_label(c.section, key, inChinese) + QLatin1Char(' ') + shownValue(value, inChinese);
            const QString empty = text::emptyItem.in(inChinese);
            const QString filled = parts.join(inChinese ? QStringLiteral("，") : QStringLiteral(", "));
            line = c.before == u"empty" ? empty + arrow + filled : filled + arrow + empty;
        } else {
            line = setting_label(c.section, c.key, inChinese) + QLatin1Char(' ') + shownValue(c.before, inChinese) + arrow
                   + shownValue(c.after, inChinese);
        }
        out.back().lines << line;
    }
    if (!d.rawRows.empty()) {
        Area raw{text::rawArea.in(inChinese), {}};
        for (int r : d.rawRows) {
            const region::Named& n = region::named(r);
            raw.lines << text::rawRow.in(inChinese)
                             .arg(r)
                             .arg(Image::addressOfRow(r), 4, 16, QLatin1Char('0'))
                             .arg(QString::fromUtf8(inChinese ? n.nameZh : n.name), hexRow(a, r) + arrow + hexRow(b, r));
        }
        out.push_back(std::move(raw));
    }
    return out;
}

QStringList named_lines(const std::vector<Area>& areas)
{
    QStringList out;
    for (const Area& area : areas)
        for (const QString& line : area.lines)
            out << area.title + QStringLiteral(": ") + line;
    return out;
}

}  // namespace vx::config
