#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "interchange/csv/channel_csv_reader.h"
#include "image/record.h"
#include "image/tones.h"

#include <QList>

#include <algorithm>
#include <array>
#include <numeric>

namespace vx::channels {

namespace {

using namespace csv_parts;
using O = ChannelOffsets;

// ------------------------------------------------------------------- export

QByteArray csvField(const QString& s, char separator)
{
    QByteArray b = s.toUtf8();
    if (b.contains(separator) || b.contains('"') || b.contains('\n') || b.contains('\r')) {
        b.replace("\"", "\"\"");
        b = '"' + b + '"';
    }
    return b;
}

QString dcsCode(const ToneValue& t) { return QString::number(tones::dcs_number(t.index)).rightJustified(3, QLatin1Char('0')); }
QChar polarityOf(const ToneValue& t)
{
    return t.kind == ToneValue::Dcs && tones::kind(t.index) == tones::Kind::DcsInverted ? QLatin1Char('R') : QLatin1Char('N');
}

// The tone columns of one channel: Tone, rToneFreq, cToneFreq, DtcsCode,
// DtcsPolarity, RxDtcsCode, CrossMode. Unused columns hold the values the
// common layout writes for them.
std::array<QString, 7> toneFields(const ToneValue& enc, const ToneValue& dec)
{
    QString mode, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5"), code = QStringLiteral("023"),
                  rxCode = QStringLiteral("023"), cross = QStringLiteral("Tone->Tone");
    const QString polarity = QString(polarityOf(enc)) + polarityOf(dec);
    const auto side = [](const ToneValue& t) {
        return t.kind == ToneValue::Ctcss ? QStringLiteral("Tone") : t.kind == ToneValue::Dcs ? QStringLiteral("DTCS") : QString();
    };
    if (enc.kind == ToneValue::Ctcss)
        rTone = tenths_text(enc.tenths);
    if (dec.kind == ToneValue::Ctcss)
        cTone = tenths_text(dec.tenths);
    if (enc.kind == ToneValue::Dcs)
        code = dcsCode(enc);
    if (dec.kind == ToneValue::Dcs)
        rxCode = dcsCode(dec);
    if (enc.kind == ToneValue::Off && dec.kind == ToneValue::Off) {
    } else if (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Off) {
        mode = QStringLiteral("Tone");
    } else if (enc.kind == ToneValue::Ctcss && dec == enc) {
        mode = QStringLiteral("TSQL");
        rTone = cTone;
    } else if (enc.kind == ToneValue::Dcs && dec.kind == ToneValue::Dcs && code == rxCode) {
        mode = QStringLiteral("DTCS");
    } else {
        mode = QStringLiteral("Cross");
        cross = side(enc) + QStringLiteral("->") + side(dec);
        if (enc.kind == ToneValue::Dcs && dec.kind != ToneValue::Dcs)
            rxCode = code;
        if (dec.kind == ToneValue::Dcs && enc.kind != ToneValue::Dcs)
            code = rxCode;
    }
    return {mode, rTone, cTone, code, polarity, rxCode, cross};
}

QByteArray channelLine(const Image& image, int n, char separator = ',')
{
    const RecordView view(image, record_row(n));
    const Hz rx = unitsToHz(O::rxFreq.units(view));
    QString duplex, offset = QStringLiteral("0.000000");
    if (O::txFreq.none(view)) {
        duplex = QStringLiteral("off");
    } else if (const Hz tx = unitsToHz(O::txFreq.units(view)); tx != rx) {
        if (vhf(tx) == vhf(rx)) {
            duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            offset = mhzText(tx > rx ? tx - rx : rx - tx, 6);
        } else {
            duplex = QStringLiteral("split");
            offset = mhzText(tx, 6);
        }
    }
    const ToneValue dec = O::decodeTone.value(view);
    const ToneValue enc = O::txFreq.none(view) ? ToneValue{} : O::encodeTone.value(view);
    const auto tone = toneFields(enc, dec);
    const ChannelTexts t = decode_channel(image, n);
    const QList<QString> fields{QString::number(n), t[ColName], mhzText(rx, 6), duplex, offset,
                                tone[0], tone[1], tone[2], tone[3], tone[4], tone[5], tone[6],
                                t[ColBandwidth] == QLatin1String("N") ? QStringLiteral("NFM") : QStringLiteral("FM"),
                                (rx / kHzPerUnit) % 250 == 0 ? QStringLiteral("2.50") : QStringLiteral("6.25"),
                                t[ColScanAdd] == QLatin1String("OFF") ? QStringLiteral("S") : QString(),
                                t[ColPower] == QLatin1String("LOW") ? QStringLiteral("Low") : QStringLiteral("High"),
                                QString(), QString(), QString(), QString(), QString()};
    QByteArray line;
    for (const QString& f : fields)
        line += (line.isEmpty() ? QByteArray() : QByteArray(1, separator)) + csvField(f, separator);
    return line + "\r\n";
}

}  // namespace

QByteArray export_csv(const Image& image)
{
    std::vector<int> all(kChannels);
    std::iota(all.begin(), all.end(), 0);
    return export_channels(image, all, ',');
}

QByteArray export_channels(const Image& image, const std::vector<int>& channels, char separator)
{
    QByteArray out = QByteArray(kCsvHeader).replace(',', separator) + "\r\n";
    for (int n : channels)
        if (valid_channel(n) && !is_empty(image, n))
            out += channelLine(image, n, separator);
    return out;
}

std::vector<int> export_problems(const Image& image, const BandLimits& limits)
{
    const auto readsBack = [&](const Image& back, int n) {
        return std::ranges::equal(back.row(record_row(n)), image.row(record_row(n)))
               && std::ranges::equal(back.row(name_row(n)), image.row(name_row(n)));
    };
    // All at once; when that is refused, one channel at a time to find which.
    Image all = image;
    const bool whole = import_csv(export_csv(image), all, {limits}).ok();
    std::vector<int> out;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
        if (whole) {
            if (!readsBack(all, n))
                out.push_back(n);
            continue;
        }
        Image back = image;
        if (!import_csv(kCsvHeader + "\r\n" + channelLine(image, n), back, {limits}).ok() || !readsBack(back, n))
            out.push_back(n);
    }
    return out;
}

}  // namespace vx::channels
