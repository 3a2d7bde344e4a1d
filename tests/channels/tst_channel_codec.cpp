// Channel record codec: bit-level decoding and encoding, empty, new and
// factory states, the two name rules.
#include "editors/channels/channel_codec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;
using namespace vx::channels;

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
// A plain channel: 145.125 MHz both ways, tones off, new-channel settings.
Image plain(int n = 3)
{
    Image img;
    setHex(img, n, "00 25 51 14 00 25 51 14 00 00 00 00 00 00 00 04");
    return img;
}
}  // namespace

class TstChannelCodec : public QObject {
    Q_OBJECT
private slots:
    void decodeFields_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("power 01 low") << 14 << 0x01 << int(ColPower) << "LOW";
        QTest::newRow("power 11 low") << 14 << 0x11 << int(ColPower) << "LOW";
        QTest::newRow("power 05 high (bit 2 set)") << 14 << 0x05 << int(ColPower) << "HIGH";
        QTest::newRow("scrambler on") << 14 << 0x10 << int(ColScrambler) << "ON";
        QTest::newRow("scrambler 2 blank") << 14 << 0x20 << int(ColScrambler) << "";
        QTest::newRow("signal code 0 is 1") << 12 << 0xF0 << int(ColSignalCode) << "1";
        QTest::newRow("signal code F blank") << 12 << 0x0F << int(ColSignalCode) << "";
        QTest::newRow("optional 4 blank") << 13 << 0x04 << int(ColOptionalSignal) << "";
        QTest::newRow("mute OR") << 13 << 0x20 << int(ColSpeakerMute) << "OR";
        QTest::newRow("mute 3 blank") << 13 << 0x30 << int(ColSpeakerMute) << "";
        QTest::newRow("ptt BOTH") << 15 << 0x03 << int(ColPttId) << "BOTH";
        QTest::newRow("scan add on") << 15 << 0x04 << int(ColScanAdd) << "ON";
        QTest::newRow("narrow") << 15 << 0x40 << int(ColBandwidth) << "N";
        QTest::newRow("decode D754I") << 8 << 0xD2 << int(ColDecode) << "D754I";
    }
    void decodeFields()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(int, column);
        QFETCH(QString, text);
        Image img = plain();
        img.set(3, byte, uint8_t(value));
        QCOMPARE(decode_channel(img, 3)[column], text);
    }

    void emptyRecordDecodesBlankAndIsNormalised()
    {
        Image img = plain(5);
        img.set(5, 0, 0xFF);  // other bytes still hold data
        setHex(img, 256 + 5, "41 42 FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
        img.set(6, 0, 0x12);  // a neighbour is not touched
        const Image held = img;
        const ChannelTexts t = decode_channel(std::as_const(img), 5);
        for (const QString& s : t)
            QVERIFY(s.isEmpty());
        QVERIFY(img == held);  // decoding alone writes nothing
        QVERIFY(normalise_channel(img, 5));
        QVERIFY(std::all_of(img.row(5).begin(), img.row(5).end(), [](uint8_t b) { return b == 0xFF; }));
        QVERIFY(std::all_of(img.row(261).begin(), img.row(261).end(), [](uint8_t b) { return b == 0xFF; }));
        QCOMPARE(img.at(6, 0), uint8_t(0x12));
        QVERIFY(!normalise_channel(img, 5));  // already all FF
        QVERIFY(!normalise_channel(img, 6));  // in use
        QCOMPARE(img.at(6, 0), uint8_t(0x12));
    }

    // Decoding every channel of an image of random bytes leaves it as it was.
    void decodingNeverWrites()
    {
        Image img;
        QRandomGenerator random(1252);
        for (int r = region::channels.first; r <= region::names.last; ++r)
            for (int b = 0; b < Image::kRowBytes; ++b)
                img.set(r, b, uint8_t(random.bounded(256)));
        for (int n : {0, 1, 2})
            img.set(n, 0, 0xFF);  // a few empty records among them
        const Image held = img;
        for (int n = -1; n <= kChannels; ++n)
            decode_channel(std::as_const(img), n);
        QVERIFY(img == held);
    }

    void newChannelDefaults()
    {
        Image img;
        setHex(img, 256 + 7, "41 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
        new_channel(img, 7);
        set_rx(img, 7, u"145.5");
        QCOMPARE(rowHex(img, 7), QByteArray("00 00 55 14 00 00 55 14 00 00 00 00 00 00 00 04"));
        QCOMPARE(img.at(263, 0), uint8_t(0xFF));
        const ChannelTexts t = decode_channel(img, 7);
        const QStringList tail{"OFF", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF", "QT", "OFF", ""};
        QCOMPARE(QStringList(t.begin() + ColDecode, t.end()), tail);
    }

    void setChoiceKeepsOtherBits_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("power low keeps 3-7") << int(ColPower) << 1 << 14 << 0xFA << 0xF9;
        QTest::newRow("bandwidth N") << int(ColBandwidth) << 1 << 15 << 0xBF << 0xFF;
        QTest::newRow("ptt EOT") << int(ColPttId) << 2 << 15 << 0xFF << 0xFE;
        QTest::newRow("busy lock off") << int(ColBusyLock) << 0 << 15 << 0xFF << 0xF7;
        QTest::newRow("signal code 15") << int(ColSignalCode) << 14 << 12 << 0xA0 << 0xAE;
        QTest::newRow("mute AND") << int(ColSpeakerMute) << 1 << 13 << 0xF3 << 0x13;
        QTest::newRow("scrambler on") << int(ColScrambler) << 1 << 14 << 0xF1 << 0x11;
        QTest::newRow("position past the list") << int(ColPower) << 2 << 14 << 0x00 << 0x00;
        QTest::newRow("not a choice column") << int(ColRx) << 0 << 0 << 0x00 << 0x00;
    }
    void setChoiceKeepsOtherBits()
    {
        QFETCH(int, column);
        QFETCH(int, p);
        QFETCH(int, byte);
        QFETCH(int, before);
        QFETCH(int, after);
        Image img = plain();
        img.set(3, byte, uint8_t(before));
        set_choice(img, 3, column, p);
        QCOMPARE(int(img.at(3, byte)), after);
    }

    // Power reads LOW only for 001 in bits 0-2: setting it makes it read as
    // set, and setting what it reads changes nothing.
    void setPower_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("low");
        QTest::addColumn<int>("after");
        QTest::newRow("LOW where 000") << 0x10 << true << 0x11;
        QTest::newRow("LOW where 011") << 0x13 << true << 0x11;
        QTest::newRow("LOW where 101 clears bit 2") << 0x55 << true << 0x51;
        QTest::newRow("LOW where 110 clears bit 2") << 0xFE << true << 0xF9;
        QTest::newRow("LOW where 111 clears bit 2") << 0x0F << true << 0x09;
        QTest::newRow("LOW where it reads LOW") << 0xE9 << true << 0xE9;
        QTest::newRow("HIGH where 101") << 0x55 << false << 0x55;
        QTest::newRow("HIGH where 011") << 0xD7 << false << 0xD7;
        QTest::newRow("HIGH where 000") << 0x00 << false << 0x00;
        QTest::newRow("HIGH where it reads LOW") << 0xE1 << false << 0xE0;
        QTest::newRow("HIGH where it reads LOW, bit 3 kept") << 0x19 << false << 0x18;
    }
    void setPower()
    {
        QFETCH(int, before);
        QFETCH(bool, low);
        QFETCH(int, after);
        Image img = plain();
        img.set(3, 14, uint8_t(before));
        set_power(img, 3, low);
        QCOMPARE(int(img.at(3, 14)), after);
        QCOMPARE(low_power(img, 3), low);
        set_choice(img, 3, ColPower, low ? 0 : 1);  // and back, through the grid's setter
        set_choice(img, 3, ColPower, low ? 1 : 0);
        QCOMPARE(low_power(img, 3), low);
    }

    void setName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("gap kept, closed on display") << "ab1 x" << QByteArray("41 42 31 FF 58 FF") << "AB1X";
        QTest::newRow("dash") << "AB-CD" << QByteArray("41 42 FF 43 44 FF") << "ABCD";
        QTest::newRow("cut to six after trim") << "  abcdefgh " << QByteArray("41 42 43 44 45 46") << "ABCDEF";
        QTest::newRow("non-ASCII dropped") << QString::fromUtf8("信道1é") << QByteArray("FF FF 31 FF FF FF") << "";
        QTest::newRow("sharp s does not grow") << QString::fromUtf8("ßa") << QByteArray("FF 41 FF FF FF FF") << "";
    }
    void setName()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        Image img = plain();
        for (int b = 0; b < 16; ++b)
            img.set(256 + 3, b, 0x20);
        set_name(img, 3, typed);
        QCOMPARE(rowHex(img, 259).left(17), stored);
        QCOMPARE(rowHex(img, 259).mid(18), QByteArray("20 20 20 20 20 20 20 20 20 20"));  // 6..15 kept
        QCOMPARE(decode_channel(img, 3)[ColName], shown);
    }

    void receivedNameRule_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QByteArray("FF 41 41 41 41 41") << "";
        QTest::newRow("digits 0..9 as values") << QByteArray("00 01 09 0A 10 FF") << "019";
        QTest::newRow("17..37 letters") << QByteArray("11 25 26 2F 30 FE") << "AU0";
        QTest::newRow("ANSI and signs") << QByteArray("61 FA FB FC FD 41") << QString::fromLatin1("a\xFA+-A");
        QTest::newRow("ANSI 80 euro") << QByteArray("80 41") << QString::fromUtf8("€A");
        QTest::newRow("ANSI 99 trade mark") << QByteArray("99") << QString::fromUtf8("™");
        QTest::newRow("81 undefined, skipped") << QByteArray("41 81 8D 8F 90 9D") << "A";
        QTest::newRow("E9 e acute") << QByteArray("E9") << QString::fromUtf8("é");
    }
    void receivedNameRule()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, shown);
        std::array<uint8_t, 16> r;
        r.fill(0xFF);
        const QByteArray raw = QByteArray::fromHex(row);
        std::copy(raw.begin(), raw.end(), r.begin());
        QCOMPARE(received_name(r), shown);
    }

    void receivedNamesByAddress()
    {
        QByteArray block(64, char(0xFF));
        block[16] = 'Q';
        auto names = received_names(block, 0x1000 + 16 * 8);
        QCOMPARE(int(names.size()), 4);
        QCOMPARE(names[1].channel, 9);
        QCOMPARE(names[1].text, QStringLiteral("Q"));
        QCOMPARE(int(received_names(block, 0x1C80).size()), 0);  // channels 200..203
        QCOMPARE(int(received_names(block, 0x0C40).size()), 0);  // not a name address
        QCOMPARE(int(received_names(block.left(20), 0x1000).size()), 4);  // short block reads FF
    }

    void factoryChannels()
    {
        Image img;
        img.fillRows(0, 199, 0x00);
        setHex(img, 256 + 2, "41 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
        load_factory_channels(img);
        QCOMPARE(rowHex(img, 0), QByteArray("00 25 50 15 00 25 50 15 9E 02 9E 02 00 00 00 04"));
        QCOMPARE(rowHex(img, 6), QByteArray("00 00 55 15 00 00 55 15 D2 00 D2 00 00 00 00 04"));
        QCOMPARE(rowHex(img, 199), QByteArray("00 25 06 48 00 25 06 48 FF FF FF FF 00 00 00 04"));
        QCOMPARE(decode_channel(img, 6)[ColEncode], QStringLiteral("D754I"));
        QCOMPARE(decode_channel(img, 4)[ColDecode], QStringLiteral("OFF"));
        QCOMPARE(decode_channel(img, 4)[ColEncode], QStringLiteral("OFF"));
        QCOMPARE(decode_channel(img, 3)[ColDecode], QStringLiteral("203.5"));
        QCOMPARE(decode_channel(img, 2)[ColName], QStringLiteral("A"));
        for (int n = 7; n < 199; ++n)
            QVERIFY(is_empty(img, n));
    }

    void outOfRangeChannelDoesNothing()
    {
        Image img;
        const Image before = img;
        for (int n : {-1, 200, 1000}) {
            new_channel(img, n);
            set_rx(img, n, u"145");
            set_name(img, n, u"AB");
            set_choice(img, n, ColPower, 1);
            set_tone(img, n, Tone::Decode, 1);
            delete_channel(img, n);
            QVERIFY(decode_channel(img, n)[ColRx].isEmpty());
        }
        QVERIFY(img == before);
    }
};

QTEST_GUILESS_MAIN(TstChannelCodec)
#include "tst_channel_codec.moc"
