// The connection check on a fake port and virtual clock: a good radio, a
// silent line, an echoing cable, bytes that are not the radio's, a flood,
// half a reply, a device that goes away, a device that may not be opened,
// no device at all. Each gives its verdict and next action in both
// languages, never writes the radio's memory and leaves the port closed.
#include "radio_rig.h"

#include "link/doctor.h"

#include <QRegularExpression>
#include <QTest>

using namespace vx;
using namespace vx::test;
using namespace vx::doctor;

namespace {

Environment goodEnvironment()
{
    Environment env;
    env.portNumber = 1;
    env.devices = 2;
    env.device = {.path = "/dev/ttyUSB0", .exists = true, .readable = true, .writable = true, .group = "dialout"};
    return env;
}

struct Rig {
    VirtualClock clock;
    FakePorts ports{{1}};
    std::unique_ptr<Check> check;
    std::unique_ptr<ScriptRadio> radio;
    bool finished = false;

    explicit Rig(Environment env = goodEnvironment())
    {
        clock.install();
        check = std::make_unique<Check>(env, [this] { return clock.now(); });
        check->onFinished = [this] { finished = true; };
        radio = std::make_unique<ScriptRadio>(clock, *ports.last);
        for (int i = 0; i < Image::kSize; ++i)
            radio->memory.bytes()[size_t(i)] = uint8_t(i);
    }
    ~Rig() { setTimerFactory(nullptr); }
    bool run()
    {
        check->start();
        return clock.runUntil([&] { return finished; }, 40'000);
    }
};

}  // namespace

class TstDoctor : public QObject {
    Q_OBJECT
private slots:
    // A radio that answers: every step passes, the identity is read back,
    // one block is read and nothing is written; the trace holds the bytes.
    void goodRadio()
    {
        Rig rig;
        QVERIFY(rig.run());
        QCOMPARE(int(rig.check->results().size()), kSteps);
        QVERIFY(!rig.check->failure());
        QVERIFY(rig.check->identity());
        QCOMPARE(rig.check->identity()->model.trimmed(), QString("VX-80"));
        QCOMPARE(rig.radio->count('S'), 1);
        QCOMPARE(rig.radio->count('X'), 0);
        QVERIFY(!rig.ports.last->isOpen());
        QVERIFY(rig.check->trace().size() > 4);
        QVERIFY(rig.check->trace().filter("> 5A 31 07 1C 44 61 2E 09").size() >= 1);
        const QStringList lines = report(rig.check->results(), 1, false);
        QCOMPARE(lines.last(), QString("All checks passed: the radio answers on COM1."));
        QVERIFY2(lines[3].startsWith("4. Identification: ok (model VX-80, firmware 12.34.5.6, serial number aaaaaa--bbbbbb--cccc, band A 136-174 MHz, band B 400-480 MHz)"),
                 qPrintable(lines[3]));
        QVERIFY2(lines[4].contains("(the wire allows"), qPrintable(lines[4]));
        QCOMPARE(report(rig.check->results(), 1, true).last(), QString("全部检查通过：对讲机在 COM1 上应答。"));
    }

    // What comes back, or does not, names the cause and the next action.
    void badAnswers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("silent") << "silent" << int(Cause::Silent) << "Stopped at step 3 (The radio's answer): nothing came back"
                                << "在第 3 步（对讲机应答）停止：没有任何应答";
        QTest::newRow("echo") << "echo" << int(Cause::Echo)
                              << "Stopped at step 3 (The radio's answer): only what was sent came back (an echo)"
                              << "在第 3 步（对讲机应答）停止：只收到了发出的字节（回声）";
        QTest::newRow("garbage") << "garbage" << int(Cause::Garbage)
                                 << "Stopped at step 3 (The radio's answer): what came back is not the radio's answer"
                                 << "在第 3 步（对讲机应答）停止：收到的不是对讲机的应答";
        QTest::newRow("flood") << "flood" << int(Cause::Flood)
                               << "Stopped at step 3 (The radio's answer): bytes keep coming without end"
                               << "在第 3 步（对讲机应答）停止：收到大量不停的字节";
        QTest::newRow("half an answer") << "half" << int(Cause::Partial)
                                        << "Stopped at step 3 (The radio's answer): only the start of the answer came back"
                                        << "在第 3 步（对讲机应答）停止：只收到应答的开头";
        QTest::newRow("vanishing") << "vanish" << int(Cause::Vanished)
                                   << "Stopped at step 3 (The radio's answer): the device went away during the check"
                                   << "在第 3 步（对讲机应答）停止：检查期间设备消失了";
        QTest::newRow("no block") << "noblock" << int(Cause::ReadFailed)
                                  << "Stopped at step 5 (Reading one block): identified, but the block did not come"
                                  << "在第 5 步（读取一个数据块）停止：已识别，但数据块没有读到";
    }
    void badAnswers()
    {
        QFETCH(QString, line);
        QFETCH(int, cause);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        Rig rig;
        FakePort& port = *rig.ports.last;
        rig.radio->answer = [&](const QByteArray& p) -> QByteArray {
            if (line == "silent")
                return {};
            if (line == "echo")
                return p;
            if (line == "garbage")
                return QByteArray(60, '\x7E');
            if (line == "flood")
                return QByteArray(5000, '\x55');
            if (line == "half")
                return identityReply().left(20);
            if (line == "vanish") {
                port.fail();
                return {};
            }
            return ScriptRadio::kindOf(p) == 'H' ? rig.radio->radio(p) : QByteArray();  // no block
        };
        QVERIFY(rig.run());
        const auto failure = rig.check->failure();
        QVERIFY(failure);
        QCOMPARE(int(failure->cause), cause);
        QCOMPARE(summary(rig.check->results(), 1, false), english);
        QCOMPARE(summary(rig.check->results(), 1, true), chinese);
        const QStringList lines = report(rig.check->results(), 1, false);
        QVERIFY(lines.filter(QRegularExpression("^   Next: .+")).size() == 1);
        QVERIFY(!rig.ports.last->isOpen());
        QCOMPARE(rig.radio->count('X'), 0);
        QVERIFY(rig.clock.now() < 30'000);
    }

    // Before anything is sent: no device, the chosen one missing, a device
    // this user may not open (with the exact fix), one another program
    // holds.
    void beforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("devices");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("next");
        QTest::newRow("no device") << 0 << false << false << int(Cause::NoDevices) << "plug the programming cable in";
        QTest::newRow("port absent") << 3 << false << false << int(Cause::PortAbsent) << "vxprog-cli ports";
        QTest::newRow("permission") << 1 << true << false << int(Cause::PermissionDenied) << "sudo usermod -aG uucp $USER";
        QTest::newRow("in use") << 1 << true << true << int(Cause::Busy) << "close the program using the port";
    }
    void beforeAnythingIsSent()
    {
        QFETCH(int, devices);
        QFETCH(bool, exists);
        QFETCH(bool, readable);
        QFETCH(int, cause);
        QFETCH(QString, next);
        Environment env = goodEnvironment();
        env.devices = devices;
        env.device.exists = exists;
        env.device.readable = readable;
        env.device.group = "uucp";
        Rig rig(env);
        rig.ports.last->available.clear();  // the fake port will not open
        QVERIFY(rig.run());
        QCOMPARE(int(rig.check->failure()->cause), cause);
        const QString lines = report(rig.check->results(), 1, false).join('\n');
        QVERIFY2(lines.contains(next), qPrintable(lines));
        QVERIFY(rig.radio->packets.isEmpty());
        QVERIFY(report(rig.check->results(), 1, true).join('\n').contains("下一步："));
    }
};

QTEST_MAIN(TstDoctor)
#include "tst_doctor.moc"
