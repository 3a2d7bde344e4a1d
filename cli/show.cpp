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

void showChannels(const Image& image, QTextStream& out)
{
    using namespace channels;
    out << T::channels.str() << Qt::endl;
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8").arg(T::number.str(), -4).arg(T::rxMhz.str(), -10)
               .arg(T::txMhz.str(), -10).arg(T::decode.str(), -7).arg(T::encode.str(), -7)
               .arg(T::power.str(), -5).arg(QStringLiteral("W/N"), -3).arg(T::name.str())
        << Qt::endl;
    int shown = 0;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
        const ChannelTexts t = decode_channel(image, n);
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8").arg(n, -4).arg(t[ColRx], -10).arg(t[ColTx].isEmpty() ? QStringLiteral("-") : t[ColTx], -10)
                   .arg(t[ColDecode], -7).arg(t[ColEncode].isEmpty() ? QStringLiteral("-") : t[ColEncode], -7).arg(t[ColPower], -5)
                   .arg(t[ColBandwidth], -3).arg(t[ColName])
            << Qt::endl;
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
    // One line a setting, by the label the window shows; the two message
    // lines share one.
    for (const Setting& s : kSettings) {
        QString value;
        switch (s.kind) {
        case SettingKind::List: value = entry(*s.list, setting_position(block, s)); break;
        case SettingKind::OnOff: value = check_state(block, s) ? T::on.str() : T::off.str(); break;
        case SettingKind::Text: value = QLatin1Char('"') + text_value(block, s) + QLatin1Char('"'); break;
        }
        out << QStringLiteral("%1 %2").arg(s.label.str().trimmed(), -24).arg(value) << Qt::endl;
    }
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
