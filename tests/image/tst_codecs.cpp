// Field codecs: packed and digit-string frequencies, tone fields, texts.
#include "image/codecs.h"
#include "image/tones.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;

namespace {
QByteArray hex(const auto& bytes)
{
    QByteArray b;
    for (auto v : bytes)
        b.append(char(v));
    return b.toHex(' ').toUpper();
}
template <size_t N>
std::array<uint8_t, N> bytesOf(const QByteArray& hexText)
{
    const QByteArray raw = QByteArray::fromHex(hexText);
    std::array<uint8_t, N> out{};
    for (size_t i = 0; i < N && i < size_t(raw.size()); ++i)
        out[i] = uint8_t(raw[qsizetype(i)]);
    return out;
}
}  // namespace

class TstCodecs : public QObject {
    Q_OBJECT
private slots:
    void decodePacked_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("145.125") << QByteArray("00255114") << "145.12500";
        QTest::newRow("430") << QByteArray("00000043") << "430.00000";
        QTest::newRow("438.50625") << QByteArray("25068543") << "438.50625";
        QTest::newRow("two integer digits") << QByteArray("00008908") << "88.90000";
        QTest::newRow("nibble above 9 keeps its place") << QByteArray("0000001A") << "200.00000";
        QTest::newRow("hundreds nibble above 9") << QByteArray("000000A0") << "1000.00000";
        QTest::newRow("low nibble A") << QByteArray("0A000014") << "140.00010";
    }
    void decodePacked()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decode_packed(bytesOf<4>(bytes)), text);
    }

    void encodePacked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("145.125") << "145.125" << QByteArray("00 25 51 14");
        QTest::newRow("on 2.5 raster") << "145.0125" << QByteArray("50 12 50 14");
        QTest::newRow("on 6.25 raster") << "145.00625" << QByteArray("25 06 50 14");
        QTest::newRow("tie goes to 2.5") << "145.001" << QByteArray("00 00 50 14");
        QTest::newRow("2.5 leaves less") << "145.004" << QByteArray("50 02 50 14");
        QTest::newRow("6.25 leaves less") << "145.007" << QByteArray("25 06 50 14");
        QTest::newRow("whole MHz") << "430" << QByteArray("00 00 00 43");
        QTest::newRow("438.50625") << "438.50625" << QByteArray("25 06 85 43");
        QTest::newRow("leading spaces") << "   145.5" << QByteArray("00 00 55 14");
        QTest::newRow("stops at junk") << "145.5MHz" << QByteArray("00 00 55 14");
        QTest::newRow("one Hz below a step snaps up") << "145.002499" << QByteArray("50 02 50 14");
        QTest::newRow("empty") << "" << QByteArray("00 00 00 00");
        QTest::newRow("not a number") << "abc" << QByteArray("00 00 00 00");
        QTest::newRow("negative") << "-145" << QByteArray("00 00 00 00");
        QTest::newRow("huge clamps") << "123456789012345678901234" << QByteArray("99 99 99 99");
        QTest::newRow("two points") << "145.5.5" << QByteArray("00 00 55 14");
    }
    void encodePacked()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(hex(encode_packed(text)), bytes);
    }

    void packedRoundTripOverTheRaster()
    {
        // Every frequency on either raster survives text -> bytes -> text.
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < 20000; ++i) {
            const bool step25 = rng->bounded(2) == 0;
            const qint64 step = step25 ? 250 : 625;
            const qint64 units = step * rng->bounded(qint64(1'000'000) / step, kMaxUnits / step);
            const QString text = frequency_text(units);
            const auto bytes = encode_packed(text);
            QCOMPARE(decode_packed(bytes), text);
            QCOMPARE(snap_to_raster(text), units);
        }
    }

    void snappingNeverRoundsUpMoreThanOneHertz()
    {
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < 20000; ++i) {
            const qint64 hz = rng->bounded(qint64(100'000'000), qint64(999'000'000));
            const QString text = QString::number(hz / 1'000'000) + '.' + QString("%1").arg(hz % 1'000'000, 6, 10, QChar('0'));
            const qint64 snapped = snap_to_raster(text) * 10;
            QVERIFY2(snapped <= hz + 1 && hz - snapped < 6250, qPrintable(text));
            QVERIFY(snapped % 2500 == 0 || snapped % 6250 == 0);
        }
    }

    void digits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("88.9") << QByteArray("00 08 08 09 00 00 00 00") << "88.90000";
        QTest::newRow("101.7") << QByteArray("01 00 01 07 00 00 00 00") << "101.70000";
        QTest::newRow("108") << QByteArray("01 00 08 00 00 00 00 00") << "108.00000";
        QTest::newRow("99.5 gets a leading zero") << QByteArray("00 09 09 05 00 00 00 00") << "99.50000";
        QTest::newRow("all places") << QByteArray("04 03 08 05 00 06 02 05") << "438.50625";
    }
    void digits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decode_digits(bytesOf<8>(bytes.replace(' ', ""))), text);
        QCOMPARE(hex(encode_digits(text)), QByteArray::fromHex(bytes).toHex(' ').toUpper());
    }

    void digitsOfEmptyBytesDoNotCrash()
    {
        std::array<uint8_t, 8> ff;
        ff.fill(0xFF);
        QVERIFY(!decode_digits(ff).isEmpty());
        QCOMPARE(hex(encode_digits(u"junk")), QByteArray("00 00 00 00 00 00 00 00"));
    }

    void decodeTone_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("text");
        QTest::newRow("zeros") << 0x00 << 0x00 << "OFF";
        QTest::newRow("empty") << 0xFF << 0xFF << "OFF";
        QTest::newRow("67.0") << 0x9E << 0x02 << "67.0";
        QTest::newRow("unlisted ctcss") << 0xD2 << 0x04 << "123.4";
        QTest::newRow("whole ctcss") << 0xE8 << 0x03 << "100.0";
        QTest::newRow("first dcs") << 0x01 << 0x00 << "D023N";
        QTest::newRow("last dcs") << 0xD2 << 0x00 << "D754I";
        QTest::newRow("dcs past the list") << 0xD3 << 0x00 << "";
        QTest::newRow("high 0x80") << 0x00 << 0x80 << "";
        QTest::newRow("low FF high 00") << 0xFF << 0x00 << "";
        QTest::newRow("high FF only") << 0x00 << 0xFF << "";
        QTest::newRow("high 7F") << 0xFF << 0x7F << "3276.7";
    }
    void decodeTone()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, text);
        QCOMPARE(decode_tone(uint8_t(low), uint8_t(high)), text);
    }

    void everyTonePairDecodesWithoutCrashing()
    {
        int empty = 0;
        for (int lo = 0; lo < 256; ++lo)
            for (int hi = 0; hi < 256; ++hi)
                if (decode_tone(uint8_t(lo), uint8_t(hi)).isEmpty())
                    ++empty;
        // high 00 with low 0xD3..0xFF (45), high 0x80..0xFF except FF FF.
        QCOMPARE(empty, 45 + 128 * 256 - 1);
    }

    void toneIndexRoundTrip()
    {
        for (int i = 0; i < tones::kCount; ++i) {
            const TonePair p = encode_tone_index(i);
            QCOMPARE(decode_tone(p.low, p.high), tones::label(i));
            QCOMPARE(int(p.low + 256 * p.high), int(tones::code(i)));
        }
        QCOMPARE(encode_tone_index(0), (TonePair{0, 0}));
        QCOMPARE(encode_tone_index(-3), (TonePair{0, 0}));
        QCOMPARE(encode_tone_index(999), (TonePair{0, 0}));
    }

    void toneValue_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<int>("code");
        QTest::newRow("88.5") << 88.5 << 885;
        QTest::newRow("88") << 88.0 << 880;
        QTest::newRow("half to even down") << 67.25 << 672;
        QTest::newRow("half to even up") << 66.75 << 668;
        QTest::newRow("259.9") << 259.9 << 2599;
        QTest::newRow("negative clamps") << -5.0 << 0;
    }
    void toneValue()
    {
        QFETCH(double, hz);
        QFETCH(int, code);
        const TonePair p = encode_tone_value(hz);
        QCOMPARE(p.low + 256 * p.high, code);
    }

    void frequencyTextAndNumbers()
    {
        QCOMPARE(frequency_text(14'512'500), QString("145.12500"));
        QCOMPARE(frequency_text(8'890'000), QString("88.90000"));
        QCOMPARE(frequency_text(0), QString("0.00000"));
        QCOMPARE(frequency_text_mhz(130), QString("130.00000"));
        QCOMPARE(number_value(u" 145.5x"), 145.5);
        QCOMPARE(number_value(u"x145"), 0.0);
        QCOMPARE(number_value(u"-2.5"), -2.5);
        QCOMPARE(number_value(u".5"), 0.5);
        QCOMPARE(number_value(u""), 0.0);
        QCOMPARE(frequency_units(u"145.123456"), qint64(14'512'345));
    }

    void randomTextNeverCrashes()
    {
        auto* rng = QRandomGenerator::global();
        const QString alphabet = QStringLiteral("0123456789.. -+eE,xX中");
        for (int i = 0; i < 5000; ++i) {
            QString s;
            const int n = rng->bounded(30);
            for (int k = 0; k < n; ++k)
                s.append(alphabet[rng->bounded(alphabet.size())]);
            const auto b = encode_packed(s);
            for (uint8_t v : b)
                QVERIFY((v >> 4) <= 9 && (v & 15) <= 9);
            encode_digits(s);
            number_value(s);
        }
    }
};

QTEST_GUILESS_MAIN(TstCodecs)
#include "tst_codecs.moc"
