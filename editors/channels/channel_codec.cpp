#include "editors/channels/channel_codec.h"

#include "image/codecs.h"
#include "image/tones.h"

#include <algorithm>

namespace vx::channels {

namespace {

using O = ChannelOffsets;

QStringList listOf(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromLatin1(t);
    return out;
}

QStringList signalCodes()
{
    QStringList out;
    for (int i = 1; i <= 15; ++i)
        out << QString::number(i);
    return out;
}

// The bit field each choice column writes.
constexpr Bits choiceBits(int column)
{
    switch (column) {
    case ColPower: return O::power;
    case ColBandwidth: return O::bandwidth;
    case ColPttId: return O::pttId;
    case ColBusyLock: return O::busyLock;
    case ColScanAdd: return O::scanAdd;
    case ColSignalCode: return O::signalCode;
    case ColOptionalSignal: return O::optionalSignal;
    case ColSpeakerMute: return O::speakerMute;
    case ColScrambler: return O::scrambler;
    default: return Bits{0, 0, 0};
    }
}

// The entry of `column`'s list at position v, blank past its end.
QString choiceText(int column, int v)
{
    const QStringList& list = choices(column);
    return v >= 0 && v < list.size() ? list.at(v) : QString();
}

std::span<const uint8_t, 4> four(std::span<const uint8_t, Image::kRowBytes> row, int offset)
{
    return std::span<const uint8_t, 4>(row.data() + offset, 4);
}

void writeBytes(Image& image, int row, int offset, std::span<const uint8_t> bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i)
        image.set(row, offset + int(i), bytes[i]);
}

void writeTone(Image& image, int n, Tone which, TonePair pair)
{
    const int r = recordRow(n);
    image.set(r, O::encodeTone, pair.low);
    image.set(r, O::encodeTone + 1, pair.high);
    if (which == Tone::Decode) {
        image.set(r, O::decodeTone, pair.low);
        image.set(r, O::decodeTone + 1, pair.high);
    }
}

}  // namespace

QStringList choices(int column)
{
    static const QStringList band{kBandText};
    static const QStringList power = listOf({"HIGH", "LOW"});
    static const QStringList bandwidth = listOf({"W", "N"});
    static const QStringList pttId = listOf({"OFF", "BOT", "EOT", "BOTH"});
    static const QStringList offOn = listOf({"OFF", "ON"});
    static const QStringList codes = signalCodes();
    static const QStringList optional = listOf({"OFF", "DTMF", "2TONE", "5TONE"});
    static const QStringList mute = listOf({"QT", "AND", "OR"});
    switch (column) {
    case ColBand: return band;
    case ColDecode:
    case ColEncode: return tones::labels();
    case ColPower: return power;
    case ColBandwidth: return bandwidth;
    case ColPttId: return pttId;
    case ColBusyLock:
    case ColScanAdd:
    case ColScrambler: return offOn;
    case ColSignalCode: return codes;
    case ColOptionalSignal: return optional;
    case ColSpeakerMute: return mute;
    default: return {};
    }
}

bool is_empty(const Image& image, int n)
{
    return !validChannel(n) || image.at(recordRow(n), O::rxFreq) == O::kEmpty;
}

ChannelTexts decode_channel(Image& image, int n)
{
    ChannelTexts t;
    if (!validChannel(n))
        return t;
    if (is_empty(image, n)) {
        delete_channel(image, n);
        return t;
    }
    const auto rec = std::as_const(image).row(recordRow(n));
    t[ColBand] = kBandText;
    t[ColRx] = decode_packed(four(rec, O::rxFreq));
    t[ColDecode] = decode_tone(rec[O::decodeTone], rec[O::decodeTone + 1]);
    if (rec[O::txFreq] != O::kEmpty) {
        t[ColTx] = decode_packed(four(rec, O::txFreq));
        t[ColEncode] = decode_tone(rec[O::encodeTone], rec[O::encodeTone + 1]);
    }
    auto field = [&](Bits b) { return b.get(rec[b.byte]); };
    t[ColSignalCode] = choiceText(ColSignalCode, field(O::signalCode));
    t[ColOptionalSignal] = choiceText(ColOptionalSignal, field(O::optionalSignal));
    t[ColSpeakerMute] = choiceText(ColSpeakerMute, field(O::speakerMute));
    t[ColScrambler] = choiceText(ColScrambler, field(O::scrambler));
    t[ColPower] = choiceText(ColPower, field(O::powerRead) == 1 ? 1 : 0);
    t[ColPttId] = choiceText(ColPttId, field(O::pttId));
    t[ColScanAdd] = choiceText(ColScanAdd, field(O::scanAdd));
    t[ColBusyLock] = choiceText(ColBusyLock, field(O::busyLock));
    t[ColBandwidth] = choiceText(ColBandwidth, field(O::bandwidth));
    t[ColName] = strict_name(std::as_const(image).row(nameRow(n)));
    return t;
}

void new_channel(Image& image, int n)
{
    if (!validChannel(n))
        return;
    const int r = recordRow(n);
    for (int b = O::decodeTone; b <= O::scrambler.byte; ++b)
        image.set(r, b, 0x00);
    image.set(r, O::pttId.byte, O::scanAdd.put(0x00, 1));
    image.fillRows(nameRow(n), nameRow(n));
}

ChannelTexts new_channel_texts()
{
    ChannelTexts t;
    const char* texts[] = {"OFF", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF", "QT", "OFF", ""};
    for (int c = ColDecode; c < kColumns; ++c)
        t[size_t(c)] = QString::fromLatin1(texts[c - ColDecode]);
    return t;
}

void delete_channel(Image& image, int n)
{
    if (!validChannel(n))
        return;
    image.fillRows(recordRow(n), recordRow(n));
    image.fillRows(nameRow(n), nameRow(n));
}

void set_rx(Image& image, int n, QStringView text)
{
    if (!validChannel(n))
        return;
    const auto bytes = encode_packed(text);
    writeBytes(image, recordRow(n), O::rxFreq, bytes);
    writeBytes(image, recordRow(n), O::txFreq, bytes);
}

void set_tx(Image& image, int n, QStringView text)
{
    if (!validChannel(n))
        return;
    writeBytes(image, recordRow(n), O::txFreq, encode_packed(text));
}

void remove_tx(Image& image, int n)
{
    if (!validChannel(n))
        return;
    const std::array<uint8_t, 4> none{0xFF, 0xFF, 0xFF, 0xFF};
    writeBytes(image, recordRow(n), O::txFreq, none);
    writeBytes(image, recordRow(n), O::encodeTone, std::span(none).first(2));
}

void set_tone(Image& image, int n, Tone which, int index)
{
    if (!validChannel(n) || !tones::valid(index))
        return;
    writeTone(image, n, which, encode_tone_index(index));
}

void set_tone_value(Image& image, int n, Tone which, double hz)
{
    if (!validChannel(n))
        return;
    writeTone(image, n, which, encode_tone_value(hz));
}

void set_choice(Image& image, int n, int column, int p)
{
    if (!validChannel(n) || column < ColPower || column > ColScrambler)
        return;
    if (p < 0 || p >= choices(column).size())
        return;
    const Bits b = choiceBits(column);
    const int r = recordRow(n);
    image.set(r, b.byte, b.put(image.at(r, b.byte), p));
}

QString name_entry(QStringView text)
{
    // Counted in characters, not UTF-16 units, and upper-cased one character
    // at a time so no character turns into two.
    QList<uint> chars = text.trimmed().toUcs4();
    chars.resize(std::min<qsizetype>(chars.size(), kNameLength));
    QString out;
    for (uint c : chars) {
        const uint upper = QChar::toUpper(c);
        out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&upper), 1);
    }
    return out;
}

void set_name(Image& image, int n, QStringView text)
{
    if (!validChannel(n))
        return;
    const QList<uint> chars = name_entry(text).toUcs4();
    const int r = nameRow(n);
    for (int i = 0; i < kNameLength; ++i) {
        uint8_t b = 0xFF;
        if (i < chars.size()) {
            const uint c = chars[i];
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
                b = uint8_t(c);
        }
        image.set(r, i, b);
    }
}

QString strict_name(std::span<const uint8_t, Image::kRowBytes> row)
{
    QString out;
    if (row[0] == 0xFF)
        return out;
    for (int i = 0; i < kNameLength; ++i) {
        const uint8_t b = row[i];
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z'))
            out += QLatin1Char(char(b));
    }
    return out;
}

QString received_name(std::span<const uint8_t, Image::kRowBytes> row)
{
    QString out;
    if (row[0] == 0xFF)
        return out;
    for (int i = 0; i < kNameLength; ++i) {
        const uint8_t b = row[i];
        if (b <= 9)
            out += QLatin1Char(char('0' + b));
        else if (b >= 17 && b <= 37)
            out += QLatin1Char(char(b + 48));
        else if (b >= 48 && b <= 250)
            out += QChar(ushort(b));  // Latin-1
        else if (b == 251)
            out += QLatin1Char('+');
        else if (b == 253)
            out += QLatin1Char('-');
    }
    return out;
}

std::vector<ReceivedName> received_names(QByteArrayView block, int address)
{
    std::vector<ReceivedName> out;
    constexpr int kFirst = 0x1000;
    constexpr int kLast = 0x2FFF;
    if (address < kFirst || address > kLast)
        return out;
    for (int k = 0; k < 4; ++k) {
        const int channel = (address - kFirst) / Image::kRowBytes + k;
        if (channel >= kChannels)
            break;
        std::array<uint8_t, Image::kRowBytes> row;
        row.fill(0xFF);
        for (int i = 0; i < Image::kRowBytes; ++i) {
            const qsizetype at = qsizetype(k) * Image::kRowBytes + i;
            if (at < block.size())
                row[size_t(i)] = uint8_t(block[at]);
        }
        out.push_back({channel, received_name(row)});
    }
    return out;
}

void load_factory_channels(Image& image)
{
    image.fillRows(region::channels.first, region::channels.last);

    struct Factory {
        int channel;
        const char* freq;
        TonePair tone;
    };
    constexpr TonePair kNoTone{0xFF, 0xFF};
    auto ctcss = [](int tenths) { return TonePair{uint8_t(tenths % 256), uint8_t(tenths / 256)}; };
    const Factory factory[] = {
        {0, "155.025", ctcss(670)},  {1, "136.1", ctcss(1000)},  {2, "173.95", ctcss(1273)},
        {3, "400.025", ctcss(2035)}, {4, "479.95", kNoTone},     {5, "436.5", ctcss(2503)},
        {6, "155.5", TonePair{0xD2, 0x00}},                       {199, "480.625", kNoTone},
    };
    for (const Factory& f : factory) {
        const int r = recordRow(f.channel);
        const std::array<uint8_t, Image::kRowBytes> base{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x04};
        image.setRow(r, base);
        const auto freq = encode_packed(QString::fromLatin1(f.freq));
        writeBytes(image, r, O::rxFreq, freq);
        writeBytes(image, r, O::txFreq, freq);
        const std::array<uint8_t, 2> tone{f.tone.low, f.tone.high};
        writeBytes(image, r, O::decodeTone, tone);
        writeBytes(image, r, O::encodeTone, tone);
    }
}

}  // namespace vx::channels
