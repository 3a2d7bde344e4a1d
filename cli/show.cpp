// The data file as text: what the windows would show, decoded with the same
// codecs.
#include "cli/commands.h"

#include "cli/cli_texts.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"
#include "editors/options/option_codec.h"
#include "editors/options/option_lists.h"

namespace vx::cli {

namespace {

namespace T = cli_text::show;

// The columns of the channel grid a channel line shows, by column id, with
// show's own short headings; an empty cell shows "-".
struct ShownColumn {
    channels::Column id;
    const Text* heading;  // null: the literal "W/N"
    int width;            // 0: the rest of the line
};
const ShownColumn kShownColumns[] = {
    {channels::ColRx, &T::rxMhz, 10},   {channels::ColTx, &T::txMhz, 10},       {channels::ColDecode, &T::decode, 7},
    {channels::ColEncode, &T::encode, 7}, {channels::ColPower, &T::power, 5}, {channels::ColBandwidth, nullptr, 3},
    {channels::ColName, &T::name, 0},
};

void showChannels(const Image& image, QTextStream& out)
{
    using namespace channels;
    out << T::channels.str() << Qt::endl;
    QString heading = QStringLiteral("%1").arg(T::number.str(), -4);
    for (const ShownColumn& c : kShownColumns)
        heading += QLatin1Char(' ') + QStringLiteral("%1").arg(c.heading ? c.heading->str() : QStringLiteral("W/N"), -c.width);
    out << heading << Qt::endl;
    int shown = 0;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
        const ChannelTexts t = decode_channel(image, n);
        QString line = QStringLiteral("%1").arg(n, -4);
        for (const ShownColumn& c : kShownColumns) {
            const QString& cell = t[size_t(c.id)];
            const bool dash = cell.isEmpty() && (c.id == ColTx || c.id == ColEncode);
            line += QLatin1Char(' ') + QStringLiteral("%1").arg(dash ? QStringLiteral("-") : cell, -c.width);
        }
        out << line << Qt::endl;
        ++shown;
    }
    out << T::inUse.str().arg(shown).arg(kChannels) << Qt::endl;
}

void showFmPresets(const Image& image, QTextStream& out)
{
    out << Qt::endl << T::fmPresets.str() << Qt::endl;
    for (int p = 1; p <= fm::kPresets; ++p) {
        const fm::PresetTexts t = fm::decode_preset(image, p);
        out << QStringLiteral("%1 %2 %3").arg(p, -4).arg(t.frequency.isEmpty() ? QStringLiteral("-") : t.frequency, -10).arg(t.name)
            << Qt::endl;
    }
}

// The entry a list shows for a stored position, past-the-end values as the
// last entry (what the editor selects).
QString entry(const options::Choices& list, int position)
{
    const QStringList entries = list.entries();
    return entries.isEmpty() ? QString() : entries.at(std::clamp(position, 0, int(entries.size()) - 1));
}

void showVfos(const Image& image, QTextStream& out)
{
    using namespace options;
    out << Qt::endl << T::vfos.str() << Qt::endl;
    for (const Vfo v : {Vfo::A, Vfo::B}) {
        const RecordView r = vfo_view(image, v);
        auto tone = [&](field::Tone16le f) {
            const TonePair p = f.pair(r);
            const VfoTone t = decode_vfo_tone(p.low, p.high);
            return t.position >= 0 ? vfo_tone_entries(chinese()).value(t.position) : t.text;
        };
        out << T::vfoLine.str()
                   .arg(v == Vfo::A ? QLatin1Char('A') : QLatin1Char('B'))
                   .arg(vfo_frequency(image, v))
                   .arg(vfo_is_vhf(image, v) ? QStringLiteral("VHF") : QStringLiteral("UHF"))
                   .arg(entry(lists::shiftDirection, VfoLayout::shiftDirection.get(r)))
                   .arg(offset_labels().value(vfo_offset(image, v)))
                   .arg(entry(lists::step, VfoLayout::step.get(r)))
                   .arg(tone(VfoLayout::rxTone), tone(VfoLayout::txTone))
                   .arg(entry(lists::power, VfoLayout::power.get(r)), entry(lists::bandwidth, VfoLayout::bandwidth.get(r)))
                   .arg(entry(lists::signalCode, VfoLayout::signalCode.get(r)))
                   .arg(entry(lists::optionalSignal, VfoLayout::optionalSignal.get(r)))
            << Qt::endl;
    }
}

void showOptions(const Image& image, QTextStream& out)
{
    using namespace options;
    OptionBlock block;
    block.load(image);
    out << Qt::endl << T::options.str() << Qt::endl;
    // One line a label the window shows: settings that share one (the two
    // message lines) share its line, their values joined by " / ".
    QString label;
    QString line;
    for (const Setting& s : kSettings) {
        QString value;
        switch (s.kind) {
        case SettingKind::List: value = entry(*s.list, setting_position(block, s)); break;
        case SettingKind::OnOff: value = check_state(block, s) ? T::on.str() : T::off.str(); break;
        case SettingKind::Text: value = QLatin1Char('"') + text_value(block, s) + QLatin1Char('"'); break;
        }
        const QString shown = s.label.str().trimmed();
        if (shown == label) {
            line += QStringLiteral(" / ") + value;
            continue;
        }
        if (!line.isEmpty())
            out << line << Qt::endl;
        label = shown;
        line = QStringLiteral("%1 %2").arg(shown, -24).arg(value);
    }
    if (!line.isEmpty())
        out << line << Qt::endl;
}

}  // namespace

void showImage(const Image& image, QTextStream& out)
{
    options::build_option_constants();
    showChannels(image, out);
    showFmPresets(image, out);
    showVfos(image, out);
    showOptions(image, out);
}

}  // namespace vx::cli
