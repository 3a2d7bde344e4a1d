// FM preset codec, byte for byte: name placement, the empty and Clear forms,
// the factory presets, name decoding, and stored garbage. The cell rules are
// tested through the window (tst_frm_fm).
#include "editors/fm/fm_codec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;
using namespace vx::fm;

namespace {
QByteArray rowHex(const Image& img, int row)
{
    QByteArray b;
    for (uint8_t v : img.row(row))
        b.append(char(v));
    return b.toHex(' ').toUpper();
}
void setHex(Image& img, int row, const QByteArray& hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    img.setRow(row, std::span(reinterpret_cast<const uint8_t*>(raw.constData()), size_t(raw.size())));
}
}  // namespace

class TstFmCodec : public QObject {
    Q_OBJECT
private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("88.9, no name") << "88.90000" << "" << QByteArray("00 08 08 09 00 00 00 00 FF FF FF FF FF FF FF FF");
        QTest::newRow("99.5") << "99.50000" << "" << QByteArray("00 09 09 05 00 00 00 00 FF FF FF FF FF FF FF FF");
        QTest::newRow("108") << "108.00000" << "" << QByteArray("01 00 08 00 00 00 00 00 FF FF FF FF FF FF FF FF");
        QTest::newRow("10 Hz steps kept") << "100.12345" << "" << QByteArray("01 00 00 01 02 03 04 05 FF FF FF FF FF FF FF FF");
        QTest::newRow("1 char at 11") << "88.90000" << "A" << QByteArray("00 08 08 09 00 00 00 00 FF FF FF 41 FF FF FF FF");
        QTest::newRow("2 chars at 11") << "88.90000" << "AB" << QByteArray("00 08 08 09 00 00 00 00 FF FF FF 41 42 FF FF FF");
        QTest::newRow("3 chars at 10") << "88.90000" << "ABC" << QByteArray("00 08 08 09 00 00 00 00 FF FF 41 42 43 FF FF FF");
        QTest::newRow("4 chars at 10") << "88.90000" << "ABCD" << QByteArray("00 08 08 09 00 00 00 00 FF FF 41 42 43 44 FF FF");
        QTest::newRow("5 chars at 9") << "88.90000" << "ABCDE" << QByteArray("00 08 08 09 00 00 00 00 FF 41 42 43 44 45 FF FF");
        QTest::newRow("6 chars at 8") << "88.90000" << "ABCDE1" << QByteArray("00 08 08 09 00 00 00 00 41 42 43 44 45 31 FF FF");
        QTest::newRow("inner space kept") << "88.90000" << "A B" << QByteArray("00 08 08 09 00 00 00 00 FF FF 41 20 42 FF FF FF");
        QTest::newRow("no ANSI code: dropped") << "88.90000" << QStringLiteral("中AÄ😀B")
                                               << QByteArray("00 08 08 09 00 00 00 00 FF FF 41 C4 42 FF FF FF");
        QTest::newRow("ANSI 80-9F") << "88.90000" << QStringLiteral("€Š™")
                                    << QByteArray("00 08 08 09 00 00 00 00 FF FF 80 8A 99 FF FF FF");
        QTest::newRow("blank frequency: empty form") << " " << "ABC" << QByteArray("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF");
    }
    void encode()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, name);
        QFETCH(QByteArray, row);
        Image img;
        img.fill(0x77);
        encode_preset(img, 5, frequency, name);
        QCOMPARE(rowHex(img, preset_row(5)), row);
        // Nothing beyond the preset's own row.
        Image other = img;
        other.fillRows(preset_row(5), preset_row(5), 0x77);
        Image all77;
        all77.fill(0x77);
        QVERIFY(other == all77);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty form") << QByteArray("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF") << "" << "";
        QTest::newRow("clear form") << QByteArray("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00") << "" << "";
        QTest::newRow("bytes 0-2 zero, rest not") << QByteArray("00 00 00 09 01 02 03 04 41 42 43 FF FF FF FF FF") << "" << "";
        QTest::newRow("factory at 8") << QByteArray("00 08 08 09 00 00 00 00 4B 54 4E 45 57 FF FF FF") << "88.90000" << "KTNEW";
        QTest::newRow("placed at 11") << QByteArray("01 00 07 00 00 00 00 00 FF FF FF 41 42 FF FF FF") << "107.00000" << "AB";
        QTest::newRow("spaces, 00, controls dropped, ANSI kept")
            << QByteArray("00 09 09 05 00 00 00 00 20 41 00 42 1F C4 7F 43") << "99.50000" << QStringLiteral("ABÄC");
        QTest::newRow("undefined codes and A0 dropped")
            << QByteArray("00 09 09 05 00 00 00 00 81 C9 8D A0 99 FF FF FF") << "99.50000" << QStringLiteral("É™");
        QTest::newRow("all FF: digits as stored") << QByteArray("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")
                                                  << "28333.33305" << "";
    }
    void decode()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, frequency);
        QFETCH(QString, name);
        Image img;
        setHex(img, preset_row(16), row);
        QCOMPARE(decode_preset(img, 16), (PresetTexts{frequency, name}));
    }

    // Regression: a name byte 0x80-0xFE was not shown, and the next
    // frequency edit re-laid the name from the cell, losing the byte and
    // moving the rest. Only the frequency bytes change now.
    void frequencyEditKeepsTheName_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("byte C9") << QByteArray("00 09 09 05 00 00 00 00 FF 43 41 46 C9 FF FF FF") << "101.10000"
                                 << QByteArray("01 00 01 01 00 00 00 00 FF 43 41 46 C9 FF FF FF");
        QTest::newRow("factory name at 8") << QByteArray("00 09 08 03 00 00 00 00 46 4A 51 58 FF FF FF FF") << "98.50000"
                                           << QByteArray("00 09 08 05 00 00 00 00 46 4A 51 58 FF FF FF FF");
        QTest::newRow("was empty: name bytes FF") << QByteArray("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00") << "88.90000"
                                                  << QByteArray("00 08 08 09 00 00 00 00 FF FF FF FF FF FF FF FF");
        QTest::newRow("blank: empty form") << QByteArray("00 09 09 05 00 00 00 00 FF 43 41 46 C9 FF FF FF") << ""
                                           << QByteArray("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF");
    }
    void frequencyEditKeepsTheName()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, frequency);
        QFETCH(QByteArray, expected);
        Image img;
        setHex(img, preset_row(7), row);
        set_frequency(img, 7, frequency);
        QCOMPARE(rowHex(img, preset_row(7)), expected);
        if (!frequency.isEmpty())
            QCOMPARE(decode_preset(img, 7).frequency, frequency);
    }

    void factoryAndClear()
    {
        Image img;
        img.fill(0x55);
        load_factory_presets(img);
        const QByteArray empty = "00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF";
        const QList<QByteArray> expected{
            "00 08 08 09 00 00 00 00 4B 54 4E 45 57 FF FF FF", "00 09 00 04 00 00 00 00 43 43 54 56 31 FF FF FF", empty,
            "00 09 02 03 00 00 00 00 4A 54 5A 53 32 FF FF FF", empty,
            "00 09 05 05 00 00 00 00 4B 54 42 42 43 FF FF FF", empty,
            "00 09 06 09 00 00 00 00 43 43 54 56 34 FF FF FF", empty,
            "00 09 08 03 00 00 00 00 46 4A 51 58 FF FF FF FF", empty,
            "01 00 03 09 00 00 00 00 43 43 54 56 36 FF FF FF", empty,
            "01 00 00 07 00 00 00 00 44 4E 5A 53 33 FF FF FF", empty,
            "01 00 05 09 00 00 00 00 43 43 54 56 39 FF FF FF"};
        for (int p = 1; p <= kPresets; ++p)
            QCOMPARE(rowHex(img, preset_row(p)), expected[p - 1]);
        QCOMPARE(img.at(preset_row(1) - 1, 15), uint8_t(0x55));
        QCOMPARE(img.at(preset_row(16) + 1, 0), uint8_t(0x55));
        QCOMPARE(decode_preset(img, 14), (PresetTexts{"100.70000", "DNZS3"}));
        QVERIFY(is_empty(img, 3));

        clear_presets(img);
        for (int p = 1; p <= kPresets; ++p) {
            QCOMPARE(rowHex(img, preset_row(p)), QByteArray("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
            QCOMPARE(decode_preset(img, p), PresetTexts{});
        }
        QCOMPARE(img.at(preset_row(16) + 1, 0), uint8_t(0x55));
    }

    // Seeded random, all-FF and all-00 presets: decoding never fails and
    // re-encoding what was shown stays inside the preset's row.
    void garbage()
    {
        QRandomGenerator rng(20240610);
        for (int round = 0; round < 200; ++round) {
            Image img;
            for (uint8_t& b : img.bytes())
                b = round == 0 ? 0xFF : round == 1 ? 0x00 : uint8_t(rng.bounded(256));
            const Image before = img;
            for (int p = 1; p <= kPresets; ++p) {
                const PresetTexts t = decode_preset(img, p);
                QVERIFY(t.name.size() <= 8);
                encode_preset(img, p, t.frequency, t.name);
            }
            Image outside = img;
            for (int r = region::fmPresets.first; r <= region::fmPresets.last; ++r)
                outside.setRow(r, before.row(r));
            QVERIFY(outside == before);
        }
    }
};

QTEST_MAIN(TstFmCodec)
#include "tst_fm_codec.moc"
