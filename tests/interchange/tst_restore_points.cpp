// The restore point store: points kept per radio, newest first, within the
// retention; unreadable points listed but never loaded; a store that cannot
// be written says so and keeps nothing.
#include "interchange/restore_points.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::restore;

namespace {

const Radio kA{QStringLiteral("EMU-01"), QStringLiteral("EMU000--000000--0001")};
const Radio kB{QStringLiteral("QX 270/B"), QStringLiteral("12345--67890--AB")};  // characters no file name takes
const QDateTime kNow = QDateTime(QDate(2026, 12, 10), QTime(10, 0), Qt::UTC);

Image imageOf(uint8_t fill)
{
    Image image;
    image.fill(fill);
    return image;
}

}  // namespace

class TstRestorePoints : public QObject {
    Q_OBJECT
private slots:
    void pointsAreKeptAndListed()
    {
        QTemporaryDir dir;
        Store store(dir.path());
        QVERIFY(store.add(imageOf(1), kA, Kind::Read, -1, kNow.addSecs(-60)));
        QVERIFY(store.add(imageOf(2), kB, Kind::Backup, 3, kNow.addSecs(-30)));
        QVERIFY(store.add(imageOf(3), kA, Kind::Write, 12, kNow));
        const std::vector<Point> points = store.points();
        QCOMPARE(int(points.size()), 3);
        QCOMPARE(points[0].kind, Kind::Write);  // newest first
        QCOMPARE(points[0].rowsChanged, 12);
        QCOMPARE(points[1].radio, kB);  // as the identification named it
        QCOMPARE(points[1].kind, Kind::Backup);
        QCOMPARE(points[2].time, kNow.addSecs(-60));
        for (const Point& p : points)
            QVERIFY(p.readable);
        Image loaded;
        QVERIFY(store.load(points[1], loaded));
        QVERIFY(loaded == imageOf(2));

        // Two points in the same millisecond are both kept.
        QVERIFY(store.add(imageOf(4), kA, Kind::Write, 1, kNow));
        QCOMPARE(int(store.points().size()), 4);

        QVERIFY(store.remove(store.points().front()));
        QCOMPARE(int(store.points().size()), 3);
    }

    // Without its index a store still lists every point, by its file name.
    void indexLost()
    {
        QTemporaryDir dir;
        Store store(dir.path());
        QVERIFY(store.add(imageOf(5), kA, Kind::Read, 4, kNow));
        QVERIFY(QFile::remove(dir.filePath("index.json")));
        const std::vector<Point> points = store.points();
        QCOMPARE(int(points.size()), 1);
        QCOMPARE(points[0].kind, Kind::Read);
        QCOMPARE(points[0].time, kNow);
        QCOMPARE(points[0].rowsChanged, -1);
        QVERIFY(points[0].readable);
    }

    // The newest points of each radio stay whatever their age, and every
    // point of the last days.
    void retention_data()
    {
        QTest::addColumn<int>("perRadio");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("keptA");  // of 10 points of A, one every 5 days back from now
        QTest::addColumn<int>("keptB");  // of 2 points of B, 100 and 101 days old
        QTest::newRow("defaults") << 50 << 30 << 10 << 2;
        QTest::newRow("three per radio, 30 days") << 3 << 30 << 7 << 2;  // 0..30 days: 7 points
        QTest::newRow("one per radio, no days") << 1 << 0 << 1 << 1;
        QTest::newRow("none per radio, 12 days") << 0 << 12 << 3 << 0;
    }
    void retention()
    {
        QFETCH(int, perRadio);
        QFETCH(int, days);
        QFETCH(int, keptA);
        QFETCH(int, keptB);
        QTemporaryDir dir;
        Store store(dir.path());
        const Retention keepAll{1000, 1000};
        for (int i = 0; i < 10; ++i)
            QVERIFY(store.add(imageOf(uint8_t(i)), kA, Kind::Read, i, kNow.addDays(-5 * i), keepAll));
        QVERIFY(store.add(imageOf(20), kB, Kind::Read, 0, kNow.addDays(-100), keepAll));
        QVERIFY(store.add(imageOf(21), kB, Kind::Read, 0, kNow.addDays(-101), keepAll));
        store.prune({perRadio, days}, kNow);
        int a = 0, b = 0;
        for (const Point& p : store.points()) {
            (p.radio == kA ? a : b) += 1;
            QVERIFY(p.readable);
        }
        QCOMPARE(a, keptA);
        QCOMPARE(b, keptB);
        // What is kept is the newest.
        if (keptA > 0)
            QCOMPARE(store.points().front().time, kNow);
    }

    // A point whose file is gone, cut short or not a data file is listed as
    // unreadable and does not load.
    void unreadablePoints_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing") << "missing";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("not a data file") << "text";
    }
    void unreadablePoints()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        Store store(dir.path());
        const std::optional<Point> p = store.add(imageOf(7), kA, Kind::Backup, 2, kNow);
        QVERIFY(p);
        QFile f(p->path);
        if (damage == "missing") {
            QVERIFY(f.remove());
        } else {
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(damage == "truncated" ? f.size() / 2 : 0));
            if (damage == "text")
                f.write("not a data file\n");
            f.close();
        }
        const std::vector<Point> points = store.points();
        QCOMPARE(int(points.size()), 1);
        QVERIFY(!points[0].readable);
        QCOMPARE(points[0].kind, Kind::Backup);
        QCOMPARE(points[0].rowsChanged, 2);
        Image image = imageOf(9);
        QVERIFY(!store.load(points[0], image));
        QVERIFY(image == imageOf(9));  // untouched
        QVERIFY(store.remove(points[0]));
        QVERIFY(store.points().empty());
    }

    // A store where no folder can be made keeps nothing and says why.
    void unwritableStore()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Store store(dir.filePath("blocker/store"));  // under a file: no folder can be made
        QString error;
        QVERIFY(!store.add(imageOf(1), kA, Kind::Read, -1, kNow, {}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(store.points().empty());
    }
};

QTEST_MAIN(TstRestorePoints)
#include "tst_restore_points.moc"
