// The data file as text: what the windows would show, decoded with the same
// codecs.
#include "cli/commands.h"

#include "editors/channels/channel_codec.h"
#include "editors/fm/fm_codec.h"

namespace vx::cli {

namespace {

void showChannels(const Image& image, QTextStream& out)
{
    using namespace channels;
    out << "Channels" << Qt::endl;
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8").arg(QStringLiteral("No."), -4).arg(QStringLiteral("RX MHz"), -10)
               .arg(QStringLiteral("TX MHz"), -10).arg(QStringLiteral("Decode"), -7).arg(QStringLiteral("Encode"), -7)
               .arg(QStringLiteral("Power"), -5).arg(QStringLiteral("W/N"), -3).arg(QStringLiteral("Name"))
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
    out << QStringLiteral("(%1 of %2 channels in use)").arg(shown).arg(kChannels) << Qt::endl;
}

void showFmPresets(const Image& image, QTextStream& out)
{
    out << Qt::endl << "FM presets" << Qt::endl;
    for (int p = 1; p <= fm::kPresets; ++p) {
        const fm::PresetTexts t = fm::decode_preset(image, p);
        out << QStringLiteral("%1 %2 %3").arg(p, -4).arg(t.frequency.isEmpty() ? QStringLiteral("-") : t.frequency, -10).arg(t.name)
            << Qt::endl;
    }
}

}  // namespace

void showImage(const Image& image, QTextStream& out)
{
    showChannels(image, out);
    showFmPresets(image, out);
}

}  // namespace vx::cli
