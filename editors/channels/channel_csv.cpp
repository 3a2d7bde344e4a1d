#include "editors/channels/channel_csv.h"

#include "editors/channels/channel_codec.h"
#include "image/codecs.h"
#include "image/record.h"
#include "image/tones.h"

#include <QList>
#include <QStringDecoder>

#include <array>
#include <map>
#include <optional>

namespace vx::channels {

namespace {

using O = ChannelOffsets;
constexpr int kColumnCount = 15;
enum Col { Location, Name, Frequency, Duplex, Offset, ToneMode, RTone, CTone, DtcsCode, DtcsPolarity, Mode, TStep, Skip, Power, Comment };

// Frequencies in hertz, exactly.
using Hz = int64_t;
constexpr Hz kHzPerUnit = 10;  // the image stores 10 Hz units

QString mhzText(Hz hz, int decimals)
{
    QString frac = QString::number(hz % 1'000'000).rightJustified(6, QLatin1Char('0'));
    return QString::number(hz / 1'000'000) + QLatin1Char('.') + frac.left(decimals);
}

// "145.5", "145.500000": whole hertz, up to six decimals; anything else fails.
std::optional<Hz> parseMhz(QStringView text)
{
    text = text.trimmed();
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? text : text.left(dot);
    QStringView frac = dot < 0 ? QStringView() : text.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 4 || frac.size() > 9)
        return std::nullopt;
    for (QChar c : whole)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    for (QChar c : frac)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    while (frac.size() > 6) {
        if (frac.back() != QLatin1Char('0'))
            return std::nullopt;  // finer than a hertz
        frac.chop(1);
    }
    Hz hz = whole.toLongLong() * 1'000'000;
    Hz scale = 100'000;
    for (QChar c : frac) {
        hz += (c.unicode() - '0') * scale;
        scale /= 10;
    }
    return hz;
}

Hz unitsToHz(Units10Hz u) { return Hz(u) * kHzPerUnit; }

bool vhf(Hz hz) { return hz < 300'000'000; }

// The test the channel grid applies to a typed frequency on Enter.
bool inRange(Hz hz, const BandLimits& l) { return in_enter_range(double(hz) / 1e6, l); }

bool onRaster(Hz hz) { return hz % kHzPerUnit == 0 && ((hz / kHzPerUnit) % 250 == 0 || (hz / kHzPerUnit) % 625 == 0); }

QByteArray csvField(const QString& s)
{
    QByteArray b = s.toUtf8();
    if (b.contains(',') || b.contains('"')) {
        b.replace("\"", "\"\"");
        b = '"' + b + '"';
    }
    return b;
}

// Splits one line into fields; quotes may hold commas and doubled quotes.
std::optional<QStringList> splitCsv(const QString& line)
{
    QStringList out;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char(',')) {
            out << field;
            field.clear();
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    out << field;
    return out;
}

// One channel as the CSV gives it, checked.
struct Row {
    int line = 0;
    int location = 0;
    QString name;
    Hz rx = 0;
    std::optional<Hz> tx;
    ToneValue decode, encode;
    bool narrow = false;
    bool skip = false;
    bool low = false;
};

struct Parser {
    const BandLimits& limits;
    std::vector<CsvProblem>& problems;
    int line = 0;

    void fail(const QString& reason) { problems.push_back({line, reason}); }

    std::optional<Hz> frequency(const QString& text, const char* what)
    {
        const auto hz = parseMhz(text);
        if (!hz) {
            fail(QStringLiteral("%1 \"%2\" is not a frequency in MHz").arg(QLatin1String(what), text));
            return std::nullopt;
        }
        if (!inRange(*hz, limits)) {
            fail(QStringLiteral("%1 %2 MHz is outside the band limits (%3-%4 and %5-%6 MHz)")
                     .arg(QLatin1String(what), mhzText(*hz, 6))
                     .arg(limits.aLow)
                     .arg(limits.aHigh)
                     .arg(limits.bLow)
                     .arg(limits.bHigh));
            return std::nullopt;
        }
        if (!onRaster(*hz)) {
            fail(QStringLiteral("%1 %2 MHz is on neither the 2.5 kHz nor the 6.25 kHz raster")
                     .arg(QLatin1String(what), mhzText(*hz, 6)));
            return std::nullopt;
        }
        return hz;
    }

    std::optional<ToneValue> ctcss(const QString& text, const char* column)
    {
        const auto hz = parseMhz(text);  // the same decimal reading, in Hz
        const int tenths = hz ? int(*hz / 100'000) : -1;
        if (!hz || *hz % 100'000 != 0 || !typed_tone_in_range(tenths / 10.0)) {
            fail(QStringLiteral("%1 \"%2\" is not a CTCSS tone of 60.0 to 259.9 Hz").arg(QLatin1String(column), text));
            return std::nullopt;
        }
        return ToneValue{ToneValue::Ctcss, tenths, 0};
    }

    std::optional<std::pair<ToneValue, ToneValue>> dcs(const QString& code, const QString& polarity)
    {
        bool ok = false;
        const int number = code.trimmed().toInt(&ok);
        const QString pol = polarity.trimmed().toUpper();
        const bool polOk = pol.size() == 2 && QStringLiteral("NR").contains(pol[0]) && QStringLiteral("NR").contains(pol[1]);
        const auto normal = ok ? tones::index_of(QStringLiteral("D%1N").arg(number, 3, 10, QLatin1Char('0'))) : std::nullopt;
        if (!normal) {
            fail(QStringLiteral("DtcsCode \"%1\" is not a DCS code of the tone list").arg(code));
            return std::nullopt;
        }
        if (!polOk) {
            fail(QStringLiteral("DtcsPolarity \"%1\" is not NN, NR, RN or RR").arg(polarity));
            return std::nullopt;
        }
        const int inverted = *normal - tones::kFirstDcsNormal + tones::kFirstDcsInverted;
        auto pick = [&](QChar p) { return ToneValue{ToneValue::Dcs, 0, p == QLatin1Char('N') ? *normal : inverted}; };
        return std::pair{pick(pol[1]), pick(pol[0])};  // decode (receive), encode (transmit)
    }

    std::optional<Row> row(const QStringList& f)
    {
        Row r;
        r.line = line;
        const size_t before = problems.size();
        bool ok = false;
        r.location = f[Location].trimmed().toInt(&ok);
        if (!ok || r.location < 0 || r.location >= kChannels)
            fail(QStringLiteral("Location \"%1\" is not a channel number 0-199").arg(f[Location]));

        r.name = f[Name].trimmed();
        if (r.name.size() > kNameLength)
            fail(QStringLiteral("Name \"%1\" is longer than %2 characters").arg(r.name).arg(kNameLength));
        for (QChar c : r.name)
            if (!(c.unicode() < 128 && c.isLetterOrNumber())) {
                fail(QStringLiteral("Name \"%1\" holds a character other than a letter or a digit").arg(r.name));
                break;
            }
        r.name = r.name.toUpper();

        const auto rx = frequency(f[Frequency], "Frequency");
        if (rx)
            r.rx = *rx;
        const QString duplex = f[Duplex].trimmed().toLower();
        if (duplex.isEmpty()) {
            r.tx = r.rx;
        } else if (duplex == QLatin1String("off")) {
            r.tx.reset();
        } else if (duplex == QLatin1String("+") || duplex == QLatin1String("-") || duplex == QLatin1String("split")) {
            const auto offset = parseMhz(f[Offset]);
            if (!offset) {
                fail(QStringLiteral("Offset \"%1\" is not a frequency in MHz").arg(f[Offset]));
            } else if (rx) {
                const Hz tx = duplex == QLatin1String("split") ? *offset : duplex == QLatin1String("+") ? r.rx + *offset : r.rx - *offset;
                if (const auto checked = frequency(mhzText(std::max<Hz>(tx, 0), 6), "Transmit frequency"))
                    r.tx = *checked;
            }
        } else {
            fail(QStringLiteral("Duplex \"%1\" is not empty, +, -, split or off").arg(f[Duplex]));
        }

        const QString mode = f[ToneMode].trimmed();
        if (mode.isEmpty()) {
        } else if (mode == QLatin1String("Tone")) {
            if (const auto t = ctcss(f[RTone], "rToneFreq"))
                r.encode = *t;
        } else if (mode == QLatin1String("TSQL")) {
            if (const auto t = ctcss(f[CTone], "cToneFreq"))
                r.encode = r.decode = *t;
        } else if (mode == QLatin1String("DTCS")) {
            if (const auto d = dcs(f[DtcsCode], f[DtcsPolarity]))
                std::tie(r.decode, r.encode) = *d;
        } else if (mode == QLatin1String("Cross")) {
            const auto tx = ctcss(f[RTone], "rToneFreq");
            const auto rxTone = ctcss(f[CTone], "cToneFreq");
            if (tx && rxTone) {
                r.encode = *tx;
                r.decode = *rxTone;
            }
        } else {
            fail(QStringLiteral("Tone \"%1\" is not empty, Tone, TSQL, DTCS or Cross").arg(mode));
        }
        if (!r.tx && r.encode.kind != ToneValue::Off)
            fail(QStringLiteral("a channel that does not transmit cannot send a tone"));

        const QString m = f[Mode].trimmed();
        if (m == QLatin1String("NFM"))
            r.narrow = true;
        else if (m != QLatin1String("FM"))
            fail(QStringLiteral("Mode \"%1\" is not FM or NFM").arg(m));
        const QString skip = f[Skip].trimmed();
        if (skip == QLatin1String("S"))
            r.skip = true;
        else if (!skip.isEmpty())
            fail(QStringLiteral("Skip \"%1\" is not empty or S").arg(skip));
        const QString power = f[Power].trimmed().toLower();
        if (power == QLatin1String("low"))
            r.low = true;
        else if (!power.isEmpty() && power != QLatin1String("high"))
            fail(QStringLiteral("Power \"%1\" is not High or Low").arg(f[Power]));
        if (problems.size() != before)
            return std::nullopt;
        return r;
    }
};

void putTone(Image& image, int n, field::Tone16le fieldAt, const ToneValue& t)
{
    const RecordRef rec(image, record_row(n));
    switch (t.kind) {
    case ToneValue::Off: fieldAt.put(rec, {0, 0}); break;
    case ToneValue::Ctcss: fieldAt.put(rec, {uint8_t(t.tenths % 256), uint8_t(t.tenths / 256)}); break;
    case ToneValue::Dcs: fieldAt.putIndex(rec, t.index); break;
    case ToneValue::Other: break;
    }
}

// Writes a checked row into channel n, each field only where it differs from
// what the image holds, so a channel that round-trips keeps every byte.
void apply(const Row& r, Image& image)
{
    const int n = r.location;
    if (is_empty(image, n)) {
        delete_channel(image, n);
        new_channel(image, n);
    }
    const RecordView view(image, record_row(n));
    const auto units = [](Hz hz) { return mhzText(hz, 5); };
    if (O::rxFreq.none(view) || unitsToHz(O::rxFreq.units(view)) != r.rx)
        set_rx_only(image, n, units(r.rx));
    if (!r.tx) {
        if (!O::txFreq.none(view))
            remove_tx(image, n);
    } else if (O::txFreq.none(view) || unitsToHz(O::txFreq.units(view)) != *r.tx) {
        set_tx(image, n, units(*r.tx));
    }
    if (O::decodeTone.value(view) != r.decode)
        putTone(image, n, O::decodeTone, r.decode);
    if (r.tx && O::encodeTone.value(view) != r.encode)
        putTone(image, n, O::encodeTone, r.encode);
    const ChannelTexts now = decode_channel(image, n);
    if ((now[ColBandwidth] == QLatin1String("N")) != r.narrow)
        set_choice(image, n, ColBandwidth, r.narrow ? 1 : 0);
    if ((now[ColScanAdd] == QLatin1String("OFF")) != r.skip)
        set_choice(image, n, ColScanAdd, r.skip ? 0 : 1);
    if ((now[ColPower] == QLatin1String("LOW")) != r.low)
        set_choice(image, n, ColPower, r.low ? 1 : 0);
    if (now[ColName] != r.name)
        set_name(image, n, r.name);
}

}  // namespace

QByteArray export_csv(const Image& image)
{
    QByteArray out = kCsvHeader + "\r\n";
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
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
        QString mode, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5"), code = QStringLiteral("023"),
                      polarity = QStringLiteral("NN");
        if (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Off) {
            mode = QStringLiteral("Tone");
            rTone = tenths_text(enc.tenths);
        } else if (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Ctcss) {
            mode = enc.tenths == dec.tenths ? QStringLiteral("TSQL") : QStringLiteral("Cross");
            rTone = tenths_text(enc.tenths);
            cTone = tenths_text(dec.tenths);
        } else if (enc.kind == ToneValue::Dcs && dec.kind == ToneValue::Dcs
                   && tones::dcs_number(enc.index) == tones::dcs_number(dec.index)) {
            mode = QStringLiteral("DTCS");
            code = QString::number(tones::dcs_number(enc.index)).rightJustified(3, QLatin1Char('0'));
            polarity = QString(tones::kind(enc.index) == tones::Kind::DcsInverted ? QLatin1Char('R') : QLatin1Char('N'))
                       + (tones::kind(dec.index) == tones::Kind::DcsInverted ? QLatin1Char('R') : QLatin1Char('N'));
        }
        // Other pairs (a decode tone alone, DCS with CTCSS) have no column
        // here; export_problems() names them.
        const ChannelTexts t = decode_channel(image, n);
        const QList<QString> fields{QString::number(n), t[ColName], mhzText(rx, 6), duplex, offset, mode, rTone, cTone, code,
                                    polarity, t[ColBandwidth] == QLatin1String("N") ? QStringLiteral("NFM") : QStringLiteral("FM"),
                                    (rx / kHzPerUnit) % 250 == 0 ? QStringLiteral("2.50") : QStringLiteral("6.25"),
                                    t[ColScanAdd] == QLatin1String("OFF") ? QStringLiteral("S") : QString(),
                                    t[ColPower] == QLatin1String("LOW") ? QStringLiteral("Low") : QStringLiteral("High"), QString()};
        QByteArray line;
        for (const QString& f : fields)
            line += (line.isEmpty() ? QByteArray() : QByteArray(",")) + csvField(f);
        out += line + "\r\n";
    }
    return out;
}

std::vector<int> export_problems(const Image& image)
{
    std::vector<int> out;
    for (int n = 0; n < kChannels; ++n) {
        if (is_empty(image, n))
            continue;
        const RecordView view(image, record_row(n));
        const ToneValue dec = O::decodeTone.value(view);
        const ToneValue enc = O::txFreq.none(view) ? ToneValue{} : O::encodeTone.value(view);
        const bool fits = (enc.kind == ToneValue::Off && dec.kind == ToneValue::Off) || (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Off)
                          || (enc.kind == ToneValue::Ctcss && dec.kind == ToneValue::Ctcss)
                          || (enc.kind == ToneValue::Dcs && dec.kind == ToneValue::Dcs
                              && tones::dcs_number(enc.index) == tones::dcs_number(dec.index));
        if (!fits)
            out.push_back(n);
    }
    return out;
}

CsvImport import_csv(const QByteArray& csv, Image& image, const BandLimits& limits)
{
    CsvImport result;
    Parser parser{limits, result.problems};
    if (csv.isEmpty()) {
        result.problems.push_back({1, QStringLiteral("the file is empty")});
        return result;
    }
    if (csv.startsWith("\xEF\xBB\xBF")) {
        result.problems.push_back({1, QStringLiteral("the file starts with a byte-order mark; save it as UTF-8 without one")});
        return result;
    }
    std::vector<Row> rows;
    std::map<int, int> seen;  // location -> line
    qsizetype start = 0;
    int line = 0;
    while (start < csv.size()) {
        ++line;
        qsizetype end = csv.indexOf('\n', start);
        if (end < 0)
            end = csv.size();
        parser.line = line;
        const qsizetype length = end - start;
        if (length > kMaxCsvLine) {
            parser.fail(QStringLiteral("the line is %1 bytes long; at most %2 are read").arg(length).arg(kMaxCsvLine));
            start = end + 1;
            continue;
        }
        QByteArray raw = csv.mid(start, length);
        start = end + 1;
        if (raw.endsWith('\r'))
            raw.chop(1);
        bool binary = false;
        for (char c : raw)
            binary = binary || (uchar(c) < 0x20 && c != '\t') || c == 0x7F;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(raw);
        if (binary || utf8.hasError()) {
            parser.fail(QStringLiteral("the line holds bytes that are not text"));
            continue;
        }
        if (line == 1) {
            if (raw.trimmed() != kCsvHeader)
                parser.fail(QStringLiteral("the first line is not the header \"%1\"").arg(QString::fromLatin1(kCsvHeader)));
            continue;
        }
        if (text.trimmed().isEmpty())
            continue;
        const auto fields = splitCsv(text);
        if (!fields) {
            parser.fail(QStringLiteral("a quoted field is not closed"));
            continue;
        }
        if (fields->size() != kColumnCount) {
            parser.fail(QStringLiteral("%1 columns instead of %2").arg(fields->size()).arg(kColumnCount));
            continue;
        }
        ++result.channels;
        if (result.channels > kChannels) {
            parser.fail(QStringLiteral("more than %1 channels").arg(kChannels));
            continue;
        }
        const auto r = parser.row(*fields);
        if (!r)
            continue;
        if (const auto it = seen.find(r->location); it != seen.end()) {
            parser.fail(QStringLiteral("Location %1 is given twice (first on line %2)").arg(r->location).arg(it->second));
            continue;
        }
        seen[r->location] = line;
        rows.push_back(*r);
    }
    if (line == 0)
        result.problems.push_back({1, QStringLiteral("the file is empty")});
    if (!result.ok())
        return result;

    Image copy = image;
    for (int n = 0; n < kChannels; ++n)
        if (!seen.count(n))
            delete_channel(copy, n);
    for (const Row& r : rows)
        apply(r, copy);
    image = copy;
    return result;
}

}  // namespace vx::channels
