// vxprog-cli write --since BASE: only the blocks of the rows that differ
// from BASE are read (as the check and the backup), the rows sent and their
// blocks read back; a radio changed since BASE gets nothing; a file equal to
// BASE needs no radio at all.
#include "emulator_rig.h"

#include "editors/channels/channel_codec.h"
#include "editors/defaults.h"
#include "interchange/datafile.h"
#include "link/whole_radio.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace vx;

namespace {

constexpr int kPort = 11;

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Image factoryRadio()
{
    Image image;
    lay_startup_defaults(image);
    prepare_whole_write(image);
    return image;
}

}  // namespace

class TstCliSince : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::optional<test::EmulatorRig> rig_;

    Run cli(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(VXPROG_CLI), args + QStringList{QStringLiteral("--port"), QString::number(kPort)});
        if (!p.waitForFinished(60'000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString save(const Image& image, const QString& name) const
    {
        datafile::save(image, path(name));
        return path(name);
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")).toLocal8Bit()); }
    void init()
    {
        rig_.emplace(kPort, factoryRadio(), 0.2);
        QVERIFY(rig_->started());
    }
    void cleanup() { rig_.reset(); }

    // One channel changed: its block read, its row sent, the block read back.
    void oneChannel()
    {
        const Image base = factoryRadio();
        Image file = base;
        channels::set_rx(file, 5, u"146.52000");
        const std::vector<int> rows = rows_to_write(file, base);
        QCOMPARE(rows, std::vector<int>{channels::record_row(5)});
        rig_->clearLog();
        const Run r = cli({QStringLiteral("write"), QStringLiteral("--since"), save(base, "base.dat"), save(file, "new.dat")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        using L = test::EmulatorRig::Logged;
        const int block = Image::addressOfRow(rows[0] / 4 * 4);
        QCOMPARE(rig_->log(), (std::vector<L>{{'S', block}, {'X', Image::addressOfRow(rows[0])}, {'S', block}}));
        QVERIFY(std::ranges::equal(rig_->memory().row(rows[0]), file.row(rows[0])));
        QVERIFY(r.out.contains("Verified: the 1 rows written equal the file"));
    }

    // BASE as the user wrote it (without the constant 5-tone tables the
    // write laid in) is what the radio holds: only the changed row goes.
    void baseAsWritten()
    {
        Image base;
        lay_startup_defaults(base);  // no tables: the radio got them from the write
        Image file = base;
        channels::set_rx(file, 5, u"146.52000");
        rig_->clearLog();
        const Run r = cli({QStringLiteral("write"), QStringLiteral("--since"), save(base, "base.dat"), save(file, "new.dat")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        int written = 0;
        for (const auto& c : rig_->log())
            written += c.kind == 'X';
        QCOMPARE(written, 1);
    }

    // The radio no longer holds BASE where the write would go: nothing is
    // sent, and the plain write is suggested.
    void radioChangedSinceBase()
    {
        Image base = factoryRadio();
        channels::set_rx(base, 5, u"145.00000");  // what the user thinks the radio holds
        Image file = base;
        channels::set_rx(file, 5, u"146.52000");
        rig_->clearLog();
        const Run r = cli({QStringLiteral("write"), QStringLiteral("--since"), save(base, "base.dat"), save(file, "new.dat")});
        QCOMPARE(r.code, 6);
        QVERIFY2(r.err.contains("The radio has changed since") && r.err.contains("Write without --since"), qPrintable(r.err));
        for (const auto& c : rig_->log())
            QVERIFY(c.kind != 'X');
        QVERIFY(rig_->memory() == factoryRadio());
    }

    // A file equal to BASE: nothing to send, the radio not even asked.
    void unchanged()
    {
        const QString base = save(factoryRadio(), "base.dat");
        rig_->clearLog();
        const Run r = cli({QStringLiteral("write"), QStringLiteral("--since"), base, base});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("nothing was sent"));
        QVERIFY(rig_->log().empty());
        QCOMPARE(cli({QStringLiteral("write"), QStringLiteral("--since"), base, QStringLiteral("--full"), base}).code, 2);
    }
};

QTEST_MAIN(TstCliSince)
#include "tst_cli_since.moc"
