// Identity reply, status panels, the main window's identification, the
// start-up port probe and the COM n to device mapping.
#include "prompts.h"
#include "test_document.h"
#include "radio_rig.h"

#include "image/language.h"
#include "link/identification.h"
#include "link/identity.h"
#include "link/portmap.h"
#include "link/status.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

// The identification on a fake port from the factory, with a scripted radio.
struct Rig {
    VirtualClock clock;
    FakePorts ports;
    FakePort* port = nullptr;
    std::unique_ptr<Identification> id;
    std::unique_ptr<ScriptRadio> radio;
    int identified = 0;

    explicit Rig(std::set<int> available = {1, 2, 3, 4, 5, 6, 7, 8}) : ports(std::move(available))
    {
        clock.install();
        id = std::make_unique<Identification>(testLink());
        port = ports.last;
        radio = std::make_unique<ScriptRadio>(clock, *port);
        radio->gatherMs = 12;  // the handshake leaves a byte every 10 ms
        id->onIdentified = [this] { ++identified; };
    }
    ~Rig() { setTimerFactory(nullptr); }
};

QString chars(const char* s) { return QString::fromLatin1(s); }

}  // namespace

class TstIdentification : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        clearStatusPanels();
        resetBandLimits();
        setChinese(false);
        setPortNumber(1);
    }

    void panelFormats_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("panels");  // 2, 4, 6, 8, 10
        QTest::addColumn<BandLimits>("limits");
        QTest::newRow("default limits")
            << QByteArray::fromHex("00010300010709040000050200") + QByteArray(identityReply()).mid(13)
            << QStringList{chars("VX-80 "), chars("aaaaaa--bbbbbb--cccc"), chars("12.34.5.6"),
                           chars(" 130-- 179 MHZ"), chars(" 400-- 520 MHZ")}
            << BandLimits{130, 179, 400, 520};
        QTest::newRow("136-174 / 400-480")
            << identityReply({136, 174, 400, 480}, "MODEL1", "150825", "123456789012ABCD")
            << QStringList{chars("MODEL1"), chars("123456--789012--ABCD"), chars("15.08.2.5"),
                           chars(" 136-- 174 MHZ"), chars(" 400-- 480 MHZ")}
            << BandLimits{136, 174, 400, 480};
        QTest::newRow("zero and high bytes kept")
            << identityReply({0, 99, 0, 999}, QByteArray("A\0B\xE9", 4) + "  ", "000000")
            << QStringList{QString(QChar('A')) + QChar(0) + QChar('B') + QChar(0xE9) + "  ",
                           chars("aaaaaa--bbbbbb--cccc"), chars("00.00.0.0"), chars(" 0-- 99 MHZ"), chars(" 0-- 999 MHZ")}
            << BandLimits{0, 99, 0, 999};
    }
    void panelFormats()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, panels);
        QFETCH(BandLimits, limits);
        const auto info = parseIdentityReply(reply);
        QVERIFY(info);
        RadioDocument doc;
        LinkContext::of(doc).identified(*info);
        QCOMPARE((QStringList{statusPanel(2), statusPanel(4), statusPanel(6), statusPanel(8), statusPanel(10)}), panels);
        QCOMPARE(doc.bandLimits(), limits);
    }

    // Four attempts, each 85 ms of sending, 5 s of waiting and a 1.5 s pause,
    // then the fault in panels 3 and 4.
    void faultAfterFourAttempts_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("stat");
        QTest::addColumn<QString>("fault");
        QTest::newRow("English") << false << "Stat:" << "Communication fault.";
        QTest::newRow("Chinese") << true << "状态:" << "联机故障 ！";
    }
    void faultAfterFourAttempts()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, stat);
        QFETCH(QString, fault);
        setChinese(inChinese);
        CapturedPrompts prompts;
        Rig rig;
        rig.radio->answer = [](const QByteArray&) { return QByteArray(); };
        rig.id->start();
        QVERIFY(rig.clock.runUntil([] { return !statusPanel(4).isEmpty(); }));
        QCOMPARE(rig.clock.now(), 4 * (85 + 5000 + 1500));
        QCOMPARE(statusPanel(3), stat);
        QCOMPARE(statusPanel(4), fault);
        QCOMPARE(rig.radio->count('H'), 4);
        QCOMPARE(rig.port->written.size(), 32);
        QVERIFY(!rig.id->probing());
        QVERIFY(!rig.port->isOpen());
        QVERIFY(prompts.all.isEmpty());
    }

    void handshakeTiming()
    {
        Rig rig;
        QList<long long> times;
        rig.port->onWrite = [&](uint8_t) { times << rig.clock.now(); };
        rig.id->start();
        rig.clock.advance(100);
        QCOMPARE(times, (QList<long long>{15, 25, 35, 45, 55, 65, 75, 85}));
        QCOMPARE(rig.port->written, QByteArray::fromHex("5A31071C44612E09"));
    }

    // A good reply may come in pieces; 49 bytes wait for the fiftieth.
    void goodReply_data()
    {
        QTest::addColumn<int>("split");
        QTest::newRow("one burst") << 50;
        QTest::newRow("49 then 1") << 49;
        QTest::newRow("1 then 49 and extra bytes") << 1;
    }
    void goodReply()
    {
        QFETCH(int, split);
        Rig rig;
        const QByteArray reply = identityReply() + QByteArray(20, '\x55');
        rig.radio->answer = [](const QByteArray&) { return QByteArray(); };
        rig.id->start();
        rig.clock.advance(200);
        rig.port->deliver(reply.left(split));
        QCOMPARE(rig.identified, split >= 50 ? 1 : 0);
        rig.port->deliver(reply.mid(split));
        QCOMPARE(rig.identified, 1);
        QVERIFY(!rig.port->isOpen());
        QVERIFY(!rig.id->probing());
        QCOMPARE(statusPanel(4), chars("aaaaaa--bbbbbb--cccc"));
        rig.clock.advance(60'000);  // every timer is off: nothing more is sent
        QCOMPARE(rig.port->written.size(), 8);
    }

    // The port error is an event; the main window decides what to show.
    void portWillNotOpen()
    {
        CapturedPrompts prompts;
        Rig rig(std::set<int>{});
        int portErrors = 0;
        rig.id->onPortError = [&] { ++portErrors; };
        rig.id->start();
        rig.clock.advance(60'000);
        QCOMPARE(portErrors, 1);
        QVERIFY(prompts.all.isEmpty());
        QCOMPARE(rig.port->openAttempts, 1);  // no retry follows
        QVERIFY(portFailure());
    }

    // A port change restarts the identification at once, on the new port.
    void restartWhileProbing()
    {
        Rig rig;
        rig.radio->answer = [](const QByteArray&) { return QByteArray(); };
        rig.id->start();
        rig.clock.advance(50);
        setPortNumber(3);
        rig.radio->answer = [&](const QByteArray& p) { return rig.radio->radio(p); };
        rig.id->start();
        rig.clock.advance(200);
        QCOMPARE(rig.identified, 1);
        QCOMPARE(rig.port->lastPortNumber, 3);
        QCOMPARE(rig.id->retriesLeft(), 3);
    }

    void probe_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("failure");
        QTest::newRow("ports 1 and 3") << QList<int>{1, 3} << 3 << false;
        QTest::newRow("port 8") << QList<int>{8, 12} << 8 << false;
        QTest::newRow("only 9..12") << QList<int>{9, 12} << 1 << true;
        QTest::newRow("none") << QList<int>{} << 1 << true;
    }
    void probe()
    {
        QFETCH(QList<int>, available);
        QFETCH(int, chosen);
        QFETCH(bool, failure);
        CapturedPrompts prompts;
        QList<int> tried;
        QList<FakePort*> made;
        setSerialPortFactory([&] {
            auto p = std::make_unique<FakePort>();
            p->available = std::set<int>(available.begin(), available.end());
            p->onWrite = [](uint8_t) { QFAIL("the probe sends nothing"); };
            tried << 0;
            return p;
        });
        QCOMPARE(probePorts(), chosen);
        setSerialPortFactory(nullptr);
        QCOMPARE(portNumber(), chosen);
        QCOMPARE(portFailure(), failure);
        QCOMPARE(tried.size(), failure ? 8 : 9 - chosen);  // 8, 7, ... down to the one that opened
        QVERIFY(prompts.all.isEmpty());
    }

    void defaultDevices_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("COM1") << 1 << "/dev/ttyS0";
        QTest::newRow("COM4") << 4 << "/dev/ttyS3";
        QTest::newRow("COM5") << 5 << "/dev/ttyUSB0";
        QTest::newRow("COM8") << 8 << "/dev/ttyUSB3";
        QTest::newRow("COM9") << 9 << "/dev/ttyACM0";
        QTest::newRow("COM12") << 12 << "/dev/ttyACM3";
        QTest::newRow("COM0") << 0 << "";
        QTest::newRow("COM13") << 13 << "";
    }
    void defaultDevices()
    {
        QFETCH(int, port);
        QFETCH(QString, device);
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QCOMPARE(deviceForPort(port), device);
        QCOMPARE(defaultDeviceForPort(port), device);
    }

    // A comN link in the per-user folder points COM n anywhere; other ports
    // keep the table.
    void userLinkOverrides()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QCOMPARE(portLinkFolder(), runtime.path() + "/vxprog");
        QVERIFY(QDir().mkpath(portLinkFolder()));
        QVERIFY(QFile::link("/dev/pts/7", portLinkPath(8)));
        QCOMPARE(deviceForPort(8), QString("/dev/pts/7"));
        QCOMPARE(deviceForPort(7), QString("/dev/ttyUSB2"));
        QCOMPARE(defaultDeviceForPort(8), QString("/dev/ttyUSB3"));
    }
};

QTEST_GUILESS_MAIN(TstIdentification)
#include "tst_identification.moc"
