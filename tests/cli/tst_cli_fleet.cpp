// vxprog-cli fleet against four emulated radios on four ports: each radio
// ends holding the common settings and its own identity, byte for byte; a
// radio whose serial number is not its entry's, and the same radio reached
// twice, get nothing while the others go on; a fleet file with problems is
// refused as a whole, each with its line and column, before any port
// opens; --dry-run prints the plan and touches no radio.
#include "editors/defaults.h"
#include "emulator/pty_radio.h"
#include "interchange/config/config.h"
#include "interchange/datafile.h"
#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace vx;

namespace {

constexpr int kFleetPort = 9;  // COM9..COM12
constexpr int kRadios = 4;

struct Run {
    int code = -1;
    QString out;
    QString err;
};

QString serialOf(int i) { return QStringLiteral("EMU000--000000--000%1").arg(i + 1); }

}  // namespace

class TstCliFleet : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;      // the files
    QTemporaryDir runtime_;  // XDG_RUNTIME_DIR: the radios' comN links
    std::vector<std::unique_ptr<emu::PtyRadio>> radios_;

    Run cli(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(VXPROG_CLI), args);
        if (!p.waitForFinished(120'000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString write(const QString& name, const QByteArray& text) const
    {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }
    QString fleetFile(const QByteArray& radios) const
    {
        Image base;
        lay_startup_defaults(base);
        datafile::save(base, dir_.filePath("club.dat"));
        return write("fleet.yaml", "base: club.dat\nradios:\n" + radios);
    }
    int written(int i) { return radios_[size_t(i)]->withModel([](emu::RadioModel& m) { return m.counters().rowsWritten; }); }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", dir_.filePath("data").toLocal8Bit()); }
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        radios_.clear();
        for (int i = 0; i < kRadios; ++i) {
            auto r = std::make_unique<emu::PtyRadio>(emu::PtyRadioOptions{kFleetPort + i, false, 0.2, -1});
            emu::RadioIdentity id;
            id.setSerialText(serialOf(i));
            r->setIdentity(id);
            Image erased;
            r->setMemory(erased);
            QVERIFY(r->start());
            radios_.push_back(std::move(r));
        }
    }
    void cleanup() { radios_.clear(); }

    // Four radios: each holds the base and its own ANI and message, byte
    // for byte; the summary says every one verified.
    void fourRadios()
    {
        QByteArray entries;
        for (int i = 0; i < kRadios; ++i)
            entries += QStringLiteral("  - name: Car %1\n    port: %2\n    serial: %3\n    settings:\n      options: {ani: \"10%1\", power_on_message_1: CAR%1}\n")
                           .arg(i + 1)
                           .arg(kFleetPort + i)
                           .arg(serialOf(i))
                           .toUtf8();
        const Run r = cli({QStringLiteral("fleet"), fleetFile(entries)});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        Image base;
        lay_startup_defaults(base);
        for (int i = 0; i < kRadios; ++i) {
            Image expected = base;
            QVERIFY(config::apply_config(QStringLiteral("options: {ani: \"10%1\", power_on_message_1: CAR%1}\n").arg(i + 1).toUtf8(), expected,
                                         kDefaultBandLimits)
                        .ok());
            prepare_whole_write(expected);
            const Image held = radios_[size_t(i)]->memory();
            for (int row = 0; row <= region::wholeWrite.last; ++row)
                QVERIFY2(std::ranges::equal(held.row(row), expected.row(row)), qPrintable(QStringLiteral("radio %1 row %2").arg(i).arg(row)));
            QVERIFY(r.out.contains(QStringLiteral("Car %1").arg(i + 1)));
        }
        QCOMPARE(r.out.count(" ok "), kRadios);
    }

    // A radio that is not its entry's, and one reached on a second port:
    // nothing written to either, the others programmed, exit 4.
    void unknownAndDuplicateRadios()
    {
        // COM12 leads to the radio of COM11 as well.
        QFile::remove(portLinkPath(kFleetPort + 3));
        QVERIFY(QFile::link(QFileInfo(portLinkPath(kFleetPort + 2)).symLinkTarget(), portLinkPath(kFleetPort + 3)));
        const QByteArray entries = QStringLiteral("  - {port: %1, serial: %2}\n  - {port: %3, serial: NOT-THIS-ONE}\n  - {port: %4}\n  - {port: %5}\n")
                                       .arg(kFleetPort)
                                       .arg(serialOf(0))
                                       .arg(kFleetPort + 1)
                                       .arg(kFleetPort + 2)
                                       .arg(kFleetPort + 3)
                                       .toUtf8();
        const Run r = cli({QStringLiteral("fleet"), fleetFile(entries)});
        QCOMPARE(r.code, 4);
        QVERIFY(written(0) > 0);
        QCOMPARE(written(1), 0);
        QVERIFY2(r.out.contains("not NOT-THIS-ONE: nothing was written"), qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("was already programmed on COM%1").arg(kFleetPort + 2)), qPrintable(r.out));
    }

    // Every problem of a fleet file, each at its line and column; nothing
    // opened.
    void refusedAsAWhole()
    {
        const QString path = fleetFile("  - {port: 9, serial: A}\n"
                                       "  - {port: 9, colour: red}\n"
                                       "  - port: 10\n"
                                       "    serial: A\n"
                                       "    settings:\n"
                                       "      options: {ani: \"ZZ\"}\n");
        const Run r = cli({QStringLiteral("fleet"), path});
        QCOMPARE(r.code, 5);
        QVERIFY2(r.err.contains("line 4, column 12: port COM9 is already given on line 3"), qPrintable(r.err));
        QVERIFY(r.err.contains("line 4, column 15: unknown key \"colour\""));
        QVERIFY(r.err.contains("line 6, column 13: serial number A is already given on line 3"));
        QVERIFY2(r.err.contains("line 8, column 22: "), qPrintable(r.err));  // the ANI its rule refuses
        for (int i = 0; i < kRadios; ++i)
            QCOMPARE(radios_[size_t(i)]->withModel([](emu::RadioModel& m) { return m.counters().handshakes; }), 0);
    }

    void dryRun()
    {
        const Run r = cli({QStringLiteral("fleet"), QStringLiteral("--dry-run"),
                           fleetFile("  - {name: Car 1, port: 9, settings: {options: {ani: \"101\"}}}\n  - {port: 10}\n")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("Car 1: COM9, 1 rows differ from the base (options 1)"), qPrintable(r.out));
        QVERIFY(r.out.contains("COM10: COM10, 0 rows differ from the base"));
        QVERIFY(r.out.contains("(--dry-run: no radio was touched)"));
        QCOMPARE(radios_[0]->withModel([](emu::RadioModel& m) { return m.counters().handshakes; }), 0);
    }
};

QTEST_MAIN(TstCliFleet)
#include "tst_cli_fleet.moc"
