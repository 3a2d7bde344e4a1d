#pragma once
// What the text configuration's files share, not for use outside them: the
// channel and preset setters, the keyed sections (one Key a setting: its
// key, shown value, setter and values), and the sections themselves.

#include "interchange/config/config.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_columns.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "image/record.h"
#include "image/setting.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace YAML {
class Node;
}

namespace vx::config {

// apply_config() on a document already read: the sections of `root`, each
// problem at its place in the file `root` came from.
Applied apply_node(const YAML::Node& root, Image& image, const BandLimits& limits);

// What a setter says: nothing when it stored the value, else why not.
using Refusal = std::optional<QString>;

inline const QString kChannelSection = QStringLiteral("channels");
inline const QString kPresetSection = QStringLiteral("fm presets");

// --------------------------------------------------------------- channels

// The channel columns a file names (those with a key), in the grid's order,
// which is the order they are applied in (channel_columns.h).
const std::vector<channels::ChannelColumn>& channelFields();

// Stores a channel's field from its text, frequencies checked against
// `limits`.
Refusal setChannelField(Image& image, int n, const channels::ChannelColumn& column, const QString& text, const BandLimits& limits);
// The text a channel's field shows in the file.
QString shown(const channels::ChannelTexts& texts, int column);
// A preset's field as the file shows it, and stored from its text.
QString presetValue(const fm::PresetTexts& texts, channels::PresetField field);
Refusal setPreset(Image& image, int p, channels::PresetField field, const QString& text);

// ------------------------------------------------------- keyed sections

// One setting of a map section: its key, its shown value, how a value is
// stored, and the values it takes (for the reference).
struct Key {
    QString key;
    std::function<QString(const Image&)> get;
    std::function<Refusal(Image&, const QString&, const BandLimits&)> set;
    QString values;
    QString oldKey{};  // what files of version 15.8.25 call it, when not `key`
    std::function<QString(bool inChinese)> label{};  // as the window captions it
};

struct MapSection {
    QString name;
    std::vector<Key> keys;
};

// The sections that are maps of labels, in document order.
const std::vector<MapSection>& mapSections();

// A value of `entries`, found without regard to case or surrounding spaces.
std::optional<int> entryOf(const QStringList& entries, const QString& text);
QString listed(const QStringList& entries);
Refusal notOneOf(const QString& text, const QStringList& entries);
Key listKey(const QString& key, std::function<QStringList()> entries, std::function<int(const Image&)> get,
            std::function<void(Image&, int)> put);
Key settingKey(const vx::Setting& s, region::Rows rows);
// A caption as a label: without the grid's alignment mark, surrounding
// spaces and a closing colon.
QString asLabel(QString caption);
// A setting's label, after the caption of the row of boxes it is one of.
QString label_of(const vx::Setting& s, bool inChinese);

std::vector<Key> optionKeys();
std::vector<Key> vfoKeys(options::Vfo v);
std::vector<Key> dtmfKeys();
std::vector<Key> twoToneKeys();
std::vector<Key> fiveToneKeys();

}  // namespace vx::config
