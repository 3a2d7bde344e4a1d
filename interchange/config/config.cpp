#include "interchange/config/config.h"

#include "interchange/config/config_sections.h"
#include "interchange/config/config_texts.h"
#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"

#include <yaml-cpp/yaml.h>

#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace vx::config {

using namespace channels;

namespace {

// ------------------------------------------------------------------- YAML

std::string utf8(const QString& s) { return s.toStdString(); }
QString qs(const std::string& s) { return QString::fromStdString(s); }

Problem at(const YAML::Node& node, const QString& text)
{
    const YAML::Mark m = node.Mark();
    return {m.line >= 0 ? m.line + 1 : 0, m.column >= 0 ? m.column + 1 : 0, text};
}

// The closest of `known` to `key`, for "did you mean".
QString nearest(const QString& key, const QStringList& known)
{
    const auto distance = [](const QString& a, const QString& b) {
        std::vector<int> row(size_t(b.size() + 1));
        for (int j = 0; j <= b.size(); ++j)
            row[size_t(j)] = j;
        for (int i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = i;
            for (int j = 1; j <= b.size(); ++j) {
                const int up = row[size_t(j)];
                row[size_t(j)] = std::min({row[size_t(j)] + 1, row[size_t(j - 1)] + 1, diagonal + (a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1)});
                diagonal = up;
            }
        }
        return row[size_t(b.size())];
    };
    QString best;
    int bestDistance = 1 << 30;
    for (const QString& k : known)
        if (const int d = std::min(distance(key, k), distance(key, k.left(key.size())) + 1); d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    return best;
}

QString unknownKey(const QString& key, const QStringList& known)
{
    return text::unknownKey.str().arg(key, nearest(key, known));
}

// A scalar value as text; nullopt (with a problem) for a list or a map.
std::optional<QString> scalar(const YAML::Node& node, std::vector<Problem>& problems)
{
    if (!node.IsScalar()) {
        problems.push_back(at(node, text::singleValue));
        return std::nullopt;
    }
    return qs(node.Scalar()).trimmed();
}

// Applies one item of the channel or preset list.
void applyItem(const YAML::Node& item, Image& image, bool channel, std::set<int>& seen, const BandLimits& limits, Applied& result)
{
    std::vector<Problem>& problems = result.problems;
    if (!item.IsMap()) {
        problems.push_back(at(item, channel ? text::channelItem : text::presetItem));
        return;
    }
    const char* idKey = channel ? "number" : "preset";
    const YAML::Node id = item[idKey];
    if (!id) {
        problems.push_back(at(item, text::itemWithout.str().arg(QLatin1String(idKey))));
        return;
    }
    bool ok = false;
    const auto idText = scalar(id, problems);
    const int n = idText ? idText->toInt(&ok) : -1;
    if (!ok || (channel ? !valid_channel(n) : !fm::valid_preset(n))) {
        problems.push_back(at(id, channel ? text::channelNumber : text::presetNumber));
        return;
    }
    if (!seen.insert(n).second) {
        problems.push_back(at(id, (channel ? text::channelTwice : text::presetTwice).str().arg(n)));
        return;
    }
    QStringList known{QString::fromLatin1(idKey), QStringLiteral("empty")};
    if (channel)
        for (const ChannelColumn& f : channelFields())
            known << QLatin1String(f.key);
    else
        for (const PresetColumn& f : kPresetColumns)
            known << QLatin1String(f.key);
    std::map<QString, YAML::Node> values;
    for (const auto& pair : item) {
        const QString key = qs(pair.first.Scalar());
        if (!known.contains(key))
            problems.push_back(at(pair.first, unknownKey(key, known)));
        else if (key != QLatin1String(idKey))
            values[key] = pair.second;
    }
    if (const auto it = values.find(QStringLiteral("empty")); it != values.end()) {
        const auto v = scalar(it->second, problems);
        if (v && *v != u"true")
            problems.push_back(at(it->second, text::emptyTakesTrue));
        else if (v && values.size() > 1)
            problems.push_back(at(it->second, channel ? text::emptyChannelAlone : text::emptyPresetAlone));
        else if (v) {
            ++result.settings;
            if (channel && !is_empty(image, n))
                delete_channel(image, n);
            if (!channel && !fm::is_empty(image, n))
                fm::encode_preset(image, n, {}, {});
        }
        return;
    }
    if (channel) {
        ChannelTexts now = decode_channel(image, n);
        for (const ChannelColumn& f : channelFields()) {
            const auto it = values.find(QLatin1String(f.key));
            if (it == values.end())
                continue;
            const auto v = scalar(it->second, problems);
            if (!v)
                continue;
            ++result.settings;
            if (f.id != ColRx && is_empty(image, n)) {
                problems.push_back(at(it->second, text::receiveFirst.str().arg(n)));
                continue;
            }
            if (!is_empty(image, n) && shown(now, f.id) == *v)
                continue;  // as it is: not a byte changes
            if (const Refusal r = setChannelField(image, n, f, *v, limits))
                problems.push_back(at(it->second, *r));
            now = decode_channel(image, n);
        }
        return;
    }
    for (const PresetColumn& f : kPresetColumns) {
        const auto it = values.find(QLatin1String(f.key));
        if (it == values.end())
            continue;
        const auto v = scalar(it->second, problems);
        if (!v)
            continue;
        ++result.settings;
        const fm::PresetTexts now = fm::decode_preset(image, n);
        if (presetValue(now, f.field) == *v && !now.frequency.isEmpty())
            continue;
        if (const Refusal r = setPreset(image, n, f.field, *v))
            problems.push_back(at(it->second, *r));
    }
}

void applyMap(const YAML::Node& node, const MapSection& section, Image& image, const BandLimits& limits, Applied& result)
{
    if (!node.IsMap()) {
        result.problems.push_back(at(node, text::sectionIsMap.str().arg(section.name)));
        return;
    }
    QStringList known;
    for (const Key& k : section.keys)
        known << k.key;
    std::set<QString> seen;
    for (const auto& pair : node) {
        const QString key = qs(pair.first.Scalar()).trimmed();
        // The key, or the caption files of version 15.8.25 carry in its place.
        const auto it = std::ranges::find_if(section.keys, [&](const Key& k) {
            return k.key.compare(key, Qt::CaseInsensitive) == 0 || (!k.oldKey.isEmpty() && k.oldKey.compare(key, Qt::CaseInsensitive) == 0);
        });
        // A setting named twice, by either of its names, is refused.
        if (!seen.insert(it == section.keys.end() ? key.toLower() : it->key).second) {
            result.problems.push_back(at(pair.first, text::keyTwice.str().arg(key)));
            continue;
        }
        if (it == section.keys.end()) {
            result.problems.push_back(at(pair.first, unknownKey(key, known)));
            continue;
        }
        const auto value = scalar(pair.second, result.problems);
        if (!value)
            continue;
        ++result.settings;
        if (it->get(image) == *value)
            continue;  // as it is: not a byte changes
        if (const Refusal r = it->set(image, *value, limits))
            result.problems.push_back(at(pair.second, *r));
    }
}

// Tabs, NUL bytes, text that is not UTF-8: refused before parsing, with
// their place.
std::optional<Problem> plainText(const QByteArray& text)
{
    // Stateless: an unfinished sequence at the end of the file is an invalid
    // byte like any other, not held back for more input and then lost.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(text);
    int line = 1, column = 1;
    for (QChar c : decoded) {
        if (c == QChar::ReplacementCharacter && decoder.hasError())
            return Problem{line, column, text::notUtf8};
        if (c == QLatin1Char('\t'))
            return Problem{line, column, text::tab};
        if (c.unicode() == 0)
            return Problem{line, column, text::nulByte};
        if (c == QLatin1Char('\n')) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    if (decoder.hasError())
        return Problem{line, column, text::notUtf8};
    return std::nullopt;
}

}  // namespace

std::vector<Setting> settings_of(const Image& image)
{
    std::vector<Setting> out;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n)) {
            out.push_back({kChannelSection, n, QStringLiteral("empty"), QStringLiteral("true")});
            continue;
        }
        const ChannelTexts texts = decode_channel(image, n);
        for (const ChannelColumn& f : channelFields()) {
            if (f.id == ColEncode && texts[ColTx].isEmpty())
                continue;  // no transmit frequency: the grid shows no encode tone
            out.push_back({kChannelSection, n, QLatin1String(f.key), shown(texts, f.id)});
        }
    }
    for (int p = 1; p <= fm::kPresets; ++p) {
        const fm::PresetTexts t = fm::decode_preset(image, p);
        if (fm::is_empty(image, p) || t.frequency.isEmpty()) {
            out.push_back({kPresetSection, p, QStringLiteral("empty"), QStringLiteral("true")});
            continue;
        }
        for (const PresetColumn& f : kPresetColumns)
            out.push_back({kPresetSection, p, QLatin1String(f.key), presetValue(t, f.field)});
    }
    for (const MapSection& section : mapSections())
        for (const Key& k : section.keys)
            out.push_back({section.name, -1, k.key, k.get(image)});
    return out;
}

QByteArray export_config(const Image& image)
{
    YAML::Emitter e;
    e << YAML::Comment("vxprog radio configuration: apply with vxprog-cli apply-conf") << YAML::BeginMap;
    const std::vector<Setting> all = settings_of(image);
    for (const QString& section : {kChannelSection, kPresetSection}) {
        e << YAML::Key << utf8(section) << YAML::Value << YAML::BeginSeq;
        int item = -2;
        for (const Setting& s : all) {
            if (s.section != section)
                continue;
            if (s.item != item) {
                if (item != -2)
                    e << YAML::EndMap;
                item = s.item;
                e << YAML::BeginMap << YAML::Key << (section == kChannelSection ? "number" : "preset") << YAML::Value << item;
            }
            e << YAML::Key << utf8(s.key) << YAML::Value;
            if (s.key == u"empty")
                e << true;
            else
                e << YAML::DoubleQuoted << utf8(s.value);
        }
        if (item != -2)
            e << YAML::EndMap;
        e << YAML::EndSeq;
    }
    for (const MapSection& m : mapSections()) {
        e << YAML::Key << utf8(m.name) << YAML::Value << YAML::BeginMap;
        for (const Setting& s : all)
            if (s.section == m.name)
                e << YAML::Key << utf8(s.key) << YAML::Value << YAML::DoubleQuoted << utf8(s.value);
        e << YAML::EndMap;
    }
    e << YAML::EndMap;
    return QByteArray(e.c_str()) + '\n';
}

Applied apply_config(const QByteArray& text, Image& image, const BandLimits& limits)
{
    Applied result;
    if (text.size() > kMaxConfigBytes) {
        result.problems.push_back({0, 0, text::fileTooLarge.str().arg(text.size()).arg(kMaxConfigBytes)});
        return result;
    }
    if (text.trimmed().isEmpty()) {
        result.problems.push_back({1, 1, text::fileEmpty});
        return result;
    }
    if (const auto p = plainText(text)) {
        result.problems.push_back(*p);
        return result;
    }
    YAML::Node root;
    try {
        root = YAML::Load(text.toStdString());
    } catch (const YAML::Exception& e) {
        result.problems.push_back({e.mark.line + 1, e.mark.column + 1, qs(e.msg)});
        return result;
    }
    const Applied applied = apply_node(root, image, limits);
    result.problems.insert(result.problems.end(), applied.problems.begin(), applied.problems.end());
    result.settings = applied.settings;
    return result;
}

Applied apply_node(const YAML::Node& root, Image& image, const BandLimits& limits)
{
    Applied result;
    if (!root.IsMap()) {
        result.problems.push_back(at(root, text::notSections));
        return result;
    }
    Image copy = image;
    QStringList known{kChannelSection, kPresetSection};
    for (const MapSection& m : mapSections())
        known << m.name;
    std::set<QString> sections;
    for (const auto& pair : root) {
        const QString key = qs(pair.first.Scalar());
        if (!sections.insert(key).second) {
            result.problems.push_back(at(pair.first, text::sectionTwice.str().arg(key)));
            continue;
        }
        const auto map = std::ranges::find_if(mapSections(), [&](const MapSection& m) { return m.name == key; });
        if (map != mapSections().end()) {
            applyMap(pair.second, *map, copy, limits, result);
        } else if (key == kChannelSection || key == kPresetSection) {
            if (!pair.second.IsSequence()) {
                result.problems.push_back(at(pair.second, text::sectionIsList.str().arg(key)));
                continue;
            }
            std::set<int> seen;
            for (const auto& item : pair.second)
                applyItem(item, copy, key == kChannelSection, seen, limits, result);
        } else {
            result.problems.push_back(at(pair.first, unknownKey(key, known)));
        }
    }
    if (result.ok())
        image = copy;
    return result;
}

}  // namespace vx::config
