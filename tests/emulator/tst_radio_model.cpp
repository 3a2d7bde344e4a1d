// The emulated radio byte for byte: handshake and identity reply, read
// requests, write packets, resynchronisation after garbage, and each fault.
#include "emulator/radio_model.h"
#include "link/identity.h"

#include <QTest>

using namespace vx;
using namespace vx::emu;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray handshake() { return bytes({0x5A, 0x31, 0x07, 0x1C, 0x44, 0x61, 0x2E, 0x09}); }
QByteArray firstRead(int address) { return bytes({0x06, 0x53, address >> 8, address & 0xFF, 0x40}); }
QByteArray read(int address) { return bytes({0x53, address >> 8, address & 0xFF, 0x40}); }
QByteArray writePacket(int address, uint8_t first)
{
    QByteArray p = bytes({0x06, 0x58, address >> 8, address & 0xFF, 0x10});
    for (int i = 0; i < 16; ++i)
        p.append(char(first + i));
    return p;
}

// A memory whose every byte differs from its neighbours: byte at address a
// holds a * 7 + 3 (mod 256).
Image pattern()
{
    Image img;
    for (int a = 0; a < Image::kSize; ++a)
        img.bytes()[size_t(a)] = uint8_t(a * 7 + 3);
    return img;
}

QByteArray blockReply(const Image& mem, int address)
{
    QByteArray r = bytes({RadioModel::kLeadByte, 0x58, address >> 8, address & 0xFF, 0x40});
    for (int i = 0; i < 64; ++i)
        r.append(address + i < Image::kSize ? char(mem.bytes()[size_t(address + i)]) : char(0xFF));
    return r;
}

}  // namespace

class TstRadioModel : public QObject {
    Q_OBJECT
private slots:
    void identityReply_data()
    {
        QTest::addColumn<QList<int>>("limits");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QString>("serialText");
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<QString>("modelPanel");
        QTest::addColumn<QString>("versionPanel");
        QTest::addColumn<QString>("serialPanel");

        QTest::newRow("defaults") << QList<int>{136, 174, 400, 480} << QByteArray("EMU-01") << QByteArray("150825")
                                  << QString("EMU000--000000--0001")
                                  << bytes({1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 8, 0}) << "EMU-01" << "15.08.2.5"
                                  << "EMU000--000000--0001";
        QTest::newRow("factory limits") << QList<int>{130, 179, 400, 520} << QByteArray("ABCDEF")
                                        << QByteArray("010203") << QString("1234567890ABCDEF")
                                        << bytes({1, 3, 0, 1, 7, 9, 4, 0, 0, 5, 2, 0}) << "ABCDEF" << "01.02.0.3"
                                        << "123456--7890AB--CDEF";
        QTest::newRow("short texts padded, long cut")
            << QList<int>{66, 88, 7, 999} << QByteArray("AB") << QByteArray("1234567") << QString("AB--CD--E")
            << bytes({0, 6, 6, 0, 8, 8, 0, 0, 7, 9, 9, 9}) << "AB    " << "12.34.5.6" << "AB    --CD    --E   ";
    }
    void identityReply()
    {
        QFETCH(QList<int>, limits);
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, version);
        QFETCH(QString, serialText);
        QFETCH(QByteArray, digits);

        RadioModel radio;
        RadioIdentity id;
        std::copy(limits.begin(), limits.end(), id.limits.begin());
        id.model = model;
        id.version = version;
        id.setSerialText(serialText);
        radio.setIdentity(id);

        const auto out = radio.feed(handshake());
        QCOMPARE(out.bytes.size(), 50);
        QVERIFY(out.restart);
        QCOMPARE(out.bytes.mid(1, 12), digits);
        QCOMPARE(out.bytes.mid(13, 4), QByteArray("PNRB"));
        QCOMPARE(uint8_t(out.bytes[49]), 0x55);

        // The application's own parser accepts it and shows what was set.
        const auto info = parseIdentityReply(out.bytes);
        QVERIFY(info);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(info->limits[k], limits[k]);
        QTEST(info->model, "modelPanel");
        QTEST(info->version, "versionPanel");
        QTEST(info->serial, "serialPanel");
        QVERIFY(radio.inSession());
    }

    void commandsBeforeHandshakeAreIgnored()
    {
        RadioModel radio;
        radio.memory() = pattern();
        const auto out = radio.feed(firstRead(0x3C00) + writePacket(0x0000, 0) + read(0x0040));
        QVERIFY(out.bytes.isEmpty());
        QCOMPARE(radio.memory(), pattern());
        QCOMPARE(radio.counters().commands, 0);
    }

    void readRequests_data()
    {
        QTest::addColumn<int>("address");
        QTest::newRow("start of memory") << 0x0000;
        QTest::newRow("adjustment block") << 0x3C00;
        QTest::newRow("not on a block boundary") << 0x0008;
        QTest::newRow("last row, then beyond the memory") << 0x4000;
        QTest::newRow("wholly beyond the memory") << 0xFFC0;
    }
    void readRequests()
    {
        QFETCH(int, address);
        RadioModel radio;
        radio.memory() = pattern();
        radio.feed(handshake());

        // The first request carries the 06 prefix; later ones follow the
        // block acknowledgement 06 on their own.
        const auto first = radio.feed(firstRead(address));
        QCOMPARE(first.bytes, blockReply(pattern(), address));
        QVERIFY(uint8_t(first.bytes[0]) != 0x58);
        QVERIFY(radio.feed(bytes({0x06})).bytes.isEmpty());
        const auto next = radio.feed(read(address));
        QCOMPARE(next.bytes, blockReply(pattern(), address));
        QCOMPARE(radio.counters().readRequests, 2);
        QCOMPARE(radio.counters().lastAddress, address);
    }

    void writePacketsAreStoredAndAcknowledged()
    {
        RadioModel radio;
        radio.feed(handshake());
        Image expected;
        for (int row = 4; row <= 7; ++row) {
            const int address = 0x3C00 + 16 * row;
            const auto out = radio.feed(writePacket(address, uint8_t(row * 16)));
            QCOMPARE(out.bytes, bytes({0x06}));
            for (int i = 0; i < 16; ++i)
                expected.set(Image::rowOfAddress(address), i, uint8_t(row * 16 + i));
        }
        QCOMPARE(radio.memory(), expected);
        QCOMPARE(radio.counters().rowsWritten, 4);

        // A row that runs past 0x400F keeps the bytes that fit.
        radio.feed(writePacket(0x4008, 0xA0));
        for (int i = 0; i < 8; ++i)
            expected.set(1024, 8 + i, uint8_t(0xA0 + i));
        QCOMPARE(radio.memory(), expected);
    }

    void resynchronises_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");  // after the identity reply
        const Image mem = pattern();

        QTest::newRow("garbage and a broken handshake before the handshake")
            << bytes({0x00, 0xFF, 0x5A, 0x31, 0x5A, 0x31, 0x07, 0x53}) + handshake() + read(0x0040)
            << blockReply(mem, 0x0040);
        QTest::newRow("garbage inside the session")
            << handshake() + bytes({0x00, 0x12, 0xFF, 0x06, 0x40, 0x10}) + read(0x0080) << blockReply(mem, 0x0080);
        QTest::newRow("wrong length byte, then a good request")
            << handshake() + bytes({0x53, 0x3C, 0x00, 0x41}) + read(0x3C40) << blockReply(mem, 0x3C40);
        QTest::newRow("a request letter inside a broken request")
            << handshake() + bytes({0x53}) + read(0x3C80) << blockReply(mem, 0x3C80);
        QTest::newRow("write packet with a wrong length byte")
            << handshake() + bytes({0x06, 0x58, 0x00, 0x00, 0x40}) + read(0x0000) << blockReply(mem, 0x0000);
        QTest::newRow("a handshake cuts a write packet short")
            << handshake() + writePacket(0x0000, 0x11).left(9) + handshake() + read(0x0000)
            << blockReply(mem, 0x0000);
    }
    void resynchronises()
    {
        QFETCH(QByteArray, input);
        RadioModel radio;
        radio.memory() = pattern();
        const auto out = radio.feed(input);
        QCOMPARE(out.bytes.left(50), radio.identityReply());
        QTEST(out.bytes.mid(50), "expected");
        QCOMPARE(radio.memory(), pattern());
    }

    void unfinishedPacketTimesOut()
    {
        // A write packet whose last bytes never came is dropped once the line
        // is quiet, so the next packet is not read as its tail.
        RadioModel radio;
        radio.feed(handshake());
        const QByteArray cut = writePacket(0x0000, 0x40).left(12);
        double t = 0;
        for (char c : cut)
            radio.feed(uint8_t(c), t += 1);
        t += RadioModel::kPacketTimeoutMs + 1;
        QByteArray out;
        for (char c : writePacket(0x0010, 0x80))
            out += radio.feed(uint8_t(c), t += 1).bytes;
        QCOMPARE(out, bytes({0x06}));
        QCOMPARE(radio.memory().at(0, 0), 0xFF);
        QCOMPARE(radio.memory().at(1, 0), 0x80);
        QCOMPARE(radio.memory().at(1, 15), 0x8F);
    }

    void faults_data()
    {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("leadingGarbage");  // random bytes before the expected ones
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("rowsStored");

        RadioModel plain;
        plain.memory() = pattern();
        const QByteArray id = plain.identityReply();
        const QByteArray blk = blockReply(pattern(), 0x3C00);
        QByteArray wrongWord = id;
        wrongWord[16] = 'X';
        QByteArray noMark = id;
        noMark[49] = char(0x54);

        QTest::newRow("silence") << QStringList{"silence"} << handshake() + firstRead(0x3C00) + writePacket(0, 1)
                                 << QByteArray() << 0 << false << 1;
        QTest::newRow("wrong identity word") << QStringList{"wrong-identity"} << handshake() << wrongWord << 0
                                             << false << 0;
        QTest::newRow("missing end mark") << QStringList{"no-end-mark"} << handshake() << noMark << 0 << false << 0;
        QTest::newRow("short identity and block") << QStringList{"short"} << handshake() + firstRead(0x3C00)
                                                  << id.left(49) + blk.left(68) << 0 << false << 0;
        QTest::newRow("block cut to 10 bytes")
            << QStringList{"short=59"} << handshake() + firstRead(0x3C00) << id.left(0) + blk.left(10) << 0 << false
            << 0;
        QTest::newRow("garbage before the identity reply") << QStringList{"garbage=5"} << handshake() << id << 5
                                                            << false << 0;
        QTest::newRow("withheld write acknowledgement")
            << QStringList{"no-ack"} << handshake() + writePacket(0, 1) + writePacket(16, 2) << id << 0 << false << 2;
        QTest::newRow("every second reply dropped")
            << QStringList{"drop-every=2"} << handshake() + firstRead(0x3C00) + read(0x3C00) + read(0x3C00)
            << id + blk << 0 << false << 0;
        QTest::newRow("line closed on the third command")
            << QStringList{"close-after=2"} << handshake() + firstRead(0x3C00) + read(0x3C00) + read(0x3C00)
            << id + blk << 0 << true << 0;
        QTest::newRow("line closed at once") << QStringList{"close-after=0"} << handshake() << QByteArray() << 0
                                             << true << 0;
        QTest::newRow("none clears earlier switches") << QStringList{"silence", "short=3", "none"} << handshake()
                                                      << id << 0 << false << 0;
    }
    void faults()
    {
        QFETCH(QStringList, switches);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QFETCH(int, leadingGarbage);
        QFETCH(bool, closes);
        QFETCH(int, rowsStored);

        RadioModel radio;
        radio.memory() = pattern();
        RadioFaults f;
        for (const QString& s : switches)
            QVERIFY2(applyFaultSwitch(s, f), qPrintable(s));
        radio.setFaults(f);
        const auto out = radio.feed(input);
        QCOMPARE(out.bytes.size(), expected.size() + leadingGarbage);
        QCOMPARE(out.bytes.mid(leadingGarbage), expected);
        QCOMPARE(out.closeLine, closes);
        QCOMPARE(radio.counters().rowsWritten, rowsStored);
        if (closes) {
            // The line closes once; the next session starts from a handshake
            // and works.
            QVERIFY(!radio.inSession());
            QCOMPARE(radio.feed(handshake()).bytes, radio.identityReply());
        }
    }

    void faultsCanChangeMidSession()
    {
        RadioModel radio;
        radio.memory() = pattern();
        radio.feed(handshake());
        RadioFaults f;
        f.silence = true;
        radio.setFaults(f);
        QVERIFY(radio.feed(firstRead(0x3C00)).bytes.isEmpty());
        radio.setFaults({});
        QCOMPARE(radio.feed(read(0x3C00)).bytes, blockReply(pattern(), 0x3C00));
    }

    void garbageFollowsTheSeed()
    {
        auto garbage = [](uint32_t seed) {
            RadioModel radio;
            RadioFaults f;
            f.garbage = 16;
            f.seed = seed;
            radio.setFaults(f);
            return radio.feed(handshake()).bytes.left(16);
        };
        QCOMPARE(garbage(7), garbage(7));
        QVERIFY(garbage(7) != garbage(8));
    }

    void faultSwitches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("flag") << "silence" << true;
        QTest::newRow("flag with argument") << "no-ack=1" << false;
        QTest::newRow("default count") << "garbage" << true;
        QTest::newRow("count") << "short=4" << true;
        QTest::newRow("zero count") << "short=0" << false;
        QTest::newRow("not a number") << "garbage=x" << false;
        QTest::newRow("drop-every needs N") << "drop-every" << false;
        QTest::newRow("close-after 0") << "close-after=0" << true;
        QTest::newRow("negative") << "close-after=-2" << false;
        QTest::newRow("seed") << "seed=4294967295" << true;
        QTest::newRow("unknown") << "lightning" << false;
    }
    void faultSwitches()
    {
        QFETCH(QString, text);
        RadioFaults f;
        f.noEndMark = true;
        const RadioFaults before = f;
        QString error;
        const bool ok = applyFaultSwitch(text, f, &error);
        QTEST(ok, "ok");
        if (!ok) {
            QVERIFY(f == before);  // a refused switch changes nothing
            QVERIFY(!error.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TstRadioModel)
#include "tst_radio_model.moc"
