// The typed-value readers against the readers each surface had before them
// (kept here as they were): on many inputs, each surface takes the same
// texts and stores the same bytes, apart from the file rules listed.
#include "editors/channels/channel_codec.h"
#include "editors/options/vfo_codec.h"
#include "image/tables.h"
#include "image/tones.h"
#include "image/typed_values.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <optional>
#include <random>

using namespace vx;

namespace {

// ------------------------------------------------ the readers before

// The channel list import's decimal reading.
std::optional<int64_t> oldParseMhz(QString text, bool decimalComma)
{
    text = text.trimmed();
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QStringView all(text);
    const QStringView whole = dot < 0 ? all : all.left(dot);
    QStringView frac = dot < 0 ? QStringView() : all.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 4 || frac.size() > 12)
        return std::nullopt;
    const auto digits = [](QStringView s) { return std::ranges::all_of(s, [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }); };
    if (!digits(whole) || !digits(frac))
        return std::nullopt;
    while (frac.size() > 6) {
        if (frac.back() != QLatin1Char('0'))
            return std::nullopt;
        frac.chop(1);
    }
    int64_t hz = whole.toLongLong() * 1'000'000;
    int64_t scale = 100'000;
    for (QChar c : frac) {
        hz += (c.unicode() - '0') * scale;
        scale /= 10;
    }
    return hz;
}

QString oldMhzText(int64_t hz, int decimals)
{
    QString frac = QString::number(hz % 1'000'000).rightJustified(6, QLatin1Char('0'));
    return QString::number(hz / 1'000'000) + QLatin1Char('.') + frac.left(decimals);
}

bool oldOnRaster(int64_t hz) { return hz % 10 == 0 && snap_to_raster(oldMhzText(hz, 6)) == hz / 10; }

std::optional<int> oldCsvCtcss(const QString& t, bool decimalComma)
{
    const auto hz = oldParseMhz(t, decimalComma);
    const int tenths = hz ? int(*hz / 100'000) : -1;
    if (!hz || *hz % 100'000 != 0 || !(tenths / 10.0 >= 60 && tenths / 10.0 <= 259.9))
        return std::nullopt;
    return tenths;
}

std::optional<int> oldCsvDcs(const QString& code, QChar pol)
{
    const bool digits = !code.isEmpty() && code.size() <= 3
                        && std::ranges::all_of(code, [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('7'); });
    const auto normal = digits ? tones::index_of(QStringLiteral("D%1N").arg(code.toInt(), 3, 10, QLatin1Char('0'))) : std::nullopt;
    if (!normal)
        return std::nullopt;
    return pol == QLatin1Char('N') ? *normal : *normal - tones::kFirstDcsNormal + tones::kFirstDcsInverted;
}

// The text configuration's frequency: the units it stored.
std::optional<Units10Hz> oldYamlFrequency(const QString& text, const BandLimits& limits)
{
    bool ok = false;
    const double mhz = text.trimmed().toDouble(&ok);
    if (!ok || !channels::in_enter_range(mhz, limits))
        return std::nullopt;
    const QString entered = channels::entered_frequency(text.trimmed());
    const Units10Hz units = frequency_units(entered);
    if (snap_to_raster(entered) != units || frequency_text(units) != entered)
        return std::nullopt;
    return units;
}

// The text configuration's VFO frequency: the stored text, when taken.
std::optional<QString> vfoFrequency(const QString& text, const BandLimits& band, bool exact)
{
    bool ok = false;
    double mhz = text.toDouble(&ok);
    if (exact) {
        const auto m = read_decimal_millionths(text);
        ok = m.has_value();
        mhz = m ? double(*m) / 1e6 : 0;
    }
    const options::VfoLimits limits = options::vfo_limits(mhz < 300, band);
    const options::VfoEntry entry = options::vfo_frequency_entry(text, limits);
    if (!ok || entry.outOfRange || mhz < limits.lower || mhz > limits.upper)
        return std::nullopt;
    return entry.text;
}

std::optional<TonePair> oldYamlTone(const QString& text)
{
    if (const auto index = tones::index_of(text))
        return encode_tone_index(*index);
    bool ok = false;
    const double hz = text.toDouble(&ok);
    if (!ok || !(hz >= 60 && hz <= 259.9) || std::abs(hz * 10 - std::round(hz * 10)) > 1e-6)
        return std::nullopt;
    return encode_tone_value(hz);
}

// The channel grid's tone cell: the pair stored and the text shown.
std::optional<ToneReading> oldGridTone(const QString& typed)
{
    const QString text = typed.trimmed();
    const double v = number_value(text);
    if (v >= 60 && v <= 259.9) {
        QString s = QString::number(v, 'g', 15);
        if (!s.contains(QLatin1Char('.')))
            s += QStringLiteral(".0");
        return ToneReading{encode_tone_value(v), s};
    }
    if (const auto index = tones::index_of(text))
        return ToneReading{encode_tone_index(*index), tones::label(*index)};
    return std::nullopt;
}

// ------------------------------------------------ the new ones, per surface

std::optional<Units10Hz> newYamlFrequency(const QString& text, const BandLimits& limits)
{
    const auto hz = read_decimal_millionths(text);
    if (!hz || !channels::in_enter_range(double(*hz) / 1e6, limits) || !on_raster_hz(*hz))
        return std::nullopt;
    return Units10Hz(*hz / 10);
}

// Texts of the characters numbers are typed with, and the tone list's.
QStringList inputs()
{
    QStringList out{"", " ", ".", "0", "145", "145.6", " 145.6 ", "145.60000", "145.600000", "145.6000000", "145.6000001",
                    "145.600001", "145.60001", "145.0025", "145.00625", "145.003125", "0145.6", "00145.6", "+145.6", "-145.6",
                    "1.456e2", "145,6", "145.6.1", "145.6a", "abc", "inf", "nan", "136", "174", "174.5", "400", "520", "520.00001",
                    "88.5", "88.50", "88.55", "88.45", "067.0", "67", "60", "59.9", "259.9", "260", "254.1", "D023N", "D754I",
                    "d023n", " D023N", "OFF", "off", "23", "754", "023", "8", "1000", "8.85e1", "+88.5", "88,5", "1e2"};
    for (const QString& t : tones::labels())
        out << t.trimmed();
    std::mt19937 rng(20261210);
    const QString chars = QStringLiteral("0123456789.,  +-eDNI");
    for (int i = 0; i < 4000; ++i) {
        QString t;
        const int length = int(rng() % 11);
        for (int k = 0; k < length; ++k)
            t += chars[int(rng() % chars.size())];
        out << t;
    }
    for (int i = 0; i < 3000; ++i)  // frequencies near the band, in 10 Hz, 1 kHz and 6.25 kHz steps
        out << QString::number(130 + (rng() % 400000) / 1000.0, 'f', int(rng() % 7))
            << frequency_text(Units10Hz(13'000'000 + rng() % 40'000'000));
    return out;
}

}  // namespace

class TstTypedValues : public QObject {
    Q_OBJECT
private slots:
    // The decimal reading, the raster test, the CSV's CTCSS and DCS: the
    // same on every input.
    void csvReadersUnchanged()
    {
        for (const QString& t : inputs())
            for (const bool comma : {false, true}) {
                QCOMPARE(read_decimal_millionths(t, comma), oldParseMhz(t, comma));
                QCOMPARE(read_ctcss_tenths(t, Acceptance::Refuse, comma), oldCsvCtcss(t, comma));
                if (const auto hz = oldParseMhz(t, comma))
                    QCOMPARE(on_raster_hz(*hz), oldOnRaster(*hz));
            }
        for (int code = 0; code <= 777; ++code)
            for (const QString& t : {QString::number(code), QString::number(code).rightJustified(3, QLatin1Char('0'))})
                for (const QChar pol : {QLatin1Char('N'), QLatin1Char('R')})
                    QCOMPARE(read_dcs(t, pol), oldCsvDcs(t, pol));
    }

    // The channel grid's tone cell: the same pair and the same shown text.
    void gridToneUnchanged()
    {
        for (const QString& t : inputs()) {
            const auto before = oldGridTone(t), now = read_tone(t, Acceptance::Snap);
            QCOMPARE(now.has_value(), before.has_value());
            if (now) {
                QCOMPARE(now->pair, before->pair);
                QCOMPARE(now->text, before->text);
            }
        }
    }

    // The text configuration's channel and VFO frequencies and channel
    // tones: what both take is
    // stored alike; a file's digits finer than what is stored are refused
    // now (they were cut off), and so are more than four whole digits, a
    // sign and an exponent; a
    // whole part with a leading zero is taken.
    void fileRulesUnchanged()
    {
        const BandLimits limits = kDefaultBandLimits;
        // A non-zero digit past `places` decimals.
        const auto finer = [](const QString& t, int places) {
            const QString frac = t.trimmed().section(QLatin1Char('.'), 1);
            return t.contains(QLatin1Char('.')) && frac.mid(places).contains(QRegularExpression("[1-9]"));
        };
        const auto leadingZero = [](const QString& t) { return QRegularExpression("^0[0-9]").match(t.trimmed()).hasMatch(); };
        // More than four whole digits: leading zeros a number reader skipped.
        const auto longWhole = [](const QString& t) { return t.trimmed().section(QLatin1Char('.'), 0, 0).size() > 4; };
        // A sign or an exponent, which a number reader of doubles took.
        const auto notDecimal = [](const QString& t) { return t.contains(QRegularExpression("[+eE]")); };
        int frequencies = 0, tonesTaken = 0;
        for (const QString& t : inputs()) {
            const auto before = oldYamlFrequency(t, limits), now = newYamlFrequency(t, limits);
            if (now && before) {
                QCOMPARE(*now, *before);
                ++frequencies;
            } else if (now || before) {
                QVERIFY2(now ? leadingZero(t) : finer(t, 5) || longWhole(t) || notDecimal(t), qPrintable(t));
            }
            const auto vfoBefore = vfoFrequency(t, limits, false), vfoNow = vfoFrequency(t, limits, true);
            if (vfoNow && vfoBefore)
                QCOMPARE(*vfoNow, *vfoBefore);
            else if (vfoNow || vfoBefore)
                QVERIFY2(vfoNow ? leadingZero(t) : finer(t, 6) || longWhole(t) || notDecimal(t), qPrintable(t));
            const auto toneBefore = oldYamlTone(t);
            const auto toneNow = read_tone(t, Acceptance::Refuse);
            if (toneNow && toneBefore) {
                QCOMPARE(toneNow->pair, *toneBefore);
                ++tonesTaken;
            } else if (toneNow || toneBefore) {
                QVERIFY2(toneNow ? leadingZero(t) : finer(t, 1) || longWhole(t) || notDecimal(t), qPrintable(t));
            }
        }
        QVERIFY(frequencies > 500 && tonesTaken > 260);  // the inputs reach the accepting paths
    }
};

QTEST_MAIN(TstTypedValues)
#include "tst_typed_values.moc"
