#include "editors/channels/channel_codec.h"

#include "editors/channels/channel_columns.h"

#include "image/codecs.h"
#include "image/tones.h"
#include "image/typed_values.h"

#include <algorithm>

namespace vx::channels {

namespace {

using O = ChannelOffsets;
using N = NameOffsets;

// The entry of `column`'s list at position v, blank past its end.
QString choiceText(int column, int v)
{
    const QStringList& list = choices(column);
    return v >= 0 && v < list.size() ? list.at(v) : QString();
}

void writeTone(Image& image, int n, Tone which, TonePair pair)
{
    const RecordRef rec(image, record_row(n));
    O::encodeTone.put(rec, pair);
    if (which == Tone::Decode)
        O::decodeTone.put(rec, pair);
}

}  // namespace

bool is_empty(const Image& image, int n)
{
    return !valid_channel(n) || O::rxFreq.none(RecordView(image, record_row(n)));
}

ChannelTexts decode_channel(const Image& image, int n)
{
    ChannelTexts t;
    if (is_empty(image, n))
        return t;
    const RecordView rec(image, record_row(n));
    t[ColBand] = kBandText;
    t[ColRx] = O::rxFreq.get(rec);
    t[ColDecode] = O::decodeTone.get(rec);
    if (!O::txFreq.none(rec)) {
        t[ColTx] = O::txFreq.get(rec);
        t[ColEncode] = O::encodeTone.get(rec);
    }
    for (const ChannelColumn& c : kChannelColumns)
        if (c.hook == ColumnHook::Choice)
            t[size_t(c.id)] = choiceText(c.id, c.bits.get(rec));
    t[ColPower] = choiceText(ColPower, low_power(image, n) ? 1 : 0);
    t[ColName] = N::name.get(RecordView(image, name_row(n)));
    return t;
}

bool normalise_channel(Image& image, int n)
{
    if (!valid_channel(n) || !is_empty(image, n))
        return false;
    auto blank = [&](int r) { return std::ranges::all_of(std::as_const(image).row(r), [](uint8_t b) { return b == Image::kFill; }); };
    if (blank(record_row(n)) && blank(name_row(n)))
        return false;
    delete_channel(image, n);
    return true;
}

void new_channel(Image& image, int n)
{
    if (!valid_channel(n))
        return;
    const RecordRef rec(image, record_row(n));
    rec.fill(O::decodeTone.offset, Image::kRowBytes - O::decodeTone.offset, 0x00);
    O::scanAdd.put(rec, 1);
    image.fillRows(name_row(n), name_row(n));
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
    if (!valid_channel(n))
        return;
    image.fillRows(record_row(n), record_row(n));
    image.fillRows(name_row(n), name_row(n));
}

void set_rx(Image& image, int n, QStringView text)
{
    set_rx_only(image, n, text);
    set_tx(image, n, text);
}

void set_rx_only(Image& image, int n, QStringView text)
{
    if (!valid_channel(n))
        return;
    O::rxFreq.put(RecordRef(image, record_row(n)), text);
}

void set_tx(Image& image, int n, QStringView text)
{
    if (!valid_channel(n))
        return;
    O::txFreq.put(RecordRef(image, record_row(n)), text);
}

void remove_tx(Image& image, int n)
{
    if (!valid_channel(n))
        return;
    const RecordRef rec(image, record_row(n));
    O::txFreq.clear(rec);
    O::encodeTone.put(rec, TonePair{0xFF, 0xFF});
}

void set_tone(Image& image, int n, Tone which, int index)
{
    if (!valid_channel(n) || !tones::valid(index))
        return;
    writeTone(image, n, which, encode_tone_index(index));
}

void set_tone_pair(Image& image, int n, Tone which, TonePair pair)
{
    if (!valid_channel(n))
        return;
    writeTone(image, n, which, pair);
}

void set_tone_value(Image& image, int n, Tone which, double hz)
{
    if (!valid_channel(n))
        return;
    writeTone(image, n, which, encode_tone_value(hz));
}

void set_choice(Image& image, int n, int column, int p)
{
    if (!valid_channel(n) || column < ColPower || column > ColScrambler)
        return;
    if (p < 0 || p >= choices(column).size())
        return;
    const ChannelColumn* c = channel_column(column);
    if (c->hook == ColumnHook::Power)
        return set_power(image, n, p == 1);
    c->bits.put(RecordRef(image, record_row(n)), p);
}

bool low_power(const Image& image, int n)
{
    return valid_channel(n) && O::powerRead.get(RecordView(image, record_row(n))) == 1;
}

void set_power(Image& image, int n, bool low)
{
    if (!valid_channel(n) || low_power(image, n) == low)
        return;
    const RecordRef rec(image, record_row(n));
    O::power.put(rec, low ? 1 : 0);
    if (low)
        O::powerBit2.put(rec, 0);
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

bool storable_name(QStringView text)
{
    const QString entry = name_entry(text);
    return entry.size() == text.trimmed().size() && std::ranges::all_of(entry, [](QChar c) { return digit_or_capital(c.unicode()); });
}

QString showable_name(QStringView text)
{
    QString out;
    for (QChar c : text) {
        const QChar upper = c.unicode() < 128 ? c.toUpper() : c;
        if (digit_or_capital(upper.unicode()))
            out += upper;
    }
    return out;
}

void set_name(Image& image, int n, QStringView text)
{
    if (!valid_channel(n))
        return;
    N::name.put(RecordRef(image, name_row(n)), name_entry(text));
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
        else if (b >= 48 && b <= 250 && ansi_char(b))
            out += QChar(ansi_char(b));
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
    constexpr auto ctcss = encode_ctcss;
    const Factory factory[] = {
        {0, "155.025", ctcss(670)},  {1, "136.1", ctcss(1000)},  {2, "173.95", ctcss(1273)},
        {3, "400.025", ctcss(2035)}, {4, "479.95", kNoTone},     {5, "436.5", ctcss(2503)},
        {6, "155.5", TonePair{0xD2, 0x00}},                       {199, "480.625", kNoTone},
    };
    constexpr RecordDefault base[] = {{0, {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x04}}};
    for (const Factory& f : factory) {
        const RecordRef rec(image, record_row(f.channel));
        rec.lay(base);
        const QString freq = QString::fromLatin1(f.freq);
        O::rxFreq.put(rec, freq);
        O::txFreq.put(rec, freq);
        O::decodeTone.put(rec, f.tone);
        O::encodeTone.put(rec, f.tone);
    }
}

// ---------------------------------------------------------------- typed values

bool in_enter_range(double mhz, const BandLimits& l)
{
    return mhz >= l.aLow && mhz <= l.bHigh && !(mhz > l.aHigh && mhz < l.bLow);
}

bool in_leave_range(double mhz, const BandLimits& l)
{
    return mhz >= l.aLow && mhz <= l.bHigh && !(mhz >= l.aHigh + 1 && mhz < l.bLow);
}

QString entered_frequency(QStringView typed)
{
    QString text = typed.trimmed().toString();
    const int length = number_value(text) >= 100 ? 9 : 8;
    if (!text.contains(QLatin1Char('.')))
        text += QLatin1Char('.');
    text.truncate(length);
    while (text.size() < length)
        text += QLatin1Char('0');
    return text;
}

QString lower_limit_text(const BandLimits& l) { return frequency_text_mhz(l.aLow); }

}  // namespace vx::channels
