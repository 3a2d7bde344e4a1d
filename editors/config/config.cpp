#include "editors/config/config.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/frm_option_texts.h"
#include "editors/options/option_settings.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/frm_2tone_texts.h"
#include "editors/signalling/frm_5tone_texts.h"
#include "editors/signalling/frm_dtmf_texts.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/tables.h"
#include "image/codecs.h"
#include "image/dtmf.h"
#include "image/tones.h"

#include <yaml-cpp/yaml.h>

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace vx::config {

namespace {

// The band limits of the apply that runs: set for its duration only, so that
// the settings' checks see the limits the caller gave.
const BandLimits* gApplyLimits = nullptr;
const BandLimits& bandLimits() { return gApplyLimits ? *gApplyLimits : kDefaultBandLimits; }
struct ApplyLimits {
    explicit ApplyLimits(const BandLimits& l) : previous(gApplyLimits) { gApplyLimits = &l; }
    ~ApplyLimits() { gApplyLimits = previous; }
    ApplyLimits(const ApplyLimits&) = delete;
    ApplyLimits& operator=(const ApplyLimits&) = delete;
    const BandLimits* previous;
};

using namespace channels;
namespace O = options;

const QString kChannelSection = QStringLiteral("channels");
const QString kPresetSection = QStringLiteral("fm presets");

// What a setter says: nothing when it stored the value, else why not.
using Refusal = std::optional<QString>;

// --------------------------------------------------------------- channels

struct ChannelField {
    const char* key;
    int column;
};
// In the order they are applied: receive before transmit, so a channel
// that was empty gets its transmit frequency from the receive frequency.
constexpr ChannelField kChannelFields[] = {
    {"receive", ColRx},         {"transmit", ColTx},           {"decode", ColDecode},
    {"encode", ColEncode},      {"power", ColPower},           {"bandwidth", ColBandwidth},
    {"ptt id", ColPttId},       {"busy lock", ColBusyLock},    {"scan add", ColScanAdd},
    {"signal code", ColSignalCode}, {"optional signal", ColOptionalSignal}, {"speaker mute", ColSpeakerMute},
    {"scrambler", ColScrambler}, {"name", ColName},
};

// A frequency as the grid takes it on Enter, and on the raster it snaps to.
std::optional<QString> channelFrequency(const QString& text)
{
    bool ok = false;
    const double mhz = text.trimmed().toDouble(&ok);
    if (!ok || !in_enter_range(mhz, bandLimits()))
        return std::nullopt;
    const QString entered = entered_frequency(text.trimmed());
    const Units10Hz units = frequency_units(entered);
    if (snap_to_raster(entered) != units || frequency_text(units) != entered)
        return std::nullopt;
    return entered;
}

Refusal setTone(Image& image, int n, field::Tone16le at, const QString& text)
{
    TonePair pair;
    if (const auto index = tones::index_of(text)) {
        pair = encode_tone_index(*index);
    } else {
        bool ok = false;
        const double hz = text.toDouble(&ok);
        if (!ok || !typed_tone_in_range(hz) || std::abs(hz * 10 - std::round(hz * 10)) > 1e-6)
            return QStringLiteral("\"%1\" is not a tone of the list (OFF, 67.0 .. 254.1, D023N .. D754I) or a CTCSS tone of 60.0 to 259.9 Hz").arg(text);
        pair = encode_tone_value(hz);
    }
    at.put(RecordRef(image, record_row(n)), pair);
    return std::nullopt;
}

Refusal setChannelField(Image& image, int n, int column, const QString& text)
{
    const auto badFrequency = [&] {
        const BandLimits& l = bandLimits();
        return QStringLiteral("\"%1\" is not a frequency of %2-%3 or %4-%5 MHz on the 2.5 or 6.25 kHz raster")
            .arg(text)
            .arg(l.aLow)
            .arg(l.aHigh)
            .arg(l.bLow)
            .arg(l.bHigh);
    };
    switch (column) {
    case ColRx: {
        const auto f = channelFrequency(text);
        if (!f)
            return badFrequency();
        if (is_empty(image, n)) {
            delete_channel(image, n);
            new_channel(image, n);
            set_rx(image, n, *f);
        } else {
            set_rx_only(image, n, *f);
        }
        return std::nullopt;
    }
    case ColTx: {
        if (text.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
            remove_tx(image, n);
            return std::nullopt;
        }
        const auto f = channelFrequency(text);
        if (!f)
            return badFrequency();
        set_tx(image, n, *f);
        return std::nullopt;
    }
    case ColDecode: return setTone(image, n, ChannelOffsets::decodeTone, text);
    case ColEncode: return setTone(image, n, ChannelOffsets::encodeTone, text);
    case ColName:
        if (!storable_name(text))
            return QStringLiteral("\"%1\" is not a name of up to six letters and digits").arg(text);
        set_name(image, n, text);
        return std::nullopt;
    default: {
        const QStringList entries = choices(column);
        const auto it = std::ranges::find_if(entries, [&](const QString& e) { return e.compare(text, Qt::CaseInsensitive) == 0; });
        if (it == entries.end())
            return QStringLiteral("\"%1\" is not one of %2").arg(text, entries.join(QStringLiteral(", ")));
        set_choice(image, n, column, int(it - entries.begin()));
        return std::nullopt;
    }
    }
}

// A column's text as the configuration writes it.
QString shown(const ChannelTexts& texts, int column)
{
    const QString& t = texts[size_t(column)];
    return column == ColTx && t.isEmpty() ? QStringLiteral("off") : t;
}

// ------------------------------------------------------------- FM presets

Refusal setPreset(Image& image, int p, const QString& key, const QString& text)
{
    const fm::PresetTexts now = fm::decode_preset(image, p);
    if (key == u"frequency") {
        if (!fm::in_band(text) || fm::frequency_entry(text) != text)
            return QStringLiteral("\"%1\" is not a frequency of 87.00000 to 108.00000 MHz with five decimals").arg(text);
        fm::encode_preset(image, p, text, now.name);
        return std::nullopt;
    }
    if (fm::name_too_long(text) || fm::name_entry(text) != text)
        return QStringLiteral("\"%1\" is not a name of up to six characters in upper case").arg(text);
    if (now.frequency.isEmpty())
        return QStringLiteral("an empty preset has no name; give its frequency first");
    fm::encode_preset(image, p, now.frequency, text);
    return std::nullopt;
}

// ------------------------------------------------------- keyed sections

QString trimmedEn(const Text& t) { return QString::fromUtf8(t.en).trimmed(); }

// One setting of a map section: its key, its shown value, how a value is
// stored, and the values it takes (for the reference).
struct Key {
    QString key;
    std::function<QString(const Image&)> get;
    std::function<Refusal(Image&, const QString&)> set;
    QString values;
    QString oldKey{};  // what files of version 15.8.25 call it, when not `key`
};

struct MapSection {
    QString name;
    std::vector<Key> keys;
};

// A value of `entries`, found without regard to case or surrounding spaces.
std::optional<int> entryOf(const QStringList& entries, const QString& text)
{
    const auto it = std::ranges::find_if(entries, [&](const QString& e) { return e.trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0; });
    return it == entries.end() ? std::nullopt : std::optional<int>(int(it - entries.begin()));
}

// The values of a list for messages and the reference: all of a short one,
// the ends of a long one.
QString listed(const QStringList& entries)
{
    QStringList quoted;
    for (const QString& e : entries)
        quoted << QLatin1Char('`') + e.trimmed() + QLatin1Char('`');
    if (quoted.size() > 12)
        return QStringLiteral("%1, %2, ... %3 (%4 values)").arg(quoted[0], quoted[1], quoted.last()).arg(quoted.size());
    return quoted.join(QStringLiteral(", "));
}

Refusal notOneOf(const QString& text, const QStringList& entries) { return QStringLiteral("\"%1\" is not one of %2").arg(text, listed(entries)); }

// A list stored as its position through `put`, read through `get`.
Key listKey(const QString& key, std::function<QStringList()> entries, std::function<int(const Image&)> get,
            std::function<void(Image&, int)> put)
{
    return {key, [entries, get](const Image& image) { return entries().value(get(image)).trimmed(); },
            [entries, put](Image& image, const QString& text) -> Refusal {
                const auto p = entryOf(entries(), text);
                if (!p)
                    return notOneOf(text, entries());
                put(image, *p);
                return std::nullopt;
            },
            listed(entries())};
}

Key onOffKey(const QString& key, std::function<bool(const Image&)> get, std::function<void(Image&, bool)> put)
{
    return {key, [get](const Image& image) { return get(image) ? QStringLiteral("on") : QStringLiteral("off"); },
            [put](Image& image, const QString& text) -> Refusal {
                const QString t = text.toLower();
                if (t != u"on" && t != u"off")
                    return QStringLiteral("\"%1\" is not on or off").arg(text);
                put(image, t == u"on");
                return std::nullopt;
            },
            QStringLiteral("`on`, `off`")};
}

// `k`, which also takes an empty value: `clear` stores that.
Key orEmpty(Key k, std::function<void(Image&)> clear)
{
    k.set = [set = k.set, clear](Image& image, const QString& text) -> Refusal {
        if (!text.isEmpty())
            return set(image, text);
        clear(image);
        return std::nullopt;
    };
    k.values = QStringLiteral("empty, ") + k.values;
    return k;
}

// A grid's column headings without their alignment marks (^ < >).
QStringList gridHeadings(const Text& t)
{
    QStringList out;
    for (QString h : QString::fromUtf8(t.en).split(QLatin1Char('|')))
        out << h.remove(QLatin1Char('^')).remove(QLatin1Char('<')).remove(QLatin1Char('>')).trimmed();
    return out;
}

// DTMF characters (0-9, A-D, *, #), `low` to `high` of them, or none.
Key dtmfKey(const QString& key, int low, int high, std::function<QString(const Image&)> get, std::function<void(Image&, const QString&)> put)
{
    return {key, std::move(get),
            [low, high, put](Image& image, const QString& text) -> Refusal {
                const bool digits = std::ranges::all_of(text, [](QChar ch) { return dtmf_code(ch.unicode()) != kDtmfNone; });
                if (!digits || (!text.isEmpty() && text.size() < low) || text.size() > high)
                    return QStringLiteral("\"%1\" is not empty or %2 to %3 DTMF characters (0-9, A-D, *, #)").arg(text).arg(low).arg(high);
                put(image, text.toUpper());
                return std::nullopt;
            },
            QStringLiteral("empty, or %1 to %2 DTMF characters (0-9, A-D, `*`, `#`)").arg(low).arg(high)};
}

O::OptionBlock blockOf(const Image& image)
{
    O::OptionBlock block;
    block.load(image);
    return block;
}

// A setting of a row (image/setting.h), in the record laid over `rows`.
Key settingKey(const vx::Setting& s, region::Rows rows)
{
    return {QLatin1String(s.key),
            [&s, rows](const Image& image) { return s.value(RecordView(image, rows)); },
            [&s, rows](Image& image, const QString& text) -> Refusal {
                if (s.setValue(RecordRef(image, rows), text))
                    return std::nullopt;
                switch (s.kind) {
                case SettingKind::List: return notOneOf(text, s.list->entries(false));
                case SettingKind::OnOff: return QStringLiteral("\"%1\" is not on or off").arg(text);
                case SettingKind::Text: break;
                }
                return QStringLiteral("\"%1\" is not %2").arg(text, s.values(false).remove(QLatin1Char('`')));
            },
            s.values(false), s.oldKey ? QLatin1String(s.oldKey) : QString()};
}

std::vector<Key> optionKeys()
{
    std::vector<Key> out;
    for (const vx::Setting& s : O::kSettings)
        out.push_back(settingKey(s, O::kBlockRows));
    return out;
}

// The panel's labels; the band and the range follow from the frequency.
std::vector<Key> vfoKeys(O::Vfo v)
{
    using L = O::VfoLayout;
    const auto caption = [](int control) { return trimmedEn(option_texts::kVfoControls[control].caption); };
    const auto list = [v, caption](int control, field::List8 f, const O::Choices* choices) {
        return listKey(caption(control), [choices] { return choices->entries(false); },
                       [v, f](const Image& image) { return f.get(O::vfo_view(image, v)); },
                       [v, f](Image& image, int p) { f.put(O::vfo_ref(image, v), p); });
    };
    const auto tone = [v, caption](int control, field::Tone16le f) {
        Key k = listKey(caption(control), [] { return O::vfo_tone_entries(false); }, [](const Image&) { return 0; },
                        [v, f](Image& image, int p) { f.put(O::vfo_ref(image, v), O::encode_vfo_tone(p)); });
        k.get = [v, f](const Image& image) {
            const TonePair p = f.pair(O::vfo_view(image, v));
            const O::VfoTone t = O::decode_vfo_tone(p.low, p.high);
            return t.position >= 0 ? O::vfo_tone_entries(false).value(t.position) : t.text;
        };
        return k;
    };
    std::vector<Key> out;
    out.push_back({caption(0), [v](const Image& image) { return O::vfo_frequency(image, v); },
                   [v](Image& image, const QString& text) -> Refusal {
                       bool ok = false;
                       const double mhz = text.toDouble(&ok);
                       const O::VfoLimits limits = O::vfo_limits(mhz < 300, bandLimits());
                       const O::VfoEntry entry = O::vfo_frequency_entry(text, limits);
                       if (!ok || entry.outOfRange || mhz < limits.lower || mhz > limits.upper)
                           return QStringLiteral("\"%1\" is not a frequency within the band limits").arg(text);
                       O::encode_vfo_frequency(image, v, entry.text);
                       return std::nullopt;
                   },
                   QStringLiteral("MHz within band A's or band B's limits, stored on the panel's 250 Hz grid")});
    out.push_back(list(3, L::power, &O::lists::power));
    out.push_back(tone(4, L::rxTone));
    out.push_back(tone(5, L::txTone));
    out.push_back(list(6, L::bandwidth, &O::lists::bandwidth));
    out.push_back(list(7, L::shiftDirection, &O::lists::shiftDirection));
    out.push_back(list(8, L::step, &O::lists::step));
    out.push_back(listKey(caption(9), [] { return O::offset_labels(); }, [v](const Image& image) { return O::vfo_offset(image, v); },
                          [v](Image& image, int p) { O::encode_offset(image, v, O::offset_label(p)); }));
    out.push_back(list(10, L::optionalSignal, &O::lists::optionalSignal));
    out.push_back(list(11, L::signalCode, &O::lists::signalCode));
    out.push_back(list(12, L::speakerMute, &O::lists::speakerMute));
    out.push_back(list(13, L::scrambler, &O::lists::scrambler));
    return out;
}

std::vector<Key> dtmfKeys()
{
    namespace D = dtmf;
    namespace DT = dtmf_texts;
    using DL = D::Layout;
    std::vector<Key> out;
    for (int n = 1; n <= D::kTxCodes; ++n)
        out.push_back(dtmfKey(QStringLiteral("%1 %2").arg(trimmedEn(DT::kEncodeCode)).arg(n), 1, D::kCodeLength,
                              [n](const Image& image) { return DL::txCode(n).get(D::view(image)); },
                              [n](Image& image, const QString& text) { D::set_tx_code(image, n, text); }));
    const auto list = [](const Text& label, std::function<QStringList()> entries, field::List8 f) {
        return listKey(trimmedEn(label), std::move(entries), [f](const Image& image) { return f.get(D::view(image)); },
                       [f](Image& image, int p) { f.put(D::ref(image), p); });
    };
    out.push_back(list(DT::kOnTime, D::on_off_time_entries, DL::onTime));
    out.push_back(list(DT::kOffTime, D::on_off_time_entries, DL::offTime));
    const auto digit = [](const Text& label, field::DtmfDigit f, void (*set)(Image&, char32_t)) {
        Key k = listKey(trimmedEn(label), D::group_call_entries, [](const Image&) { return 0; },
                        [set](Image& image, int p) { set(image, D::group_call_entries().value(p).at(0).unicode()); });
        k.get = [f](const Image& image) { return f.get(D::view(image)); };
        return orEmpty(std::move(k), [set](Image& image) { set(image, U'\0'); });  // no character: FF
    };
    out.push_back(digit(DT::kGroupCode, DL::groupCall, D::set_group_call));
    out.push_back(onOffKey(trimmedEn(DT::kRxDisable), [](const Image& image) { return DL::disabled(D::Disable::Receive).get(D::view(image)); },
                           [](Image& image, bool on) { D::set_disabled(image, D::Disable::Receive, on); }));
    out.push_back(onOffKey(trimmedEn(DT::kTxDisable), [](const Image& image) { return DL::disabled(D::Disable::Transmit).get(D::view(image)); },
                           [](Image& image, bool on) { D::set_disabled(image, D::Disable::Transmit, on); }));
    const Text* decodes[] = {&DT::kInspection, &DT::kMonitor, &DT::kAlarm, &DT::kStun, &DT::kKill, &DT::kRevive};
    for (int i = 0; i < D::kDecodeCodes; ++i)
        out.push_back(dtmfKey(trimmedEn(*decodes[i]).remove(QLatin1Char(' ')), 1, D::kCodeLength,
                              [i](const Image& image) { return DL::decode(i).get(D::view(image)); },
                              [i](Image& image, const QString& text) { D::set_decode(image, i, text); }));
    out.push_back(onOffKey(trimmedEn(DT::kControlEnable), [](const Image& image) { return DL::control.get(D::view(image)); },
                           [](Image& image, bool on) { D::set_control(image, on); }));
    const Text* rights[] = {&DT::kInspection, &DT::kMonitor, &DT::kStun, &DT::kKill, &DT::kRevive};
    for (const auto& [who, label] : {std::pair{D::Identity::Master, &DT::kMasterId}, std::pair{D::Identity::Vice, &DT::kViceId}}) {
        const D::Identity w = who;
        out.push_back(dtmfKey(trimmedEn(*label), 1, D::kCodeLength,
                              [w](const Image& image) { return DL::identity(w).get(D::view(image)); },
                              [w](Image& image, const QString& text) { D::set_identity(image, w, text); }));
        for (int bit = 0; bit < D::kRightsBoxes; ++bit)
            out.push_back(onOffKey(QStringLiteral("%1 right %2").arg(trimmedEn(*label), trimmedEn(*rights[bit]).remove(QLatin1Char(' '))),
                                   [w, bit](const Image& image) { return DL::right(w, bit).get(D::view(image)); },
                                   [w, bit](Image& image, bool on) { D::set_right(image, w, bit, on); }));
    }
    const auto separator = digit(DT::kSpaceCode, DL::separator, D::set_separator);
    out.push_back(separator);
    out.push_back(list(DT::kResetTime, D::reset_time_entries, DL::resetTime));
    out.push_back(list(DT::kProcDelay, D::decode_delay_entries, DL::decodeDelay));
    return out;
}

std::vector<Key> twoToneKeys()
{
    namespace W = two_tone;
    namespace WT = two_tone_texts;
    using WL = W::Layout;
    const QStringList encode = gridHeadings(WT::kEncodeHeadings), decode = gridHeadings(WT::kDecodeHeadings);
    const QString code = encode[0];
    std::vector<Key> out;
    for (int n = 1; n <= W::kEntries; ++n)
        for (int which = 0; which < 2; ++which)
            out.push_back({QStringLiteral("Encode %1 %2 %3").arg(code).arg(n).arg(encode[1 + which]),
                           [n, which](const Image& image) { return W::tx_text(image, n, which); },
                           [n, which](Image& image, const QString& text) -> Refusal {
                               const W::TxCommit c = W::tx_commit(text);
                               if (c.refused)
                                   return QStringLiteral("\"%1\" is not empty or a frequency of 300 to 3000 Hz").arg(text);
                               W::set_tx_freq(image, n, which, c.hz);
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or 300.0 to 3000.0 Hz")});
    const Text* durations[] = {&WT::kFirstTone, &WT::kSecondTone, &WT::kGap};
    for (int which = 0; which < 3; ++which) {
        const field::List8 f = WL::duration(which);
        out.push_back(listKey(trimmedEn(*durations[which]), W::duration_entries, [f](const Image& image) { return f.get(W::view(image)); },
                              [f](Image& image, int p) { f.put(W::ref(image), p); }));
    }
    // A rule byte from a list: empty is FF.
    const auto ruleKey = [](QString key, int n, int column, std::function<QStringList()> entries) {
        Key k = listKey(key, std::move(entries), [](const Image&) { return 0; },
                        [n, column](Image& image, int p) { W::set_rule_byte(image, n, column, uint8_t(p)); });
        k.get = [n, column](const Image& image) { return W::rule_text(image, n, column); };
        return orEmpty(std::move(k), [n, column](Image& image) { W::set_rule_byte(image, n, column, 0xFF); });
    };
    const Text* toneLabels[] = {&WT::kToneA, &WT::kToneB, &WT::kToneC, &WT::kToneD};
    for (int n = 1; n <= W::kEntries; ++n) {
        const QString entry = QStringLiteral("Decode %1 %2").arg(code).arg(n);
        for (int rule = 0; rule < W::kRules; ++rule) {
            const QString dec = decode[1 + 3 * rule];
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec, n, W::rule_column(rule, W::RuleField::Pair), W::pair_entries));
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec + QLatin1Char(' ') + decode[2 + 3 * rule], n,
                                  W::rule_column(rule, W::RuleField::Response), [] { return callAlertTexts(false); }));
            out.push_back(ruleKey(entry + QLatin1Char(' ') + dec + QLatin1Char(' ') + decode[3 + 3 * rule], n,
                                  W::rule_column(rule, W::RuleField::Alert), [] { return numberSteps(0, 1, W::kAlerts + 1); }));
        }
        for (int k = 0; k < W::kTones; ++k)
            out.push_back({entry + QLatin1Char(' ') + trimmedEn(*toneLabels[k]), [n, k](const Image& image) { return W::tone_text(image, n, k); },
                           [n, k](Image& image, const QString& text) -> Refusal {
                               Image trial = image;
                               if (W::commit_tone(trial, n, k, text))
                                   return QStringLiteral("\"%1\" is not empty or a tone of 300 to 3000 Hz").arg(text);
                               image = trial;
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or 300.0 to 3000.0 Hz")});
    }
    out.push_back(listKey(trimmedEn(WT::kReset), W::reset_time_entries, [](const Image& image) { return WL::resetTime.get(W::view(image)); },
                          [](Image& image, int p) { WL::resetTime.put(W::ref(image), p); }));
    return out;
}

std::vector<Key> fiveToneKeys()
{
    namespace F = five_tone;
    namespace FT = five_tone_texts;
    using FL = F::Layout;
    const QStringList standard = gridHeadings(FT::kStandardHeadings), encode = gridHeadings(FT::kEncodeHeadings);
    const auto ref = [](Image& image) { return RecordRef(image, F::kRegion); };
    // A tone digit of a standard: empty is no digit.
    const auto digitKey = [ref](const QString& key, std::function<QString(const Image&)> get, field::U8 f) {
        return Key{key, [get](const Image& image) { return get(image).trimmed(); },
                   [f, ref](Image& image, const QString& text) -> Refusal {
                       const uint8_t d = text.size() == 1 ? F::digit_value(text[0].unicode()) : F::kNoDigit;
                       if (!text.isEmpty() && d == F::kNoDigit)
                           return notOneOf(text, F::digit_entries());
                       f.put(ref(image), d);
                       return std::nullopt;
                   },
                   QStringLiteral("empty, ") + listed(F::digit_entries())};
    };
    std::vector<Key> out;
    for (int st = 0; st < F::kStandards; ++st) {
        const QString name = F::standard_name(st);
        out.push_back(listKey(name + QLatin1Char(' ') + standard[1], F::tone_length_entries,
                              [st](const Image& image) { return FL::toneLength(st).get(F::view(image)); },
                              [st](Image& image, int p) { F::set_tone_length(image, st, p); }));
        out.push_back(digitKey(name + QLatin1Char(' ') + standard[2], [st](const Image& image) { return F::group_tone_text(image, st); }, FL::groupTone(st)));
        out.push_back(digitKey(name + QLatin1Char(' ') + standard[3], [st](const Image& image) { return F::repeat_tone_text(image, st); }, FL::repeatTone(st)));
    }
    for (int n = 1; n <= F::kEntries; ++n) {
        const QString entry = QStringLiteral("%1 %2").arg(encode[0]).arg(n);
        for (int f = 0; f < F::kFrames; ++f)
            out.push_back({entry + QLatin1Char(' ') + encode[1 + f], [n, f](const Image& image) { return F::frame_text(image, n, f).trimmed(); },
                           [n, f](Image& image, const QString& text) -> Refusal {
                               const bool digits = std::ranges::all_of(text, [](QChar c) { return F::digit_value(c.unicode()) != F::kNoDigit; });
                               if (!text.isEmpty() && (text.size() != F::kFrameDigits || !digits))
                                   return QStringLiteral("\"%1\" is not empty or five digits 0-9, A-F").arg(text);
                               F::set_frame(image, n, f, text);
                               return std::nullopt;
                           },
                           QStringLiteral("empty, or five digits 0-9, A-F")});
        Key k = listKey(entry + QLatin1Char(' ') + encode[4], F::standard_names, [](const Image&) { return 0; },
                        [n](Image& image, int st) { F::set_entry_standard(image, n, st); });
        k.get = [n](const Image& image) { return F::entry_standard_text(image, n); };
        out.push_back(orEmpty(std::move(k), [n, ref](Image& image) { FL::standard(n).put(ref(image), 0xFF); }));
    }
    const Text* timings[] = {&FT::kDelay1, &FT::kDelay2, &FT::kDelay3, &FT::kFirstDigitExtend};
    for (int which = 0; which < F::kTimingLists; ++which) {
        const field::List8 f = FL::timing(which);
        out.push_back(listKey(trimmedEn(*timings[which]), F::timing_entries, [f](const Image& image) { return f.get(F::view(image)); },
                              [f, ref](Image& image, int p) { f.put(ref(image), p); }));
    }
    out.push_back(listKey(trimmedEn(FT::kDecodeStd), F::standard_names, [](const Image& image) { return FL::decodeStandard.get(F::view(image)); },
                          [ref](Image& image, int p) { FL::decodeStandard.put(ref(image), p); }));
    const Text* frames[] = {&FT::kFrame1, &FT::kFrame2, &FT::kFrame3};
    for (const auto& [label, call] : {std::pair{&FT::kDecodeCall, true}, std::pair{&FT::kDecodeDisp, false}})
        for (int f = 0; f < F::kFrames; ++f) {
            const field::Flag flag = call ? FL::callFrame(f) : FL::displayFrame(f);
            out.push_back(onOffKey(trimmedEn(*label) + QLatin1Char(' ') + trimmedEn(*frames[f]), [flag](const Image& image) { return flag.get(F::view(image)); },
                                   [flag, ref](Image& image, bool on) { flag.put(ref(image), on); }));
        }
    out.push_back(listKey(trimmedEn(FT::kResetTime), F::reset_time_entries, [](const Image& image) { return FL::resetTime.get(F::view(image)); },
                          [ref](Image& image, int p) { FL::resetTime.put(ref(image), p); }));
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
    return QStringLiteral("unknown key \"%1\" (did you mean \"%2\"?)").arg(key, nearest(key, known));
}

// A scalar value as text; nullopt (with a problem) for a list or a map.
std::optional<QString> scalar(const YAML::Node& node, std::vector<Problem>& problems)
{
    if (!node.IsScalar()) {
        problems.push_back(at(node, QStringLiteral("a single value is wanted here")));
        return std::nullopt;
    }
    return qs(node.Scalar()).trimmed();
}

// Applies one item of the channel or preset list.
void applyItem(const YAML::Node& item, Image& image, bool channel, std::set<int>& seen, Applied& result)
{
    std::vector<Problem>& problems = result.problems;
    if (!item.IsMap()) {
        problems.push_back(at(item, QStringLiteral("each item is a map with its %1").arg(channel ? "number" : "preset")));
        return;
    }
    const char* idKey = channel ? "number" : "preset";
    const YAML::Node id = item[idKey];
    if (!id) {
        problems.push_back(at(item, QStringLiteral("the item has no \"%1\"").arg(QLatin1String(idKey))));
        return;
    }
    bool ok = false;
    const auto idText = scalar(id, problems);
    const int n = idText ? idText->toInt(&ok) : -1;
    if (!ok || (channel ? !valid_channel(n) : !fm::valid_preset(n))) {
        problems.push_back(at(id, channel ? QStringLiteral("a channel number is 0 to 199") : QStringLiteral("a preset is 1 to 16")));
        return;
    }
    if (!seen.insert(n).second) {
        problems.push_back(at(id, QStringLiteral("%1 %2 is given twice").arg(channel ? "channel" : "preset").arg(n)));
        return;
    }
    QStringList known{QString::fromLatin1(idKey), QStringLiteral("empty")};
    if (channel)
        for (const ChannelField& f : kChannelFields)
            known << QLatin1String(f.key);
    else
        known << QStringLiteral("frequency") << QStringLiteral("name");
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
            problems.push_back(at(it->second, QStringLiteral("empty takes true")));
        else if (v && values.size() > 1)
            problems.push_back(at(it->second, QStringLiteral("an empty %1 has no other settings").arg(channel ? "channel" : "preset")));
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
        for (const ChannelField& f : kChannelFields) {
            const auto it = values.find(QLatin1String(f.key));
            if (it == values.end())
                continue;
            const auto v = scalar(it->second, problems);
            if (!v)
                continue;
            ++result.settings;
            if (f.column != ColRx && is_empty(image, n)) {
                problems.push_back(at(it->second, QStringLiteral("channel %1 is empty: give its receive frequency first").arg(n)));
                continue;
            }
            if (!is_empty(image, n) && shown(now, f.column) == *v)
                continue;  // as it is: not a byte changes
            if (const Refusal r = setChannelField(image, n, f.column, *v))
                problems.push_back(at(it->second, *r));
            now = decode_channel(image, n);
        }
        return;
    }
    for (const QString& key : {QStringLiteral("frequency"), QStringLiteral("name")}) {
        const auto it = values.find(key);
        if (it == values.end())
            continue;
        const auto v = scalar(it->second, problems);
        if (!v)
            continue;
        ++result.settings;
        const fm::PresetTexts now = fm::decode_preset(image, n);
        if ((key == u"frequency" ? now.frequency : now.name) == *v && !now.frequency.isEmpty())
            continue;
        if (const Refusal r = setPreset(image, n, key, *v))
            problems.push_back(at(it->second, *r));
    }
}

void applyMap(const YAML::Node& node, const MapSection& section, Image& image, Applied& result)
{
    if (!node.IsMap()) {
        result.problems.push_back(at(node, QStringLiteral("%1 is a map of labels and values").arg(section.name)));
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
            result.problems.push_back(at(pair.first, QStringLiteral("\"%1\" is given twice").arg(key)));
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
        if (const Refusal r = it->set(image, *value))
            result.problems.push_back(at(pair.second, *r));
    }
}

// Tabs, NUL bytes, text that is not UTF-8: refused before parsing, with
// their place.
std::optional<Problem> plainText(const QByteArray& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(text);
    int line = 1, column = 1;
    for (QChar c : decoded) {
        if (c == QChar::ReplacementCharacter && decoder.hasError())
            return Problem{line, column, QStringLiteral("the file is not UTF-8 text")};
        if (c == QLatin1Char('\t'))
            return Problem{line, column, QStringLiteral("a tab; YAML indents with spaces")};
        if (c.unicode() == 0)
            return Problem{line, column, QStringLiteral("a NUL byte; the file is not text")};
        if (c == QLatin1Char('\n')) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    if (decoder.hasError())
        return Problem{line, column, QStringLiteral("the file is not UTF-8 text")};
    return std::nullopt;
}

}  // namespace

QString reference()
{
    QString out;
    out += QStringLiteral("**channels**: a list of maps, each with `number` (0-199) and either `empty: true` or any of:\n\n");
    out += QStringLiteral("| key | values |\n|---|---|\n");
    for (const ChannelField& f : kChannelFields) {
        QString v;
        switch (f.column) {
        case ColRx: v = QStringLiteral("MHz within the band limits, on the 2.5 or 6.25 kHz raster (`145.60000`)"); break;
        case ColTx: v = QStringLiteral("MHz as `receive`, or `off` (no transmit frequency)"); break;
        case ColDecode:
        case ColEncode: v = QStringLiteral("`OFF`, a CTCSS tone of 60.0 to 259.9 Hz (`88.5`), a DCS code `D023N` ... `D754I`"); break;
        case ColName: v = QStringLiteral("up to six letters and digits"); break;
        default: v = listed(choices(f.column)); break;
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
    // Keys that differ only in an entry number are one row: "Code N" with
    // the numbers it takes.
    static const QRegularExpression number(QStringLiteral("\\b(\\d+)\\b"));
    for (size_t i = 0; i < mapSections().size(); ++i) {
        const MapSection& section = mapSections()[i];
        out += QStringLiteral("\n**%1**: %2:\n\n| key | values |\n|---|---|\n").arg(section.name, intro[i]);
        struct Row {
            QString key, pattern, values, oldKey;
            QList<int> numbers;
        };
        std::vector<Row> rows;
        for (const Key& k : section.keys) {
            const QRegularExpressionMatch m = number.match(k.key);
            const QString pattern = m.hasMatch() ? QString(k.key).replace(m.capturedStart(), m.capturedLength(), QStringLiteral("N")) : k.key;
            auto it = std::ranges::find_if(rows, [&](const Row& r) { return m.hasMatch() && r.pattern == pattern && r.values == k.values; });
            if (it == rows.end()) {
                rows.push_back({k.key, pattern, k.values, k.oldKey, {}});
                it = rows.end() - 1;
            }
            if (m.hasMatch())
                it->numbers << m.captured(1).toInt();
        }
        for (const Row& r : rows) {
            if (r.numbers.size() > 1)
                out += QStringLiteral("| `%1` (N = %2-%3) | %4 |\n").arg(r.pattern).arg(r.numbers.first()).arg(r.numbers.last()).arg(r.values);
            else if (!r.oldKey.isEmpty())
                out += QStringLiteral("| `%1` (earlier `%2`) | %3 |\n").arg(r.key, r.oldKey, r.values);
            else
                out += QStringLiteral("| `%1` | %2 |\n").arg(r.key, r.values);
        }
    }
    return out;
}

std::vector<Setting> settings_of(const Image& image)
{
    std::vector<Setting> out;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n)) {
            out.push_back({kChannelSection, n, QStringLiteral("empty"), QStringLiteral("true")});
            continue;
        }
        const ChannelTexts texts = decode_channel(image, n);
        for (const ChannelField& f : kChannelFields) {
            if (f.column == ColEncode && texts[ColTx].isEmpty())
                continue;  // no transmit frequency: the grid shows no encode tone
            out.push_back({kChannelSection, n, QLatin1String(f.key), shown(texts, f.column)});
        }
    }
    for (int p = 1; p <= fm::kPresets; ++p) {
        const fm::PresetTexts t = fm::decode_preset(image, p);
        if (fm::is_empty(image, p) || t.frequency.isEmpty()) {
            out.push_back({kPresetSection, p, QStringLiteral("empty"), QStringLiteral("true")});
            continue;
        }
        out.push_back({kPresetSection, p, QStringLiteral("frequency"), t.frequency});
        out.push_back({kPresetSection, p, QStringLiteral("name"), t.name});
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
    const ApplyLimits scope(limits);
    Applied result;
    if (text.size() > kMaxConfigBytes) {
        result.problems.push_back({0, 0, QStringLiteral("the file is %1 bytes; at most %2 are read").arg(text.size()).arg(kMaxConfigBytes)});
        return result;
    }
    if (text.trimmed().isEmpty()) {
        result.problems.push_back({1, 1, QStringLiteral("the file is empty: it names no setting")});
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
    if (!root.IsMap()) {
        result.problems.push_back(at(root, QStringLiteral("the file is a map of sections: channels, fm presets, options")));
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
            result.problems.push_back(at(pair.first, QStringLiteral("the section \"%1\" is given twice").arg(key)));
            continue;
        }
        const auto map = std::ranges::find_if(mapSections(), [&](const MapSection& m) { return m.name == key; });
        if (map != mapSections().end()) {
            applyMap(pair.second, *map, copy, result);
        } else if (key == kChannelSection || key == kPresetSection) {
            if (!pair.second.IsSequence()) {
                result.problems.push_back(at(pair.second, QStringLiteral("%1 is a list").arg(key)));
                continue;
            }
            std::set<int> seen;
            for (const auto& item : pair.second)
                applyItem(item, copy, key == kChannelSection, seen, result);
        } else {
            result.problems.push_back(at(pair.first, unknownKey(key, known)));
        }
    }
    if (result.ok())
        image = copy;
    return result;
}

QStringList diff_images(const Image& a, const Image& b)
{
    QStringList out;
    // The settings of each side by item: (section, item) -> key -> value, in
    // document order.
    using Item = std::pair<QString, int>;
    const auto byItem = [](const std::vector<Setting>& all) {
        std::vector<std::pair<Item, std::vector<std::pair<QString, QString>>>> items;
        for (const Setting& s : all) {
            if (items.empty() || items.back().first != Item{s.section, s.item})
                items.push_back({{s.section, s.item}, {}});
            items.back().second.push_back({s.key, s.value});
        }
        return items;
    };
    const auto sa = byItem(settings_of(a)), sb = byItem(settings_of(b));
    const auto label = [](const Item& item, const QString& key) {
        const QString tail = key.isEmpty() ? QString() : QLatin1Char(' ') + key;
        if (item.first == kChannelSection)
            return QStringLiteral("channel %1%2").arg(item.second).arg(tail);
        if (item.first == kPresetSection)
            return QStringLiteral("fm preset %1%2").arg(item.second).arg(tail);
        return QStringLiteral("%1.%2").arg(item.first, key);
    };
    const auto whole = [](const std::vector<std::pair<QString, QString>>& values) {
        if (values.size() == 1 && values[0].first == u"empty")
            return QStringLiteral("empty");
        QStringList parts;
        for (const auto& [key, value] : values)
            parts << key + QLatin1Char(' ') + value;
        return parts.join(QStringLiteral(", "));
    };
    // Both sides list the same items in the same order.
    for (size_t i = 0; i < std::min(sa.size(), sb.size()); ++i) {
        const auto& [item, va] = sa[i];
        const auto& vb = sb[i].second;
        const bool emptyA = va.size() == 1 && va[0].first == u"empty", emptyB = vb.size() == 1 && vb[0].first == u"empty";
        if (item.second >= 0 && (emptyA || emptyB)) {
            if (emptyA != emptyB)
                out << QStringLiteral("%1: %2 -> %3").arg(label(item, {}), whole(va), whole(vb));
            continue;
        }
        std::map<QString, QString> other(vb.begin(), vb.end());
        for (const auto& [key, value] : va) {
            const auto it = other.find(key);
            const QString now = it == other.end() ? QStringLiteral("(none)") : it->second;
            if (now != value)
                out << QStringLiteral("%1: %2 -> %3").arg(label(item, key), value, now);
            if (it != other.end())
                other.erase(it);
        }
        for (const auto& [key, value] : other)
            out << QStringLiteral("%1: (none) -> %2").arg(label(item, key), value);
    }
    // Bytes no named setting explains: a with every setting of b applied
    // still differs from b there.
    Image explained = a;
    const Applied applied = apply_config(export_config(b), explained, kDefaultBandLimits);
    for (int r = 0; r < Image::kRows; ++r) {
        if (std::ranges::equal(a.row(r), b.row(r)))
            continue;
        if (applied.ok() && std::ranges::equal(explained.row(r), b.row(r)))
            continue;
        const auto hex = [](const Image& image, int row) {
            return QByteArray(reinterpret_cast<const char*>(image.row(row).data()), Image::kRowBytes).toHex(' ').toUpper();
        };
        out << QStringLiteral("row %1: %2 -> %3").arg(r).arg(QString::fromLatin1(hex(a, r)), QString::fromLatin1(hex(b, r)));
    }
    return out;
}

}  // namespace vx::config
