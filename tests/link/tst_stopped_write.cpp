// What a write that stopped part way leaves in the radio: the rows that
// reached it and each region as new, mixed or as it was.
#include "link/stopped_write.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <span>

using namespace vx;

namespace {

QStringList names(const std::vector<region::Named>& regions)
{
    QStringList out;
    for (const region::Named& r : regions)
        out << QString::fromUtf8(r.name);
    return out;
}

QList<int> wholeWriteRows()
{
    QList<int> rows(region::wholeWrite.count());
    std::iota(rows.begin(), rows.end(), region::wholeWrite.first);
    return rows;
}

}  // namespace

class TstStoppedWrite : public QObject {
    Q_OBJECT

private slots:
    void classifies_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("acknowledged");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("mixed");
        QTest::addColumn<QStringList>("unchanged");
        const QList<int> changed{3, 4, 5, 224, 261, 262};
        QTest::newRow("before any row") << changed << 0 << -1 << QStringList{} << QStringList{} << QStringList{"channels", "options", "names"};
        QTest::newRow("inside a region") << changed << 2 << 4 << QStringList{} << QStringList{"channels"} << QStringList{"options", "names"};
        QTest::newRow("at a region's end") << changed << 4 << 224 << QStringList{"channels", "options"} << QStringList{} << QStringList{"names"};
        QTest::newRow("on the last row") << changed << 6 << 262 << QStringList{"channels", "options", "names"} << QStringList{} << QStringList{};
        QTest::newRow("more acknowledged than sent") << changed << 9 << 262 << QStringList{"channels", "options", "names"} << QStringList{} << QStringList{};
        QTest::newRow("no rows") << QList<int>{} << 0 << -1 << QStringList{} << QStringList{} << QStringList{};
        // A full write: every region up to the FM presets, the reserved runs
        // between them each named where it falls.
        QTest::newRow("full write, inside the channels")
            << wholeWriteRows() << 166 << 165 << QStringList{} << QStringList{"channels"}
            << QStringList{"channel spare", "options", "names", "reserved", "5-tone", "reserved", "DTMF", "reserved", "2-tone", "FM presets"};
        QTest::newRow("full write, inside a reserved run")
            << wholeWriteRows() << 500 << 499 << QStringList{"channels", "channel spare", "options", "names"} << QStringList{"reserved"}
            << QStringList{"5-tone", "reserved", "DTMF", "reserved", "2-tone", "FM presets"};
    }
    void classifies()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, acknowledged);
        QFETCH(int, lastRow);
        QFETCH(QStringList, written);
        QFETCH(QStringList, mixed);
        QFETCH(QStringList, unchanged);
        const std::vector<int> sent(rows.begin(), rows.end());
        const StoppedWrite s = classifyStoppedWrite(sent, acknowledged);
        QCOMPARE(s.lastRow, lastRow);
        // The rows that reached the radio are the first ones sent, up to the last taken.
        QVERIFY(std::ranges::equal(s.reached, std::span(sent).first(s.reached.size())));
        QCOMPARE(s.reached.empty() ? -1 : s.reached.back(), lastRow);
        QCOMPARE(names(s.written), written);
        QCOMPARE(names(s.mixed), mixed);
        QCOMPARE(names(s.unchanged), unchanged);
    }
};

QTEST_GUILESS_MAIN(TstStoppedWrite)
#include "tst_stopped_write.moc"
