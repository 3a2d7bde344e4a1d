// vxprog-cli run as a program against the radio emulator on a real
// pseudo-terminal: every command, its output, its files and its exit code.
#include "emulator_rig.h"
#include "test_parts.h"

#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "interchange/datafile.h"
#include "interchange/restore_points.h"
#include "editors/defaults.h"
#include "link/portmap.h"
#include "link/whole_radio.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <optional>
#include <random>
#include <sys/types.h>

using namespace vx;

namespace {

constexpr int kPort = 10;

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Image randomImage(uint32_t seed)
{
    std::mt19937 rng(seed);
    Image image;
    for (auto& b : image.bytes())
        b = uint8_t(rng());
    return image;
}

// The bytes a trace shows sent before the first byte received, however it
// split them into lines (a line holds what left within 1 ms, and a loaded
// machine may take longer over a packet).
QString sentBeforeTheReply(const QString& trace)
{
    QStringList bytes;
    for (const QString& line : trace.split(QLatin1Char('\n'))) {
        const int at = line.indexOf(QLatin1String(" ms  "));
        if (at < 0)
            continue;
        const QString rest = line.mid(at + 5);
        if (rest.startsWith(QLatin1Char('<')))
            break;
        if (rest.startsWith(QLatin1String(">  ")))
            bytes << rest.mid(3).trimmed();
    }
    return bytes.join(QLatin1Char(' '));
}

}  // namespace

class TstCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;  // the files
    std::optional<test::EmulatorRig> rig_;

    Run cli(const QStringList& args, int timeoutMs = 120'000)
    {
        QProcess p;  // finds the radio's port link through the rig's XDG_RUNTIME_DIR
        p.start(QStringLiteral(VXPROG_CLI), args);
        // The emulator answers from its own thread; this loop only waits.
        if (!p.waitForFinished(timeoutMs))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList port() const { return {QStringLiteral("--port"), QString::number(kPort)}; }
    int handshakes() { return rig_->radio.withModel([](emu::RadioModel& m) { return m.counters().handshakes; }); }

private slots:
    // Restore points go into the test's own data folder, never the user's.
    void initTestCase() { qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")).toLocal8Bit()); }
    void init()
    {
        rig_.emplace(kPort, randomImage(3), 0.2);
        QVERIFY(rig_->started());
    }
    void cleanup() { rig_.reset(); }

    void usageAndHelp()
    {
        QCOMPARE(cli({}).code, 2);
        const Run help = cli({QStringLiteral("--help")});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("Exit codes"));
        QCOMPARE(cli({QStringLiteral("frobnicate")}).code, 2);
        QCOMPARE(cli({QStringLiteral("read")}).code, 2);  // no file
        const Run readHelp = cli({QStringLiteral("read"), QStringLiteral("--help")});
        QCOMPARE(readHelp.code, 0);
        QVERIFY(readHelp.out.contains("--trace"));
    }

    void portsAndIdentify()
    {
        const Run ports = cli({QStringLiteral("ports")});
        QCOMPARE(ports.code, 0);
        QVERIFY(ports.out.contains(QStringLiteral("COM%1").arg(kPort)));
        QVERIFY(ports.out.contains(deviceForPort(kPort)));
        QCOMPARE(QFileInfo(deviceForPort(kPort)).canonicalFilePath(), rig_->radio.devicePath());
        const Run id = cli(QStringList{QStringLiteral("identify"), QStringLiteral("--json")} + port());
        QCOMPARE(id.code, 0);
        QVERIFY2(id.out.contains("\"model\": \"EMU-01\""), qPrintable(id.out));
        QVERIFY(id.out.contains("\"high\": 174"));
        QCOMPARE(cli({QStringLiteral("identify"), QStringLiteral("--port"), QStringLiteral("11")}).code, 3);
    }

    // read: rows 0..787 from the radio, the others as start-up leaves them.
    void readEqualsTheRadio()
    {
        const Run r = cli(QStringList{QStringLiteral("read"), path("r.dat"), QStringLiteral("--trace")} + port());
        QVERIFY2(r.code == 0, qPrintable(r.err));
        // The handshake, traced.
        QVERIFY2(sentBeforeTheReply(r.err).startsWith("5A 31 07 1C 44 61 2E 09"), qPrintable(r.err.left(2000)));
        Image file;
        QVERIFY(datafile::load(path("r.dat"), file).ok());
        const Image radio = rig_->memory();
        Image fresh;
        lay_startup_defaults(fresh);
        for (int row = 0; row < Image::kRows; ++row)
            QVERIFY(std::ranges::equal(file.row(row), row <= 787 ? radio.row(row) : fresh.row(row)));
    }

    // write: a loadable backup of what the radio held, then the file with
    // the tables laid in, read back and compared.
    void writeBacksUpWritesAndVerifies()
    {
        const Image before = rig_->memory();
        Image image = randomImage(9);
        channels::load_factory_channels(image);
        QCOMPARE(datafile::save(image, path("w.dat")), datafile::SaveError::None);
        const Run r = cli(QStringList{QStringLiteral("write"), path("w.dat")} + port());
        QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
        QVERIFY(r.out.contains("Verified"));

        prepare_whole_write(image);
        const Image radio = rig_->memory();
        for (int row = 0; row <= 783; ++row)
            QVERIFY(std::ranges::equal(radio.row(row), image.row(row)));
        const QStringList backups = QDir(dir_.path()).entryList({QStringLiteral("w-backup-*.dat")});
        QCOMPARE(backups.size(), 1);
        Image backup;
        QVERIFY(datafile::load(path(backups[0]), backup).ok());
        for (int row = 0; row <= 787; ++row)
            QVERIFY(std::ranges::equal(backup.row(row), before.row(row)));

        // The backup is also the radio's newest restore point, under the
        // model and serial number the identification gave.
        const restore::Store store(restore::Store::defaultFolder());
        QVERIFY(store.folder().startsWith(path("data")));
        const std::vector<restore::Point> points = store.points();
        QVERIFY(!points.empty());
        const restore::Point& newest = points.front();
        QCOMPARE(newest.kind, restore::Kind::Backup);
        QCOMPARE(newest.radio.model, QStringLiteral("EMU-01"));
        QVERIFY(newest.rowsChanged > 0);
        QVERIFY2(r.err.contains("Restore point kept: " + newest.path), qPrintable(r.err));
        Image kept;
        QVERIFY(store.load(newest, kept));
        QVERIFY(kept == backup);
    }

    // A store that cannot be written is reported and the write goes on.
    void writeWithoutARestoreStore()
    {
        QFile blocker(path("no-data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray data = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", path("no-data").toLocal8Bit());  // a file: no folder can be made under it
        Image image = rig_->memory();
        image.set(3, 0, uint8_t(image.at(3, 0) ^ 1));
        QCOMPARE(datafile::save(image, path("n.dat")), datafile::SaveError::None);
        const Run r = cli(QStringList{QStringLiteral("write"), path("n.dat")} + port());
        qputenv("XDG_DATA_HOME", data);
        QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
        QVERIFY2(r.err.contains("Cannot keep a restore point in ") && r.err.contains("(the write goes on)"), qPrintable(r.err));
        QCOMPARE(rig_->memory().at(3, 0), image.at(3, 0));
    }

    void verifyNamesTheRegion()
    {
        Image image = rig_->memory();
        prepare_whole_write(image);
        rig_->radio.setMemory(image);
        QCOMPARE(datafile::save(image, path("v.dat")), datafile::SaveError::None);
        QCOMPARE(cli(QStringList{QStringLiteral("verify"), path("v.dat")} + port()).code, 0);
        image.set(660, 3, uint8_t(image.at(660, 3) ^ 1));  // one byte of the DTMF region
        QCOMPARE(datafile::save(image, path("v.dat")), datafile::SaveError::None);
        const Run r = cli(QStringList{QStringLiteral("verify"), path("v.dat")} + port());
        QCOMPARE(r.code, 6);
        QVERIFY2(r.err.contains("1 rows differ") && r.err.contains("DTMF: rows 660"), qPrintable(r.err));
    }

    // A file that does not load is refused before the port is touched.
    void badFileNeverTouchesThePort()
    {
        QFile f(path("bad.dat"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(" 1  2  3\r\n");
        f.close();
        const int before = handshakes();
        const Run r = cli(QStringList{QStringLiteral("write"), path("bad.dat")} + port());
        QCOMPARE(r.code, 5);
        QCOMPARE(handshakes(), before);
    }

    // The radio goes silent mid-write: reported with the last row taken.
    void silenceMidWriteNamesTheLastRow()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("s.dat")), datafile::SaveError::None);
        emu::RadioFaults faults;
        faults.closeAfter = 101;  // the handshake and rows 0..99
        rig_->radio.withModel([&](emu::RadioModel& m) { m.setFaults(faults); });
        const Run r = cli(QStringList{QStringLiteral("write"), path("s.dat"), QStringLiteral("--no-backup")} + port());
        QCOMPARE(r.code, 4);
        QVERIFY2(r.err.contains("last row the radio acknowledged is row 99"), qPrintable(r.err));
    }

    // No backup, no write: the line goes at the first command of the backup
    // read, and nothing reaches the radio.
    void failedBackupStopsTheWrite()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("b.dat")), datafile::SaveError::None);
        emu::RadioFaults faults;
        faults.closeAfter = 0;
        rig_->radio.withModel([&](emu::RadioModel& m) { m.setFaults(faults); });
        const Run r = cli(QStringList{QStringLiteral("write"), path("b.dat")} + port());
        QCOMPARE(r.code, 4);
        QCOMPARE(rig_->radio.withModel([](emu::RadioModel& m) { return m.counters().rowsWritten; }), 0);
        QVERIFY(QDir(dir_.path()).entryList({QStringLiteral("b-backup-*.dat")}).isEmpty());
    }

    // Verify means "the radio holds this file": right after a read it
    // passes on a radio whose 5-tone tables are not the constants; a changed
    // byte anywhere, the tables included, fails and names region and row.
    void verifyAfterReadPasses()
    {
        QCOMPARE(cli(QStringList{QStringLiteral("read"), path("r.dat")} + port()).code, 0);
        const Run v = cli(QStringList{QStringLiteral("verify"), path("r.dat")} + port());
        QVERIFY2(v.code == 0, qPrintable(v.err));
        QVERIFY(v.out.contains("Verified: the radio holds the file"));
        Image radio = rig_->memory();
        radio.set(520, 0, uint8_t(radio.at(520, 0) ^ 1));
        rig_->radio.setMemory(radio);
        const Run bad = cli(QStringList{QStringLiteral("verify"), path("r.dat")} + port());
        QCOMPARE(bad.code, 6);
        QVERIFY2(bad.err.contains("1 rows differ") && bad.err.contains("5-tone: rows 520"), qPrintable(bad.err));
    }

    // One changed channel: the backup read, exactly the differing rows in
    // address order, then reads of only the blocks that hold them. Written
    // again, nothing is sent.
    void writeSendsOnlyWhatChanged()
    {
        QCOMPARE(cli(QStringList{QStringLiteral("read"), path("c.dat")} + port()).code, 0);
        Image file;
        QVERIFY(datafile::load(path("c.dat"), file).ok());
        channels::set_rx(file, 5, u"146.52");
        channels::set_name(file, 5, u"NEW");
        QCOMPARE(datafile::save(file, path("c.dat")), datafile::SaveError::None);
        const std::vector<int> expected = rows_to_write(file, rig_->memory());
        QVERIFY(std::ranges::find(expected, 5) != expected.end() && std::ranges::find(expected, 261) != expected.end());

        const Run dry = cli(QStringList{QStringLiteral("write"), path("c.dat"), QStringLiteral("--dry-run")} + port());
        QCOMPARE(dry.code, 0);
        QVERIFY2(dry.out.contains(QStringLiteral("%1 rows will be written").arg(expected.size())), qPrintable(dry.out));
        QVERIFY(dry.out.contains("channels: rows 5") && dry.out.contains("names: rows 261"));
        QCOMPARE(rig_->radio.withModel([](emu::RadioModel& m) { return m.counters().rowsWritten; }), 0);
        QVERIFY(QDir(dir_.path()).entryList({QStringLiteral("c-backup-*.dat")}).isEmpty());  // a dry run keeps none

        rig_->clearLog();
        const Run w = cli(QStringList{QStringLiteral("write"), path("c.dat")} + port());
        QVERIFY2(w.code == 0, qPrintable(w.err + w.out));
        std::vector<int> written, readBack;
        bool afterWrite = false;
        for (const auto& c : rig_->log()) {
            if (c.kind == 'X') {
                written.push_back(c.address / 16);
                afterWrite = true;
            } else if (c.kind == 'S' && afterWrite) {
                readBack.push_back(c.address / 64);
            }
        }
        QCOMPARE(written, expected);
        QCOMPARE(readBack, blocksOfRows(expected));
        QVERIFY(w.out.contains(QStringLiteral("Verified: the %1 rows written equal the file").arg(expected.size())));
        QVERIFY(rows_not_held(file, rig_->memory()).empty());

        rig_->clearLog();
        const Run again = cli(QStringList{QStringLiteral("write"), path("c.dat")} + port());
        QCOMPARE(again.code, 0);
        QVERIFY(again.out.contains("The radio already holds this file; nothing was sent."));
        QVERIFY(std::ranges::none_of(rig_->log(), [](const auto& c) { return c.kind == 'X'; }));
        QCOMPARE(cli(QStringList{QStringLiteral("verify"), path("c.dat")} + port()).code, 0);
    }

    void fullWriteSendsEveryRow()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("f.dat")), datafile::SaveError::None);
        rig_->clearLog();
        const Run w = cli(QStringList{QStringLiteral("write"), path("f.dat"), QStringLiteral("--full")} + port());
        QVERIFY2(w.code == 0, qPrintable(w.err));
        QCOMPARE(std::ranges::count_if(rig_->log(), [](const auto& c) { return c.kind == 'X'; }), 784);
    }

    // Ctrl+C during a write: it stops after the packet in flight, names the
    // last row taken and the mixed regions, and the backup it names puts
    // the radio back.
    void interruptedWriteCanBeRestored()
    {
        const Image before = rig_->memory();
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("i.dat")), datafile::SaveError::None);
        QProcess p;
        p.start(QStringLiteral(VXPROG_CLI), QStringList{QStringLiteral("write"), path("i.dat"), QStringLiteral("--full")} + port());
        QVERIFY(p.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (rig_->radio.withModel([](emu::RadioModel& m) { return m.counters().rowsWritten; }) < 100 && waited.elapsed() < 60'000)
            QThread::msleep(1);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(60'000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 130);
        const int written = rig_->radio.withModel([](emu::RadioModel& m) { return m.counters().rowsWritten; });
        QVERIFY2(written >= 100 && written < 784, qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("the last row the radio acknowledged is row %1").arg(written - 1)), qPrintable(err));
        QVERIFY(err.contains("Regions now mixed, part new and part old: channels"));
        const QStringList backups = QDir(dir_.path()).entryList({QStringLiteral("i-backup-*.dat")});
        QCOMPARE(backups.size(), 1);
        const QString restore = QStringLiteral("vxprog-cli write --full %1 --port %2").arg(QDir::toNativeSeparators(path(backups[0]))).arg(kPort);
        QVERIFY2(err.contains(restore), qPrintable(err));

        QCOMPARE(cli(QStringList{QStringLiteral("write"), QStringLiteral("--full"), path(backups[0]), QStringLiteral("--no-backup")} + port()).code, 0);
        QCOMPARE(cli(QStringList{QStringLiteral("verify"), path(backups[0])} + port()).code, 0);
        for (int row = 0; row <= 783; ++row)
            QVERIFY(std::ranges::equal(rig_->memory().row(row), before.row(row)) || (row >= 512 && row <= 574));
    }

    // What can be known before the port opens is: no handshake happens.
    void checkedBeforeThePort()
    {
        const int before = handshakes();
        const Run read = cli(QStringList{QStringLiteral("read"), path("no/such/folder/r.dat")} + port());
        QCOMPARE(read.code, 5);
        QVERIFY2(read.err.contains("does not exist"), qPrintable(read.err));
        QCOMPARE(cli(QStringList{QStringLiteral("read"), path("r.dat"), QStringLiteral("--port"), QStringLiteral("13")}).code, 2);
        const Run zh = cli(QStringList{QStringLiteral("read"), path("r.dat"), QStringLiteral("--port"), QStringLiteral("x"), QStringLiteral("--lang"), QStringLiteral("zh")});
        QCOMPARE(zh.code, 2);
        QVERIFY2(zh.err.contains(QStringLiteral("--port 需要 1 至 12 的数字")), qPrintable(zh.err));
        QCOMPARE(handshakes(), before);
    }

    // Regression: a name the save could not make was found only after the
    // whole read. Now it is refused before the port opens, nothing is left
    // behind and a file that exists stays as it was.
    void outputNameCheckedBeforeThePort_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("nameLength");  // the file name's characters, ".dat" included
        QTest::addColumn<bool>("exists");     // read into a file that is there already
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString tooLong = QStringLiteral("the file cannot be made (");
        // Past the longest name a folder takes.
        QTest::newRow("read, name too long") << "read" << 260 << false << "en" << 5 << tooLong;
        QTest::newRow("read, name too long, Chinese") << "read" << 260 << false << "zh" << 5 << QStringLiteral("无法保存数据文件 ");
        // The name fits, but not the temporary name a replacing save makes.
        QTest::newRow("read over a file, save's temporary name too long") << "read" << 252 << true << "en" << 5 << tooLong;
        // The backup adds "-backup-YYYYMMDD-HHMMSS" to the input's name.
        QTest::newRow("write, backup name too long") << "write" << 240 << false << "en" << 5 << tooLong;
        QTest::newRow("write, backup name too long, Chinese") << "write" << 240 << false << "zh" << 5 << QStringLiteral("无法建立此文件（");
        // The check passes and leaves the file alone; COM11 has no radio.
        QTest::newRow("read over a file that can be replaced") << "read" << 40 << true << "en" << 3 << QString();
    }
    void outputNameCheckedBeforeThePort()
    {
        QFETCH(QString, command);
        QFETCH(int, nameLength);
        QFETCH(bool, exists);
        QFETCH(QString, lang);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath(QString(nameLength - 4, QLatin1Char('n')) + QStringLiteral(".dat"));
        if (command == QLatin1String("write")) {
            Image image;
            lay_startup_defaults(image);
            QCOMPARE(datafile::save(image, file), datafile::SaveError::None);
        } else if (exists) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep");
        }
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const int handshakesBefore = handshakes();
        const QStringList portArgs = code == 3 ? QStringList{QStringLiteral("--port"), QStringLiteral("11")} : port();
        const Run r = cli(QStringList{command, file, QStringLiteral("--lang"), lang} + portArgs);
        QCOMPARE(r.code, code);
        QCOMPARE(handshakes(), handshakesBefore);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (code == 5)
            QVERIFY2(r.err.contains(folder.path()), qPrintable(r.err));  // names the path
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        if (exists) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("keep"));
        }
    }

    // A backup never replaces a file that exists.
    void backupNeverOverwrites()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("k.dat")), datafile::SaveError::None);
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = 0; s < 30; ++s) {
            QFile f(path(QStringLiteral("k-backup-%1.dat").arg(now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss")))));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep");
        }
        QCOMPARE(cli(QStringList{QStringLiteral("write"), path("k.dat"), QStringLiteral("--no-verify")} + port()).code, 0);
        const QStringList backups = QDir(dir_.path()).entryList({QStringLiteral("k-backup-*.dat")});
        QCOMPARE(backups.size(), 31);
        for (const QString& b : backups) {
            QFile f(path(b));
            QVERIFY(f.open(QIODevice::ReadOnly));
            if (!b.endsWith("-2.dat"))
                QCOMPARE(f.readAll(), QByteArray("keep"));
        }
    }

    // export-conf, a partial apply-conf, diff by name with diff's exit codes,
    // a bad file named by line and column.
    // apply-conf and diff check frequencies against --limits, as import-csv
    // does (they once used the defaults whatever the radio's limits).
    void configurationLimits_data()
    {
        QTest::addColumn<QStringList>("limits");
        QTest::addColumn<int>("applyCode");
        QTest::newRow("defaults refuse 200 MHz") << QStringList{} << 5;
        QTest::newRow("a radio to 220 MHz") << QStringList{"--limits", "136,220,400,480"} << 0;
        QTest::newRow("bad limits") << QStringList{"--limits", "136,220"} << 2;
    }
    void configurationLimits()
    {
        QFETCH(QStringList, limits);
        QFETCH(int, applyCode);
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("limits.dat")), datafile::SaveError::None);
        QFile conf(path("limits.yaml"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("channels:\n  - number: 3\n    receive: 200.0\n");
        conf.close();
        QFile::remove(path("limits-out.dat"));
        const Run a = cli(QStringList{"apply-conf", path("limits.dat"), path("limits.yaml"), "-o", path("limits-out.dat")} + limits);
        QCOMPARE(a.code, applyCode);
        QCOMPARE(QFile::exists(path("limits-out.dat")), applyCode == 0);
        const Run d = cli(QStringList{"diff", path("limits.dat"), path("limits.yaml")} + limits);
        if (applyCode == 0)  // the change by name, no raw row
            QCOMPARE(d.out.trimmed(), QStringLiteral("channel 3 receive: 400.02500 -> 200.00000"));
        else
            QCOMPARE(d.code, applyCode);
    }

    void configurationCommands()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("base.dat")), datafile::SaveError::None);
        QCOMPARE(cli({QStringLiteral("export-conf"), path("base.dat"), QStringLiteral("-o"), path("base.yaml")}).code, 0);
        QCOMPARE(cli({QStringLiteral("apply-conf"), path("base.dat"), path("base.yaml"), QStringLiteral("-o"), path("same.dat")}).code, 0);
        QCOMPARE(cli({QStringLiteral("diff"), path("base.dat"), path("same.dat")}).code, 0);
        QFile fleet(path("fleet.yaml"));
        QVERIFY(fleet.open(QIODevice::WriteOnly));
        fleet.write("options:\n  Squelch Level: \"3\"\n  Power-On Message 1: CLUB\nchannels:\n  - number: 10\n    receive: 145.6\n"
                    "    transmit: 145.0\n    decode: \"88.5\"\n    name: RPT1\n  - number: 0\n    empty: true\n");
        fleet.close();
        QCOMPARE(cli({QStringLiteral("apply-conf"), path("base.dat"), path("fleet.yaml"), QStringLiteral("-o"), path("fleet.dat")}).code, 0);
        const Run d = cli({QStringLiteral("diff"), path("base.dat"), path("fleet.dat")});
        QCOMPARE(d.code, 1);
        const QStringList lines = d.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines[0].startsWith("channel 0: receive 155.02500") && lines[0].endsWith("-> empty"), qPrintable(d.out));
        QVERIFY(lines[1].startsWith("channel 10: empty -> receive 145.60000, transmit 145.00000, decode 88.5"));
        QCOMPARE(lines[2], QStringLiteral("options.squelch_level: 5 -> 3"));
        QVERIFY(lines[3].startsWith("options.power_on_message_1: "));
        QCOMPARE(cli({QStringLiteral("diff"), path("base.dat"), path("fleet.yaml")}).out, d.out);

        QFile bad(path("bad.yaml"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("options:\n  Squelch: 3\n");
        bad.close();
        const Run b = cli({QStringLiteral("apply-conf"), path("base.dat"), path("bad.yaml"), QStringLiteral("-o"), path("badconf.dat")});
        QCOMPARE(b.code, 5);
        QVERIFY2(b.err.contains("line 2, column 3: unknown key \"Squelch\" (did you mean \"squelch_level\"?)"), qPrintable(b.err));
        QVERIFY(!QFile::exists(path("badconf.dat")));
    }

    void versionAndHelp()
    {
        const Run v = cli({QStringLiteral("--version")});
        QCOMPARE(v.code, 0);
        QCOMPARE(v.out.trimmed(), QStringLiteral("vxprog-cli " VXPROG_VERSION));
        QCOMPARE(cli({QStringLiteral("version")}).out, v.out);
        QVERIFY(cli({QStringLiteral("help")}).out.contains("Exit codes"));
        const Run importHelp = cli({QStringLiteral("help"), QStringLiteral("import-csv")});
        QCOMPARE(importHelp.code, 0);
        QVERIFY(importHelp.out.contains("RxDtcsCode") && importHelp.out.contains("Channel lists (CSV)"));
        const Run zh = cli({QStringLiteral("help"), QStringLiteral("write"), QStringLiteral("--lang"), QStringLiteral("zh")});
        QVERIFY2(zh.out.contains(QStringLiteral("选项：")) && zh.out.contains(QStringLiteral("写入全部 784 行")), qPrintable(zh.out));
    }

    // Regression: the Chinese usage line of every command kept "[options]".
    void chineseHelpIsChinese_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("general") << QStringList{QStringLiteral("--help")};
        for (const char* command : {"ports", "identify", "read", "write", "verify", "show", "export-csv", "export-conf", "apply-conf", "diff",
                                    "conf-reference", "import-csv"})
            QTest::newRow(command) << QStringList{QStringLiteral("help"), QLatin1String(command)};
    }
    void chineseHelpIsChinese()
    {
        QFETCH(QStringList, args);
        const Run en = cli(args);
        QCOMPARE(en.code, 0);
        QVERIFY2(en.out.contains(QStringLiteral("[options]")), qPrintable(en.out));
        const Run zh = cli(args + QStringList{QStringLiteral("--lang"), QStringLiteral("zh")});
        QCOMPARE(zh.code, 0);
        QVERIFY2(zh.out.startsWith(QStringLiteral("用法：vxprog-cli ")) && zh.out.contains(QStringLiteral("[选项]")), qPrintable(zh.out));
        QVERIFY2(!zh.out.contains(QStringLiteral("[options]")), qPrintable(zh.out));
    }

    void showAndCsvRoundTrip()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("f.dat")), datafile::SaveError::None);
        const Run show = cli({QStringLiteral("show"), path("f.dat")});
        QCOMPARE(show.code, 0);
        QVERIFY(show.out.contains("155.02500") && show.out.contains("D754I") && show.out.contains("480.62500"));

        QCOMPARE(cli({QStringLiteral("export-csv"), path("f.dat"), QStringLiteral("-o"), path("f.csv")}).code, 0);
        QCOMPARE(cli({QStringLiteral("import-csv"), path("f.dat"), path("f.csv"), QStringLiteral("-o"), path("g.dat")}).code, 0);
        QFile a(path("f.dat")), b(path("g.dat"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());

        QFile bad(path("bad.csv"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(channels::kCsvHeader + "\n1,,999.000000,,0,,88.5,88.5,023,NN,FM,5,,High,\n");
        bad.close();
        const Run r = cli({QStringLiteral("import-csv"), path("f.dat"), path("bad.csv"), QStringLiteral("-o"), path("h.dat")});
        QCOMPARE(r.code, 5);
        QVERIFY(r.err.contains("line 2"));
        QVERIFY(!QFile::exists(path("h.dat")));

        // A stock list: strict says what --fit would do; --fit imports the
        // rest and lists every change and skipped line.
        QFile stock(path("stock.csv"));
        QVERIFY(stock.open(QIODevice::WriteOnly));
        stock.write("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\n"
                    "1,MURS 1,151.820000,,0.600000,,88.5,88.5,023,NN,NFM,5.00,,\n"
                    "2,Air Guard,121.500000,,0.600000,,88.5,88.5,023,NN,AM,25.00,,\n");
        stock.close();
        const QStringList import{QStringLiteral("import-csv"), path("f.dat"), path("stock.csv"), QStringLiteral("-o"), path("stock.dat")};
        const Run strict = cli(import);
        QCOMPARE(strict.code, 5);
        QVERIFY2(strict.err.contains("With --fit, 1 channels would be imported"), qPrintable(strict.err));
        QVERIFY(!QFile::exists(path("stock.dat")));
        const Run zh = cli(import + QStringList{QStringLiteral("--lang"), QStringLiteral("zh")});
        QVERIFY2(zh.err.contains(QStringLiteral("超出频段范围")), qPrintable(zh.err));
        const Run fit = cli(import + QStringList{QStringLiteral("--fit")});
        QCOMPARE(fit.code, 0);
        QVERIFY2(fit.out.contains("line 2: adapted: Name \"MURS 1\" stored as \"MURS1\""), qPrintable(fit.out));
        QVERIFY(fit.out.contains("line 3: skipped: Frequency 121.500000 MHz"));
        QVERIFY(fit.out.contains("Imported 1 channels"));
        Image imported;
        QVERIFY(datafile::load(path("stock.dat"), imported).ok());
        QCOMPARE(channels::decode_channel(imported, 1)[channels::ColName], QStringLiteral("MURS1"));
    }

    // Issue 29: a file over the size bound is refused with its size; one of
    // millions of bad lines just under it gets a short report, at once.
    void importCsvIsBounded()
    {
        Image image;
        lay_startup_defaults(image);
        QCOMPARE(datafile::save(image, path("f.dat")), datafile::SaveError::None);
        QFile big(path("big.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(12'000'000));
        big.close();
        const Run large = cli({QStringLiteral("import-csv"), path("f.dat"), path("big.csv"), QStringLiteral("-o"), path("big.dat")});
        QCOMPARE(large.code, 5);
        QVERIFY2(large.err.contains("the file is 12.0 MB (12000000 bytes); a channel list is at most 4.0 MB"), qPrintable(large.err));
        QVERIFY(!QFile::exists(path("big.dat")));

        QFile lines(path("lines.csv"));
        QVERIFY(lines.open(QIODevice::WriteOnly));
        QByteArray csv = "Location,Name,Frequency\n";
        csv += QByteArray(channels::kMaxCsvBytes - csv.size(), 'A');
        for (qsizetype i = csv.indexOf('A') + 1; i < csv.size(); i += 2)
            csv[i] = '\n';
        lines.write(csv);
        lines.close();
        for (const QStringList& mode : {QStringList{}, QStringList{QStringLiteral("--fit")}}) {
            QElapsedTimer clock;
            clock.start();
            const Run r = cli(QStringList{QStringLiteral("import-csv"), path("f.dat"), path("lines.csv"), QStringLiteral("-o"), path("lines.dat")} + mode);
            QVERIFY(clock.elapsed() < 60'000);  // a sanity limit; bench/csv_import measures
            QCOMPARE(r.code, 5);
            const QStringList err = r.err.split('\n', Qt::SkipEmptyParts);
            QVERIFY2(err.size() <= channels::kMaxCsvNotes + 3, qPrintable(r.err));
            if (mode.isEmpty())  // refused at line 2: the rest is not read
                QVERIFY2(err.last().startsWith("  not read after line 26: "), qPrintable(err.last()));
            else  // a good line might follow: every line is read and counted
                QCOMPARE(err.last(), QStringLiteral("  and %1 more problems").arg((channels::kMaxCsvBytes - 24) / 2 * 2 + 1 - channels::kMaxCsvNotes));
            QVERIFY(!QFile::exists(path("lines.dat")));
        }
    }
};

// Most of the run waits on the radio's pace, not the processor: CTest runs
// these parts side by side.
VX_TEST_PARTS_MAIN(TstCli, {{"interruptedWriteCanBeRestored", 1},
                            {"fullWriteSendsEveryRow", 2},
                            {"writeBacksUpWritesAndVerifies", 3},
                            {"writeSendsOnlyWhatChanged", 4},
                            {"backupNeverOverwrites", 5},
                            {"readEqualsTheRadio", 5},
                            {"verifyAfterReadPasses", 6},
                            {"verifyNamesTheRegion", 6}})
#include "tst_cli.moc"
