// vxprog-cli run as a program against the radio emulator on a real
// pseudo-terminal: every command, its output, its files and its exit code.
#include "emulator_rig.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_csv.h"
#include "editors/channels/datafile.h"
#include "editors/defaults.h"
#include "link/portmap.h"
#include "link/whole_radio.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <random>

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
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
