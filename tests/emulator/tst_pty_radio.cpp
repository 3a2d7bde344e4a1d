// The emulated radio on a real pseudo-terminal, driven by the product's
// transfer engine over its Qt serial port and timers.
#include "interchange/datafile.h"
#include "test_document.h"
#include "emulator/pty_radio.h"
#include "link/engine.h"
#include "link/portmap.h"
#include "link/status.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <vector>

using namespace vx;
using namespace vx::test;
using namespace vx::emu;

namespace {

constexpr int kPort = 11;
constexpr int kWaitMs = 10'000;  // every wait is bounded

Image pattern()
{
    Image img;
    for (int a = 0; a < Image::kSize; ++a)
        img.bytes()[size_t(a)] = uint8_t(a * 13 + 5);
    return img;
}

// One transferring window's port, timers and engine, as the product makes them.
struct Window {
    std::unique_ptr<SerialPort> port = makeSerialPort();
    std::unique_ptr<Timer> sender = makeTimer();
    std::unique_ptr<Timer> timeout = makeTimer();
    std::unique_ptr<Timer> retry = makeTimer();
    int finished = 0;
    int attemptFailed = 0;
    int failed = 0;
    int portErrors = 0;
    TransferEngine engine{*port, *sender, *timeout, *retry,
                          {.portError = [this] { ++portErrors; },
                           .progress = {},
                           .finished = [this] { ++finished; },
                           .attemptFailed = [this] { ++attemptFailed; },
                           .failed = [this] { ++failed; }},
                          testLink()};
};

// Adjustment-editor sized transfers: blocks 0..3 and rows 4..7 of 0x3C00.
TransferParams shortRead()
{
    TransferParams p;
    p.direction = Direction::Read;
    p.baseHigh = 0x3C;
    p.firstSlot = 2;
    p.lastSlot = 4;
    p.retryPause = std::chrono::milliseconds(200);
    return p;
}

std::array<uint8_t, 16> rowBytes(int row)
{
    std::array<uint8_t, 16> out;
    for (int i = 0; i < 16; ++i)
        out[size_t(i)] = uint8_t(0xA0 + row * 16 + i);
    return out;
}

TransferParams shortWrite()
{
    TransferParams p;
    p.direction = Direction::Write;
    p.baseHigh = 0x3C;
    p.firstRow = 4;
    p.endRow = 8;
    p.rowData = rowBytes;
    p.retryPause = std::chrono::milliseconds(200);
    return p;
}

constexpr int kAdjustRow = 0x3C00 / 16;

void verifyBlocksRead(const TransferEngine& engine, const Image& memory)
{
    for (int slot = 2; slot <= 5; ++slot) {
        const int address = 0x3C00 + 64 * (slot - 2);
        const QByteArray expected(reinterpret_cast<const char*>(memory.bytes().data()) + address, 64);
        QCOMPARE(blockData(engine.replies().at(size_t(slot))), expected);
    }
}

Image afterShortWrite(Image memory)
{
    for (int row = 4; row < 8; ++row)
        memory.setRow(kAdjustRow + row, rowBytes(row));
    return memory;
}

PtyRadioOptions fast()
{
    PtyRadioOptions o;
    o.port = kPort;
    o.wireTime = false;
    o.latencyMs = 0;
    return o;
}

}  // namespace

class TstPtyRadio : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;

private slots:
    void initTestCase()
    {
        // The comN links go to a folder of this test, never the user's.
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        QVERIFY(portLinkFolder().startsWith(runtime_.path()));
        setPortNumber(kPort);
    }

    void publishesTheLinkWhileRunning()
    {
        PtyRadio radio(fast());
        QVERIFY(radio.start());
        QVERIFY(QFileInfo(portLinkPath(kPort)).isSymLink());
        QVERIFY(radio.devicePath().startsWith("/dev/"));
        QCOMPARE(QFileInfo(deviceForPort(kPort)).canonicalFilePath(), radio.devicePath());
        radio.stop();
        QVERIFY(!QFileInfo(portLinkPath(kPort)).isSymLink());
        QVERIFY(!radio.lineOpen());
    }

    void engineReadsBlocks()
    {
        PtyRadio radio(fast());
        radio.setMemory(pattern());
        QVERIFY(radio.start());
        Window w;
        QVERIFY(w.engine.start(shortRead()));
        QTRY_COMPARE_WITH_TIMEOUT(w.finished, 1, kWaitMs);
        QCOMPARE(w.attemptFailed, 0);
        verifyBlocksRead(w.engine, pattern());
        QCOMPARE(radio.counters().handshakes, 1);
        QCOMPARE(radio.counters().readRequests, 4);
        QCOMPARE(radio.memory(), pattern());
    }

    void engineWritesRows()
    {
        PtyRadio radio(fast());
        radio.setMemory(pattern());
        QVERIFY(radio.start());
        Window w;
        QVERIFY(w.engine.start(shortWrite()));
        QTRY_COMPARE_WITH_TIMEOUT(w.finished, 1, kWaitMs);
        QCOMPARE(radio.counters().rowsWritten, 4);
        QVERIFY(radio.memory() == afterShortWrite(pattern()));
    }

    void lineClosedEndsInFailure()
    {
        PtyRadio radio(fast());
        radio.setMemory(pattern());
        RadioFaults f;
        f.closeAfter = 2;  // handshake and first block answered, then the line goes
        radio.setFaults(f);
        QVERIFY(radio.start());
        Window w;
        w.engine.setRetries(0);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(w.engine.start(shortRead()));
        QTRY_COMPARE_WITH_TIMEOUT(w.attemptFailed, 1, kWaitMs);
        const qint64 noticed = clock.elapsed();
        QTRY_COMPARE_WITH_TIMEOUT(w.failed, 1, kWaitMs);
        QCOMPARE(w.attemptFailed, 1);
        QCOMPARE(w.finished, 0);
        QVERIFY(!w.engine.busy());
        QVERIFY(!w.port->isOpen());
        QVERIFY(!radio.lineOpen());
        // Within the one-second reply time-out plus the pause.
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        // A closed line ends the attempt at once, as a pulled cable does
        // (it once waited for the reply time-out with the port spinning on errors).
        QVERIFY2(noticed < 500, qPrintable(QString::number(noticed)));

        // COM n now leads nowhere: the next start is a port error.
        QVERIFY(!w.engine.start(shortRead()));
        QCOMPARE(w.portErrors, 1);
    }

    void retryAfterTheLineReopens()
    {
        PtyRadioOptions o = fast();
        o.reopenAfterMs = 50;
        PtyRadio radio(o);
        radio.setMemory(pattern());
        RadioFaults f;
        f.closeAfter = 3;
        radio.setFaults(f);
        QVERIFY(radio.start());
        Window w;
        w.engine.setRetries(1);
        QVERIFY(w.engine.start(shortRead()));
        QTRY_COMPARE_WITH_TIMEOUT(w.finished, 1, kWaitMs);
        QCOMPARE(w.attemptFailed, 1);
        QCOMPARE(radio.linesOpened(), 2);
        verifyBlocksRead(w.engine, pattern());
    }

    void wireTimeIsModelled()
    {
        PtyRadioOptions o = fast();
        o.wireTime = true;
        o.latencyMs = 2;
        PtyRadio radio(o);
        radio.setMemory(pattern());
        QVERIFY(radio.start());
        Window w;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(w.engine.start(shortRead()));
        QTRY_COMPARE_WITH_TIMEOUT(w.finished, 1, kWaitMs);
        const double elapsed = double(clock.nsecsElapsed()) / 1e6;
        // On the critical path: 8 + 50 + 5 + 69 + 3 x (4 + 69) bytes, five
        // packets started 15 ms after their cue, five replies' latency.
        const double bound = 351 * PtyRadio::kByteMs + 5 * 15 + 5 * 2;
        QVERIFY2(elapsed >= 351 * PtyRadio::kByteMs, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < bound + 2000, qPrintable(QString::number(elapsed)));
        verifyBlocksRead(w.engine, pattern());
    }

    void program()
    {
        QTemporaryDir files;
        const QString in = files.filePath("in.dat");
        const QString out = files.filePath("out.dat");
        QCOMPARE(datafile::save(pattern(), in), datafile::SaveError::None);

        constexpr int port = 12;
        QProcess proc;
        proc.start(RADIO_EMULATOR,
                   {"--port", QString::number(port), "--no-wire-time", "--latency", "0", "--load", in, "--save", out,
                    "--limits", "130,179,400,520", "--model", "ABCDEF", "--version", "010203", "--serial",
                    "111111--222222--3333"});
        QVERIFY(proc.waitForStarted(kWaitMs));
        // It says which device is COM n once the link is there.
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += proc.readAllStandardOutput()).contains("link "), kWaitMs);
        QVERIFY(QFileInfo(portLinkPath(port)).isSymLink());
        QVERIFY2(said.contains(QFileInfo(deviceForPort(port)).canonicalFilePath().toLocal8Bit()), said.constData());

        setPortNumber(port);
        Window w;
        QVERIFY(w.engine.start(shortWrite()));
        QTRY_COMPARE_WITH_TIMEOUT(w.finished, 1, kWaitMs);
        setPortNumber(kPort);
        QCOMPARE(statusPanel(2), QString("ABCDEF"));
        QCOMPARE(statusPanel(4), QString("111111--222222--3333"));
        QCOMPARE(statusPanel(6), QString("01.02.0.3"));
        QCOMPARE(statusPanel(8), QString(" 130-- 179 MHZ"));
        QCOMPARE(statusPanel(10), QString(" 400-- 520 MHZ"));

        proc.terminate();  // SIGTERM
        QVERIFY(proc.waitForFinished(kWaitMs));
        QCOMPARE(proc.exitStatus(), QProcess::NormalExit);
        QCOMPARE(proc.exitCode(), 0);
        QVERIFY(!QFileInfo(portLinkPath(port)).isSymLink());
        Image saved;
        QVERIFY(datafile::load(out, saved).ok());
        QVERIFY(saved == afterShortWrite(pattern()));
    }

    // Regression: the link of a killed program kept naming /dev/pts/<k>; the
    // next pseudo-terminal opened anywhere took that number, and COM n led
    // into its line.
    void killedProgramLeavesNoWayIntoAnotherLine()
    {
        constexpr int port = 12;
        QProcess proc;
        proc.start(RADIO_EMULATOR, {"--port", QString::number(port), "--no-wire-time"});
        QVERIFY(proc.waitForStarted(kWaitMs));
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += proc.readAllStandardOutput()).contains("link "), kWaitMs);
        const QString device = QFileInfo(deviceForPort(port)).canonicalFilePath();
        QVERIFY2(device.startsWith("/dev/"), qPrintable(device));

        ::kill(pid_t(proc.processId()), SIGKILL);
        QVERIFY(proc.waitForFinished(kWaitMs));
        QVERIFY(QFileInfo(portLinkPath(port)).isSymLink());  // nothing could remove it
        // New pseudo-terminals take the lowest free numbers: open them until
        // one has the dead line's number (unless another program took it).
        std::vector<int> held;
        for (int i = 0; i < 64; ++i) {
            const int m = ::posix_openpt(O_RDWR | O_NOCTTY);
            QVERIFY(m >= 0);
            held.push_back(m);
            if (::grantpt(m) == 0 && ::unlockpt(m) == 0 && QString::fromLocal8Bit(::ptsname(m)) == device)
                break;
        }
        QSerialPort port12;
        port12.setPortName(deviceForPort(port));
        const bool opened = port12.open(QIODevice::ReadWrite);
        port12.close();
        for (int m : held)
            ::close(m);
        QVERIFY(!opened);
        QVERIFY(!QFileInfo::exists(deviceForPort(port)));
    }

    void programRefusesBadSwitches_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown fault") << QStringList{"--fault", "lightning"};
        QTest::newRow("port out of range") << QStringList{"--port", "13"};
        QTest::newRow("three limits") << QStringList{"--limits", "1,2,3"};
        QTest::newRow("missing data file") << QStringList{"--load", "/nonexistent/x.dat"};
    }
    void programRefusesBadSwitches()
    {
        QFETCH(QStringList, args);
        QProcess proc;
        proc.start(RADIO_EMULATOR, args);
        QVERIFY(proc.waitForFinished(kWaitMs));
        QCOMPARE(proc.exitCode(), 1);
        QVERIFY(!proc.readAllStandardError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstPtyRadio)
#include "tst_pty_radio.moc"
